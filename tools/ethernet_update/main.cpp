// Ethernet_Update: the stand-in updater. Started with no arguments, it runs the job
// "Ethernet_Update.xml" beside itself against the converter the job names.
#include "tools/ethernet_update/Progress_Window.h"
#include "tools/ethernet_update/Updater.h"
#include "update/Job_File.h"

#include "common/Comon_State.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

constexpr const char* Usage = "usage: Ethernet_Update [--job FILE] [--batch] [--timeout-ms N] [--attempts N]"
                              " [--screenshot FILE]\n";
constexpr int Success_Close_Ms = 1500;

// The short log beside the job; each line is on disk as soon as it is written.
class Log_File {
public:
    explicit Log_File(const QString& path, bool echo) : file_(path), echo_(echo) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            std::fprintf(stderr, "Ethernet_Update: the log %s cannot be written: %s\n",
                         qPrintable(QDir::toNativeSeparators(path)), qPrintable(file_.errorString()));
    }
    void Line(const QString& s) {
        QMutexLocker lock(&mutex_);
        const QString line =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz ")) + s;
        if (file_.isOpen()) {
            file_.write(line.toUtf8() + '\n');
            file_.flush();
        }
        if (echo_) {
            std::fputs(qPrintable(s + QLatin1Char('\n')), stdout);
            std::fflush(stdout);
        }
    }

private:
    QFile file_;
    bool echo_;
    QMutex mutex_;
};

} // namespace

int main(int argc, char** argv) {
    // The command line is looked at before any window exists.
    bool batch = false;
    for (int i = 1; i < argc; ++i)
        batch = batch || QByteArray(argv[i]) == "--batch";
    if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString job_path =
        QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(UBoot::Job_File_Name);
    QString screenshot;
    Link_Timing timing;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool has_value = i + 1 < args.size();
        int v = 0;
        if (a == QLatin1String("--batch")) {
        } else if (a == QLatin1String("--job") && has_value) {
            job_path = QFileInfo(args[++i]).absoluteFilePath();
        } else if (a == QLatin1String("--screenshot") && has_value) {
            screenshot = args[++i];
        } else if (a == QLatin1String("--timeout-ms") && has_value &&
                   UComon::Try_Str_To_Int(args[i + 1], v) && v > 0) {
            timing.initial_timeout_ms = v;
            timing.min_timeout_ms = std::min(timing.min_timeout_ms, v);
            timing.max_timeout_ms = std::max(v, std::min(timing.max_timeout_ms, v * 8));
            ++i;
        } else if (a == QLatin1String("--attempts") && has_value && UComon::Try_Str_To_Int(args[i + 1], v) &&
                   v > 0) {
            timing.attempts = v;
            ++i;
        } else {
            std::fprintf(stderr, "Ethernet_Update: unknown or incomplete option %s\n%s", qPrintable(a),
                         Usage);
            return Exit_Usage;
        }
    }

    Log_File log(QFileInfo(job_path).absolutePath() + QStringLiteral("/Ethernet_Update.log"), batch);
    Updater updater(timing);
    updater.on_log = [&log](const QString& s) { log.Line(s); };

    Progress_Window* window = nullptr;
    if (!batch) {
        window = new Progress_Window(QStringLiteral("Ethernet Update"));
        window->show();
        updater.on_progress = [window, &updater, last = Update_Progress()](const Update_Progress& p) mutable {
            // Only what a person can see: a new phase or operation, or a further percent.
            const auto percent = [](const Update_Progress& x) {
                return x.total ? x.done * 100 / x.total : 0;
            };
            if (p.phase == last.phase && p.operation == last.operation && percent(p) == percent(last) &&
                p.done != p.total)
                return;
            last = p;
            const QString hw = updater.hardware;
            QMetaObject::invokeMethod(window, [window, p, hw] {
                if (!hw.isEmpty())
                    window->Show_Converter(QStringLiteral("Converter with the %1 hardware").arg(hw));
                window->Show_Progress(p);
            });
        };
    }

    Update_Exit result = Exit_Ok;
    QString error;
    QThread* worker = QThread::create([&] { result = updater.Run(job_path, &error); });
    QObject::connect(worker, &QThread::finished, &app, [&] {
        const QString text = result == Exit_Ok
                                 ? QStringLiteral("Update completed: every operation succeeded.")
                                 : QStringLiteral("Update failed: ") + error;
        log.Line(text);
        if (batch) {
            if (result != Exit_Ok)
                std::fprintf(stderr, "Ethernet_Update: %s\n", qPrintable(error));
            app.quit();
            return;
        }
        window->Show_Result(result == Exit_Ok, text);
        if (!screenshot.isEmpty()) {
            QApplication::processEvents();
            window->grab().save(screenshot);
        }
        bool ok = false;
        int close_ms = qEnvironmentVariableIntValue("ETHERNET_UPDATE_AUTO_CLOSE_MS", &ok);
        if (!ok)
            close_ms = result == Exit_Ok ? Success_Close_Ms : -1; // a failure waits to be read
        if (close_ms >= 0)
            QTimer::singleShot(close_ms, window, &QWidget::close);
    });
    if (window)
        QObject::connect(window, &QObject::destroyed, &app, &QApplication::quit);
    if (window)
        window->setAttribute(Qt::WA_DeleteOnClose);
    worker->start();
    app.exec();
    worker->wait();
    delete worker;
    return result;
}
