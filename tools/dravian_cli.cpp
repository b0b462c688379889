// Command-line companion of the configurator: no windows, same files and rules.
#include "common/Comon_State.h"
#include "texts/Text_Table.h"
#include "tools/Cli_Commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <cstdio>

using namespace UComon;

namespace {

constexpr const char* Usage =
    "usage: dravian-cli texts [--lng FILE] --json\n"
    "       dravian-cli check PROJECT_DIR\n"
    "       dravian-cli build PROJECT_DIR\n"
    "       dravian-cli dump FILE [--json]\n"
    "       dravian-cli job PROJECT_DIR --ip TEXT --option N [--no-read-back] --out FILE\n";

int Usage_Error(const char* detail = nullptr) { return Cli_Usage_Error(detail); }

void Print_Utf8(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int Cli_Usage_Error(const char* detail) {
    if (detail)
        std::fprintf(stderr, "dravian-cli: %s\n", detail);
    std::fputs(Usage, stderr);
    return 2;
}

int Cmd_Texts(const QStringList& args) {
    QString lng;
    bool json = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--json")) {
            json = true;
        } else if (args[i] == QLatin1String("--lng") && i + 1 < args.size()) {
            lng = args[++i];
        } else {
            return Usage_Error("unknown or incomplete option for texts");
        }
    }
    if (!json)
        return Usage_Error("texts needs --json");
    Init_Text_Table();
    if (!lng.isEmpty() && !Read_Lang_File(lng)) {
        std::fprintf(stderr, "dravian-cli: cannot read the language file %s\n", qPrintable(lng));
        return 1;
    }
    QJsonArray a;
    for (const QString& s : std::as_const(Text_Table))
        a.append(s);
    Print_Utf8(QJsonDocument(a).toJson(QJsonDocument::Compact) + '\n');
    return 0;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Usage_Error();
    const QString cmd = args.takeFirst();
    if (cmd == QLatin1String("texts"))
        return Cmd_Texts(args);
    if (cmd == QLatin1String("check"))
        return Cmd_Check(args);
    if (cmd == QLatin1String("build"))
        return Cmd_Build(args);
    if (cmd == QLatin1String("dump"))
        return Cmd_Dump(args);
    if (cmd == QLatin1String("job"))
        return Cmd_Job(args);
    return Usage_Error("unknown command");
}
