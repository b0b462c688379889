// dravian-cli dump
#include "tools/Cli_Commands.h"

int Cmd_Dump(const QStringList& args) {
    Q_UNUSED(args);
    return Cli_Usage_Error("dump is not available in this build");
}
