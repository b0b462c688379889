// dravian-cli build
#include "tools/Cli_Commands.h"

int Cmd_Build(const QStringList& args) {
    Q_UNUSED(args);
    return Cli_Usage_Error("build is not available in this build");
}
