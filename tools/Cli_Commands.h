// The commands of dravian-cli; each returns the process exit code.
#pragma once

#include <QStringList>

int Cli_Usage_Error(const char* detail = nullptr);
int Cmd_Texts(const QStringList& args);
int Cmd_Check(const QStringList& args);
int Cmd_Build(const QStringList& args);
int Cmd_Dump(const QStringList& args);
int Cmd_Job(const QStringList& args);
