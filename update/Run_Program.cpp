#include "update/Run_Program.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace UBoot {

int Start_Program_Limit_Ms = 150000;

namespace {

// Drops every input event while the program runs, so the windows stay painted and
// nothing the user does meanwhile is delivered later.
class Input_Blocker : public QObject {
public:
    Input_Blocker() {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(this);
    }
    ~Input_Blocker() override {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            return e->spontaneous(); // the window system's close button
        default:
            return false;
        }
    }
};

} // namespace

Program_Run Start_Program(const QString& NomeSW, const QString& Parameter, int tipo) {
    Program_Run run;
    if (!QFileInfo(NomeSW).isFile()) {
        run.error = QStringLiteral("the program does not exist");
        return run;
    }
    // Kept on the heap: a program that outlives the wait must not be ended when the
    // wait gives up.
    auto* process = new QProcess;
    process->setProgram(NomeSW);
#ifdef Q_OS_WIN
    process->setNativeArguments(Parameter);
    if (tipo != 0)
        process->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* a) {
            a->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            a->startupInfo->wShowWindow = SW_HIDE;
        });
#else
    Q_UNUSED(tipo);
    process->setArguments(QProcess::splitCommand(Parameter));
#endif
    // The program writes where the configurator writes and reads nothing from it.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(10000)) {
        run.error = process->errorString();
        process->kill();
        process->waitForFinished(1000);
        delete process;
        return run;
    }
    run.started = true;
    run.pid = process->processId();

    Input_Blocker blocker;
    QElapsedTimer since_start;
    since_start.start();
    const bool has_events = QCoreApplication::instance() != nullptr;
    while (since_start.elapsed() < Start_Program_Limit_Ms) {
        if (process->state() == QProcess::NotRunning || process->waitForFinished(10)) {
            run.finished = true;
            break;
        }
        if (has_events)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    if (run.finished) {
        run.exit_code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        delete process;
    } else if (has_events) {
        // It goes on alone; its process object goes when it ends.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    }
    return run;
}

} // namespace UBoot
