// dravian-cli job PROJECT_DIR --ip TEXT --option N [--no-read-back] --out FILE:
// the update job that the update window writes, for a project and an address.
#include "common/Comon_State.h"
#include "common/Ip_Address.h"
#include "tools/Cli_Commands.h"
#include "update/Job_File.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace UComon;

int Cmd_Job(const QStringList& args) {
    QString project, ip, option_text, out;
    bool have_ip = false, have_option = false, read_back = true;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--ip") && i + 1 < args.size()) {
            ip = args[++i];
            have_ip = true;
        } else if (a == QLatin1String("--option") && i + 1 < args.size()) {
            option_text = args[++i];
            have_option = true;
        } else if (a == QLatin1String("--out") && i + 1 < args.size()) {
            out = args[++i];
        } else if (a == QLatin1String("--no-read-back")) {
            read_back = false;
        } else if (!a.startsWith(QLatin1String("--")) && project.isEmpty()) {
            project = a;
        } else {
            return Cli_Usage_Error("unknown or incomplete option for job");
        }
    }
    if (project.isEmpty() || !have_ip || !have_option || out.isEmpty())
        return Cli_Usage_Error("job needs PROJECT_DIR, --ip, --option and --out");
    int option = -1;
    if (!Try_Str_To_Int(option_text, option) || option < 0 || option > 2)
        return Cli_Usage_Error(
            "--option is 0 (firmware and configuration), 1 (firmware) or 2 (configuration)");
    QString b1, b2, b3, b4;
    if (!Split_IP_Address(ip, b1, b2, b3, b4))
        return Cli_Usage_Error("--ip is a dotted address such as 192.168.2.205");
    if (!QFileInfo(project).isDir())
        return Cli_Usage_Error("PROJECT_DIR is not a folder");

    UBoot::Job_Request r;
    r.ip_address = ip; // as typed
    r.option = option;
    r.read_back = read_back;
    r.master_dir = Join_Path(QCoreApplication::applicationDirPath(), QStringLiteral("MASTER"));
    r.project_dir = QDir::cleanPath(QFileInfo(project).absoluteFilePath());
    QString reason;
    if (!UBoot::Write_Job(out, r, &reason)) {
        std::fprintf(stderr, "dravian-cli: the job cannot be written to %s: %s\n",
                     qPrintable(QDir::toNativeSeparators(out)), qPrintable(reason));
        return 1;
    }
    return 0;
}
