// For the update tests: the converter simulator and the stand-in updater as child
// processes, on loopback addresses only.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>

inline QString Update_Bin_Dir() {
#ifdef DRAVIAN_BIN_DIR
    return QStringLiteral(DRAVIAN_BIN_DIR);
#else
    return QCoreApplication::applicationDirPath(); // the test programs live beside the others
#endif
}

// A loopback address on which nothing listens: the simulators of the tests use 127.0.0.x.
inline constexpr const char* Silent_Address = "127.0.2.1";

// converter-sim on a free loopback address 127.0.0.2 .. 127.0.0.250.
struct Sim_Process {
    QProcess process;
    QString address;
    QString memory_dir;
    QByteArray output;

    // Starts it with `extra` options, writing its memory into `memory_out`. False when
    // no address could be taken.
    bool Start(const QString& memory_out, const QStringList& extra = {}) {
        memory_dir = memory_out;
        const int first = int(QRandomGenerator::global()->bounded(249));
        for (int k = 0; k < 40; ++k) {
            address = QStringLiteral("127.0.0.%1").arg(2 + (first + k * 7) % 249);
            process.start(Update_Bin_Dir() + QStringLiteral("/converter-sim"),
                          QStringList{"--address", address, "--memory-out", memory_out} + extra);
            if (!process.waitForStarted(5000))
                return false;
            while (process.state() == QProcess::Running && !output.contains("listening on")) {
                process.waitForReadyRead(100);
                output += process.readAllStandardOutput();
            }
            if (output.contains("listening on"))
                return true;
            process.waitForFinished(2000); // the address was taken: the next one
            output.clear();
        }
        return false;
    }

    // Ends it (it writes its memory first); its whole output.
    QByteArray Stop() {
        if (process.state() == QProcess::Running) {
            process.write("quit\n");
            process.waitForFinished(10000);
        }
        output += process.readAllStandardOutput();
        return output;
    }

    // The written memory: start address -> bytes, from memory.map.
    QMap<quint32, QByteArray> Memory() const {
        QMap<quint32, QByteArray> m;
        QFile map(memory_dir + QStringLiteral("/memory.map"));
        if (!map.open(QIODevice::ReadOnly))
            return m;
        for (const QByteArray& line : map.readAll().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() != 3)
                continue;
            QFile region(memory_dir + QLatin1Char('/') + QString::fromLatin1(f[2]));
            if (region.open(QIODevice::ReadOnly))
                m.insert(f[0].mid(2).toUInt(nullptr, 16), region.readAll());
        }
        return m;
    }

    // `length` bytes at `address` when they were all written, else empty.
    QByteArray Memory_At(quint32 address, int length) const {
        const QMap<quint32, QByteArray> m = Memory();
        for (auto it = m.begin(); it != m.end(); ++it)
            if (it.key() <= address && quint64(it.key()) + it.value().size() >= quint64(address) + length)
                return it.value().mid(address - it.key(), length);
        return {};
    }

    ~Sim_Process() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};

struct Updater_Run {
    int code = -1;
    QByteArray out, err;
};

// Ethernet_Update --batch on a job file.
inline Updater_Run Run_Updater(const QString& job, const QStringList& extra = {}) {
    QProcess p;
    p.start(Update_Bin_Dir() + QStringLiteral("/Ethernet_Update"),
            QStringList{"--batch", "--job", job} + extra);
    Updater_Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
