// Starting a program beside the configurator and waiting for it to end.
#pragma once

#include <QString>
#include <QtGlobal>

namespace UBoot {

// How long Start_Program waits at most.
extern int Start_Program_Limit_Ms; // 150000; tests shorten it

struct Program_Run {
    bool started = false;
    bool finished = false; // ended within the limit
    int exit_code = 0;     // when finished
    qint64 pid = 0;        // when started
    QString error;         // why it did not start
};

// Starts `NomeSW` with the command-line parameters `Parameter` (none when empty) in
// the current folder; `tipo` 0 shows its window normally, any other value asks for
// it hidden (only where the system has such a request). Then waits until it ends or
// `Start_Program_Limit_Ms` have passed; a program still running then keeps running.
// While it waits, the caller's windows keep painting but take no input: mouse and
// key events and requests to close a window from the window system are dropped.
Program_Run Start_Program(const QString& NomeSW, const QString& Parameter, int tipo);

} // namespace UBoot
