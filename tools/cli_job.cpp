// dravian-cli job
#include "tools/Cli_Commands.h"

int Cmd_Job(const QStringList& args) {
    Q_UNUSED(args);
    return Cli_Usage_Error("job is not available in this build");
}
