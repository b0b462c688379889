// Reading and checking an update job, as the updater program does before it sends
// anything: every address, port and flag must parse, every operation must name a
// file. Whether the files exist is checked for the list that will be run.
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace UBoot {

struct Job_Operation {
    bool protection_enabled = false;
    bool go_to_boot_before = false;
    bool go_to_app_before = false;
    quint32 ip_address = 0; // the job's address when the operation names none
    quint16 port = 0;
    quint16 port_sec = 0;
    bool erase_memory = false;
    QString file_name; // as written in the job
    quint32 start_address = 0;
    quint8 memory_type = 0;
    quint8 bank_type = 0;
    bool read_back = false;
    bool write_css = false;
    quint32 address_css = 0;
    quint8 command_css = 0;
    bool write_internal_data = false;
    quint32 wid_address = 0;
    quint8 wid_command = 0;
    QByteArray wid_data;
    bool go_to_app_after = false;
};

struct Job_List {
    quint32 address_protection = 0;
    QList<Job_Operation> operations;
};

struct Update_Job {
    QString title;
    QString ip_text;
    quint32 ip_address = 0;
    quint16 application_port = 0;
    quint16 boot_port = 0;
    quint16 boot_port_sec = 0;
    QList<quint32> protections;
    Job_List standard;
    Job_List esp32;
};

// Reads and checks the job file. False with a message naming the element (and the
// operation) at fault.
bool Read_Job(const QString& path, Update_Job& job, QString* error);
// The same from the document text.
bool Parse_Job(const QByteArray& xml, Update_Job& job, QString* error);

// Checks that every file of the list exists, is readable and not empty, and that
// its bytes fit in the 32-bit address space from its start address. False with a
// message naming the file.
bool Check_Files(const Job_List& list, QString* error);

} // namespace UBoot
