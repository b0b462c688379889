// converter-sim: plays a converter on a loopback address for the stand-in updater,
// keeps the memory it receives and shows the configuration written into it.
#include "common/Comon_State.h"
#include "common/Ip_Address.h"
#include "tools/Cli_Commands.h"
#include "tools/converter_sim/Sim_Converter.h"
#include "update/Job_File.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkDatagram>
#include <QSaveFile>
#include <QTimer>
#include <QUdpSocket>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>
#include <thread>

using namespace UComon;

namespace {

constexpr const char* Usage =
    "usage: converter-sim --address 127.0.0.N [--hardware standard|esp32] [--drop PERCENT] [--seed N]\n"
    "                     [--memory-out DIR] [--corrupt ADDRESS] [--start-in-boot] [--no-port PORT]\n";

std::atomic<bool> g_stop{false};
extern "C" void On_Signal(int) { g_stop = true; }

void Say(const QString& s) {
    std::fputs(qPrintable(s + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

struct Bank_Place {
    const char* file;
    quint32 address;
    quint32 size;
    bool esp32;
};
constexpr Bank_Place Bank_Places[] = {
    {"bank.bin", 0x66000, 10496, false},
    {"bank_ESP32_1.bin", 0x09000, 2048, true},
    {"bank_ESP32_2.bin", 0x310000, 8448, true},
};

class Simulator : public QObject {
public:
    Simulator(Sim::Converter& c, double drop, quint32 seed) : converter_(c), drop_(drop), random_(seed) {}

    bool Listen(quint32 address, quint16 port, Sim::Port_Kind kind) {
        auto* s = new QUdpSocket(this);
        if (!s->bind(QHostAddress(address), port)) {
            std::fprintf(stderr, "converter-sim: cannot listen on %s port %u: %s\n",
                         qPrintable(IP_Address_Text(address)), port, qPrintable(s->errorString()));
            return false;
        }
        connect(s, &QUdpSocket::readyRead, this, [this, s, kind] { Receive(s, kind); });
        return true;
    }

    // Writes the memory into `dir`: the written ranges and the bank files found.
    bool Save(const QString& dir, QStringList* banks) {
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "converter-sim: cannot make the folder %s\n", qPrintable(dir));
            return false;
        }
        QByteArray map;
        const Sim::Memory& m = converter_.memory();
        bool ok = true;
        for (const auto& [start, end] : m.Written()) {
            const QString name = QStringLiteral("region_%1.bin").arg(start, 8, 16, QLatin1Char('0'));
            ok = Write_File(Join(dir, name), m.Read(start, end - start)) && ok;
            map += QStringLiteral("0x%1 %2 %3\n")
                       .arg(start, 8, 16, QLatin1Char('0'))
                       .arg(end - start)
                       .arg(name)
                       .toUtf8();
        }
        for (const Bank_Place& b : Bank_Places) {
            const QString path = Join(dir, QLatin1String(b.file));
            if (b.esp32 == converter_.esp32() && m.Is_Written(b.address, b.size)) {
                ok = Write_File(path, m.Read(b.address, b.size)) && ok;
                banks->append(path);
            } else {
                QFile::remove(path); // no stale bank of an earlier run
            }
        }
        return Write_File(Join(dir, QStringLiteral("memory.map")), map) && ok;
    }

private:
    static QString Join(const QString& dir, const QString& name) { return dir + QLatin1Char('/') + name; }
    static bool Write_File(const QString& path, const QByteArray& bytes) {
        QSaveFile f(path);
        if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
            return true;
        std::fprintf(stderr, "converter-sim: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(f.errorString()));
        return false;
    }
    bool Drop() { return drop_ > 0 && std::uniform_real_distribution<double>(0, 100)(random_) < drop_; }

    void Receive(QUdpSocket* s, Sim::Port_Kind kind) {
        while (s->hasPendingDatagrams()) {
            const QNetworkDatagram d = s->receiveDatagram();
            if (Drop())
                continue;
            const qsizetype before = converter_.events.size();
            const Sim::Peer peer{d.senderAddress().toIPv4Address(), quint16(d.senderPort()), s->localPort()};
            const std::optional<QByteArray> reply = converter_.Handle(kind, peer, d.data());
            for (qsizetype i = before; i < converter_.events.size(); ++i)
                Say(QStringLiteral("converter-sim: ") + converter_.events[i]);
            if (reply && !Drop())
                s->writeDatagram(*reply, d.senderAddress(), quint16(d.senderPort()));
        }
    }

    Sim::Converter& converter_;
    double drop_;
    std::mt19937 random_;
};

} // namespace

// The dump of dravian-cli prints the decoded configuration; its usage errors end here.
int Cli_Usage_Error(const char* detail) {
    if (detail)
        std::fprintf(stderr, "converter-sim: %s\n", detail);
    return 2;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString address_text, memory_out;
    bool esp32 = false, start_in_boot = false;
    double drop = 0;
    quint32 seed = std::random_device{}();
    QList<quint32> corrupt;
    QList<int> closed_ports;
    auto usage = [](const char* detail) {
        std::fprintf(stderr, "converter-sim: %s\n%s", detail, Usage);
        return 2;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool has_value = i + 1 < args.size();
        int v = 0;
        if (a == QLatin1String("--address") && has_value) {
            address_text = args[++i];
        } else if (a == QLatin1String("--hardware") && has_value) {
            const QString h = args[++i].toLower();
            if (h != QLatin1String("standard") && h != QLatin1String("esp32"))
                return usage("--hardware is standard or esp32");
            esp32 = h == QLatin1String("esp32");
        } else if (a == QLatin1String("--drop") && has_value) {
            bool ok = false;
            drop = args[++i].toDouble(&ok);
            if (!ok || drop < 0 || drop > 100)
                return usage("--drop is a share in percent, 0 to 100");
        } else if (a == QLatin1String("--seed") && has_value && Try_Str_To_Int(args[i + 1], v)) {
            seed = quint32(v);
            ++i;
        } else if (a == QLatin1String("--memory-out") && has_value) {
            memory_out = args[++i];
        } else if (a == QLatin1String("--corrupt") && has_value && Try_Str_To_Int(args[i + 1], v)) {
            corrupt.append(quint32(v));
            ++i;
        } else if (a == QLatin1String("--no-port") && has_value && Try_Str_To_Int(args[i + 1], v)) {
            closed_ports.append(v);
            ++i;
        } else if (a == QLatin1String("--start-in-boot")) {
            start_in_boot = true;
        } else {
            return usage("unknown or incomplete option");
        }
    }
    quint32 address = 0;
    if (address_text.isEmpty() || !Parse_IP_Address(address_text, address))
        return usage("--address is a loopback address such as 127.0.0.5");
    if (!Is_Loopback_Address(address))
        return usage("the simulator only listens on loopback addresses (127.0.0.0/8)");

    Sim::Converter converter(esp32, start_in_boot);
    for (quint32 c : corrupt)
        converter.Corrupt_At(c);
    Simulator sim(converter, drop, seed);
    const struct {
        int port;
        Sim::Port_Kind kind;
    } ports[] = {{UBoot::Application_Port, Sim::Port_Kind::Application},
                 {UBoot::Boot_Port, Sim::Port_Kind::Boot},
                 {UBoot::Boot_Port_Sec, Sim::Port_Kind::Boot}};
    for (const auto& p : ports)
        if (!closed_ports.contains(p.port) && !sim.Listen(address, quint16(p.port), p.kind))
            return 1;

    auto save_and_print = [&](bool print) {
        QStringList banks;
        const bool saved = memory_out.isEmpty() || sim.Save(memory_out, &banks);
        if (!memory_out.isEmpty() && saved)
            Say(QStringLiteral("converter-sim: memory written to %1")
                    .arg(QDir::toNativeSeparators(memory_out)));
        if (print) {
            if (memory_out.isEmpty()) {
                Say(QStringLiteral("converter-sim: no --memory-out folder, so no configuration to print"));
            } else if (banks.isEmpty()) {
                Say(QStringLiteral("converter-sim: no configuration has been written"));
            }
            for (const QString& b : std::as_const(banks)) {
                Say(QStringLiteral("converter-sim: configuration in %1").arg(QDir::toNativeSeparators(b)));
                Cmd_Dump({b});
            }
        }
        return saved;
    };

    std::signal(SIGINT, On_Signal);
    std::signal(SIGTERM, On_Signal);
    QTimer stop_check;
    QObject::connect(&stop_check, &QTimer::timeout, &app, [&] {
        if (g_stop)
            app.quit();
    });
    stop_check.start(50);
    // Commands on the standard input.
    std::thread([&app, &save_and_print] {
        std::string line;
        while (std::getline(std::cin, line)) {
            const QString cmd = QString::fromStdString(line).trimmed();
            QMetaObject::invokeMethod(&app, [cmd, &app, &save_and_print] {
                if (cmd == QLatin1String("save"))
                    save_and_print(false);
                else if (cmd == QLatin1String("print"))
                    save_and_print(true);
                else if (cmd == QLatin1String("quit"))
                    app.quit();
                else if (!cmd.isEmpty())
                    Say(QStringLiteral("converter-sim: commands are save, print and quit"));
            });
        }
    }).detach();

    Say(QStringLiteral(
            "converter-sim: listening on %1 (application port %2, boot ports %3 and %4), %5 hardware")
            .arg(IP_Address_Text(address))
            .arg(UBoot::Application_Port)
            .arg(UBoot::Boot_Port)
            .arg(UBoot::Boot_Port_Sec)
            .arg(esp32 ? "ESP32" : "standard"));
    app.exec();
    Say(QStringLiteral("converter-sim: %1 requests carried out, %2 retries answered again")
            .arg(converter.executed)
            .arg(converter.replayed));
    const bool saved = save_and_print(true);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(saved ? 0 : 1); // the input thread may still wait for a line
}
