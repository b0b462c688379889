// dravian-cli check PROJECT_DIR: loads the project's files as the editor windows
// load them and runs their confirmation checks in the windows' order. Prints OK,
// or the first failure as "<line>: <message>" (English text).
#include "app/Settings.h"
#include "comm_settings/ParGen_Check.h"
#include "common/Comon_State.h"
#include "dali/DALI_Check.h"
#include "texts/Text_Table.h"
#include "tools/Cli_Commands.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace UComon;

namespace {

int Report_Failure(int line, const QString& message) {
    std::printf("%d: %s\n", line, message.toUtf8().constData());
    std::fflush(stdout);
    return 1;
}

} // namespace

int Cmd_Check(const QStringList& args) {
    if (args.size() != 1) return Cli_Usage_Error("check needs exactly one PROJECT_DIR");
    const QFileInfo dir(args.first());
    if (!dir.isDir()) {
        const QByteArray detail =
            "no such project folder: " + QDir::toNativeSeparators(args.first()).toUtf8();
        return Cli_Usage_Error(detail.constData());
    }

    // The project becomes the active one, so the files are the windows' files.
    Init_Text_Table();
    Project_Dir = QDir::cleanPath(dir.absoluteFilePath());
    Project_Name = QFileInfo(Project_Dir).fileName();
    Set_Files();

    // Communication settings (the communication window's checks).
    const TParGen_Check_Result comm = Check_ParGen_File(ParGen_File);
    if (!comm.ok()) return Report_Failure(comm.line, comm.message);

    // DALI access (the DALI window's checks), once the communication settings passed.
    const DALI::Check_Result dali = DALI::Check_DALI_Project(Project_Dir);
    if (!dali.ok) return Report_Failure(dali.line, dali.message);

    std::printf("OK\n");
    std::fflush(stdout);
    return 0;
}
