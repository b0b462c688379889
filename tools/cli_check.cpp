// dravian-cli check
#include "tools/Cli_Commands.h"

int Cmd_Check(const QStringList& args) {
    Q_UNUSED(args);
    return Cli_Usage_Error("check is not available in this build");
}
