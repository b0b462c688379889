// Runs the built dravian-cli as a technician runs it.
#pragma once

#include <QByteArray>
#include <QStringList>

struct Cli_Run {
    int exit_code = -1; // -1 when it did not start, crashed or did not finish
    QByteArray out;
    QByteArray err;
};

Cli_Run Run_Dravian_Cli(const QStringList& args);
