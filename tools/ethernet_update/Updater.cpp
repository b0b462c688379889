#include "tools/ethernet_update/Updater.h"

#include "common/Ip_Address.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace UBoot;
using UComon::IP_Address_Text;

namespace {

constexpr int Query_Attempts = 4;

QString Hex(quint32 v) { return QStringLiteral("0x") + QString::number(v, 16).toUpper(); }

} // namespace

bool Updater::Request(quint32 address, quint16 port, quint8 code, const QByteArray& payload, Packet& reply,
                      QString* error, Update_Exit* exit, int attempts) {
    if (!link_->Exchange(address, port, code, payload, reply, error, attempts)) {
        *exit = Exit_No_Answer;
        return false;
    }
    const quint8 status = reply.payload.isEmpty() ? quint8(St_Bad_Request) : quint8(reply.payload[0]);
    if (status != St_Ok) {
        *error = QStringLiteral("the converter refused the %1 request: %2")
                     .arg(QLatin1String(Command_Name(code)), QLatin1String(Status_Text(status)));
        *exit = Exit_Refused;
        return false;
    }
    return true;
}

Update_Exit Updater::Run(const QString& job_path, QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    Log(QStringLiteral("Job %1").arg(QDir::toNativeSeparators(job_path)));
    if (!Read_Job(job_path, job_, error))
        return Exit_Job;
    if (!job_.title.isEmpty())
        Log(job_.title);
    progress_.job_title = job_.title;
    link_ = std::make_unique<Udp_Link>(timing_);
    if (!link_->Open(error))
        return Exit_No_Answer;

    // Which hardware: ask the application, else the boot loader on either port.
    Log(QStringLiteral("Asking the converter at %1 which hardware it has")
            .arg(IP_Address_Text(job_.ip_address)));
    progress_.phase = QStringLiteral("asking the converter");
    Progress();
    Packet reply;
    bool answered = false;
    for (quint16 port : {job_.application_port, job_.boot_port, job_.boot_port_sec}) {
        QString ignored;
        if (link_->Exchange(job_.ip_address, port, Cmd_Query, {}, reply, &ignored,
                            std::min(Query_Attempts, timing_.attempts))) {
            answered = true;
            break;
        }
    }
    if (!answered) {
        *error =
            QStringLiteral("the converter at %1 does not answer (application port %2, boot ports %3 and %4)")
                .arg(IP_Address_Text(job_.ip_address))
                .arg(job_.application_port)
                .arg(job_.boot_port)
                .arg(job_.boot_port_sec);
        return Exit_No_Answer;
    }
    Payload_Reader r(reply.payload);
    const quint8 status = r.u8(), hw = r.u8(), mode = r.u8();
    r.u16();
    const QByteArray text = r.raw(r.u8());
    if (!r.ok || status != St_Ok || hw > Hw_ESP32) {
        *error = QStringLiteral("the converter's answer to the hardware query cannot be understood");
        return Exit_Refused;
    }
    const bool esp32 = hw == Hw_ESP32;
    hardware = esp32 ? QStringLiteral("ESP32") : QStringLiteral("standard");
    Log(QStringLiteral("The converter has the %1 hardware (%2, %3)")
            .arg(hardware,
                 mode == Mode_Boot ? QStringLiteral("boot loader running")
                                   : QStringLiteral("application running"),
                 QString::fromLatin1(text)));

    const Job_List& list = esp32 ? job_.esp32 : job_.standard;
    if (list.operations.isEmpty()) {
        *error = QStringLiteral("the job has no operation for the %1 hardware").arg(hardware);
        return Exit_Job;
    }
    if (!Check_Files(list, error))
        return Exit_Job;
    QList<QByteArray> files;
    for (const Job_Operation& op : list.operations) {
        QFile f(QDir::fromNativeSeparators(op.file_name));
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("the file %1 cannot be read: %2")
                         .arg(QDir::toNativeSeparators(op.file_name), f.errorString());
            return Exit_Job;
        }
        files.append(f.readAll());
    }
    progress_.operations = int(list.operations.size());
    for (int i = 0; i < list.operations.size(); ++i) {
        const Update_Exit e = Run_Operation(i, list.operations[i], files[i], list, esp32, error);
        if (e != Exit_Ok) {
            *error = QStringLiteral("operation %1 of %2 (%3): %4")
                         .arg(i + 1)
                         .arg(list.operations.size())
                         .arg(QFileInfo(QDir::fromNativeSeparators(list.operations[i].file_name)).fileName(),
                              *error);
            return e;
        }
    }
    Log(QStringLiteral("Every operation succeeded (%1 requests, %2 sent again)")
            .arg(link_->stats().requests)
            .arg(link_->stats().retries));
    return Exit_Ok;
}

Update_Exit Updater::Run_Operation(int index, const Job_Operation& op, const QByteArray& data,
                                   const Job_List& list, bool esp32, QString* error) {
    Update_Exit exit = Exit_Ok;
    Packet reply;
    const quint32 ip = op.ip_address;
    const qint64 size = data.size();
    progress_.operation = index + 1;
    progress_.file = QDir::toNativeSeparators(op.file_name);
    progress_.done = 0;
    progress_.total = size * (op.read_back ? 2 : 1);
    auto phase = [this](const QString& p) {
        progress_.phase = p;
        Progress();
    };
    Log(QStringLiteral("Operation %1 of %2: %3, %4 bytes at %5")
            .arg(index + 1)
            .arg(progress_.operations)
            .arg(progress_.file)
            .arg(size)
            .arg(Hex(op.start_address)));

    if (op.go_to_boot_before) {
        phase(QStringLiteral("restarting into the boot loader"));
        if (!Request(ip, job_.application_port, Cmd_Enter_Boot, {}, reply, error, &exit))
            return exit;
    }
    if (op.go_to_app_before) {
        phase(QStringLiteral("starting the application"));
        if (!Request(ip, op.port, Cmd_Start, {}, reply, error, &exit))
            return exit;
    }

    // A session on the boot port, else on the secondary one.
    phase(QStringLiteral("opening the boot loader"));
    Payload_Writer open;
    open.u8(op.protection_enabled ? 1 : 0).u32(list.address_protection).u8(quint8(job_.protections.size()));
    for (quint32 p : job_.protections)
        open.u32(p);
    quint16 port = op.port;
    if (!Request(ip, port, Cmd_Open, open.bytes, reply, error, &exit)) {
        if (exit != Exit_No_Answer || op.port_sec == op.port)
            return exit;
        Log(QStringLiteral("No answer on port %1, trying port %2").arg(op.port).arg(op.port_sec));
        port = op.port_sec;
        if (!Request(ip, port, Cmd_Open, open.bytes, reply, error, &exit))
            return exit;
    }
    Payload_Reader r(reply.payload);
    r.u8();
    const quint8 hw = r.u8();
    const int chunk = std::min<int>(Max_Chunk, r.u16());
    if (!r.ok || chunk <= 0) {
        *error = QStringLiteral("the converter's answer to the session request cannot be understood");
        return Exit_Refused;
    }
    if ((hw == Hw_ESP32) != esp32) {
        *error = QStringLiteral("the boot loader reports other hardware than the application did");
        return Exit_Refused;
    }

    if (op.erase_memory) {
        phase(QStringLiteral("erasing"));
        if (!Request(ip, port, Cmd_Erase,
                     Payload_Writer().u8(op.memory_type).u32(op.start_address).u32(quint32(size)).bytes,
                     reply, error, &exit))
            return exit;
    }

    phase(QStringLiteral("writing"));
    for (qint64 at = 0; at < size; at += chunk) {
        const QByteArray part = data.mid(at, chunk);
        const quint32 address = op.start_address + quint32(at);
        if (!Request(ip, port, Cmd_Write,
                     Payload_Writer()
                         .u8(op.memory_type)
                         .u8(op.bank_type)
                         .u32(address)
                         .u16(quint16(part.size()))
                         .raw(part)
                         .bytes,
                     reply, error, &exit)) {
            *error = QStringLiteral("at %1: %2").arg(Hex(address), *error);
            return exit;
        }
        progress_.done += part.size();
        Progress();
    }

    if (op.read_back) {
        phase(QStringLiteral("reading back"));
        for (qint64 at = 0; at < size; at += chunk) {
            const int n = int(std::min<qint64>(chunk, size - at));
            const quint32 address = op.start_address + quint32(at);
            if (!Request(ip, port, Cmd_Read,
                         Payload_Writer().u8(op.memory_type).u32(address).u16(quint16(n)).bytes, reply, error,
                         &exit)) {
                *error = QStringLiteral("at %1: %2").arg(Hex(address), *error);
                return exit;
            }
            Payload_Reader rr(reply.payload);
            rr.u8();
            const quint32 got_address = rr.u32();
            const quint16 got_length = rr.u16();
            const QByteArray got = rr.raw(got_length);
            if (!rr.at_end() || got_address != address || got_length != n) {
                *error = QStringLiteral("at %1: the converter sent back another range than asked for")
                             .arg(Hex(address));
                return Exit_Refused;
            }
            for (int i = 0; i < n; ++i)
                if (got[i] != data[at + i]) {
                    *error = QStringLiteral("the read-back differs at %1: written 0x%2, read 0x%3")
                                 .arg(Hex(address + quint32(i)))
                                 .arg(quint8(data[at + i]), 2, 16, QLatin1Char('0'))
                                 .arg(quint8(got[i]), 2, 16, QLatin1Char('0'));
                    return Exit_Refused;
                }
            progress_.done += n;
            Progress();
        }
        Log(QStringLiteral("Read back: every byte equals the file"));
    }

    if (op.write_css) {
        phase(QStringLiteral("writing the check record"));
        const QByteArray record =
            Payload_Writer().u32(op.start_address).u32(quint32(size)).u32(Crc32(data)).u8(op.bank_type).bytes;
        if (!Request(ip, port, Cmd_Control,
                     Payload_Writer()
                         .u8(op.command_css)
                         .u32(op.address_css)
                         .u16(quint16(record.size()))
                         .raw(record)
                         .bytes,
                     reply, error, &exit))
            return exit;
    }
    if (op.write_internal_data) {
        phase(QStringLiteral("writing internal data"));
        if (op.wid_data.size() > Max_Chunk) {
            *error = QStringLiteral("the internal data is longer than %1 bytes").arg(Max_Chunk);
            return Exit_Job;
        }
        if (!Request(ip, port, Cmd_Control,
                     Payload_Writer()
                         .u8(op.wid_command)
                         .u32(op.wid_address)
                         .u16(quint16(op.wid_data.size()))
                         .raw(op.wid_data)
                         .bytes,
                     reply, error, &exit))
            return exit;
    }
    if (op.go_to_app_after) {
        phase(QStringLiteral("starting the application"));
        if (!Request(ip, port, Cmd_Start, {}, reply, error, &exit))
            return exit;
        Log(QStringLiteral("Application started"));
    }
    phase(QStringLiteral("done"));
    return Exit_Ok;
}
