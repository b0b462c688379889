// The stand-in updater: runs an update job against the converter it names.
#pragma once

#include "tools/ethernet_update/Udp_Link.h"
#include "update/Job_Reader.h"

#include <QString>

#include <functional>

enum Update_Exit {
    Exit_Ok = 0,
    Exit_Job = 1,       // the job or one of its files is not usable
    Exit_Usage = 2,     // wrong command line
    Exit_No_Answer = 3, // the converter does not answer
    Exit_Refused = 4,   // the converter refused a request, or the read-back differed
};

struct Update_Progress {
    QString job_title;
    int operation = 0; // 1-based; 0 before the first
    int operations = 0;
    QString file;
    QString phase;
    qint64 done = 0; // bytes of this operation
    qint64 total = 0;
};

class Updater {
public:
    explicit Updater(const Link_Timing& timing) : timing_(timing) {}

    std::function<void(const Update_Progress&)> on_progress;
    std::function<void(const QString&)> on_log;
    // Set once the converter answered: "standard" or "ESP32".
    QString hardware;

    // Runs the job in `job_path`; the result and, on failure, `error` say how it went.
    Update_Exit Run(const QString& job_path, QString* error);

private:
    Update_Exit Run_Operation(int index, const UBoot::Job_Operation& op, const QByteArray& data,
                              const UBoot::Job_List& list, bool esp32, QString* error);
    bool Request(quint32 address, quint16 port, quint8 code, const QByteArray& payload, UBoot::Packet& reply,
                 QString* error, Update_Exit* exit, int attempts = 0);
    void Log(const QString& s) {
        if (on_log)
            on_log(s);
    }
    void Progress() {
        if (on_progress)
            on_progress(progress_);
    }

    Link_Timing timing_;
    std::unique_ptr<Udp_Link> link_;
    UBoot::Update_Job job_;
    Update_Progress progress_;
};
