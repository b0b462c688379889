// dravian-cli build PROJECT_DIR: compiles the project into its three bank files.
#include "image/Build_Image.h"
#include "texts/Text_Table.h"
#include "tools/Cli_Commands.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

int Cmd_Build(const QStringList& args) {
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        return Cli_Usage_Error("build needs exactly one PROJECT_DIR");
    const QString dir = QDir::cleanPath(QDir::fromNativeSeparators(args[0]));
    if (!QFileInfo(dir).isDir()) {
        std::fprintf(stderr, "dravian-cli: the project folder %s does not exist\n",
                     qPrintable(QDir::toNativeSeparators(dir)));
        return 1;
    }
    UComon::Init_Text_Table(); // the messages are the configurator's own

    USaveBincc::Config_Image image;
    USaveBincc::Bank_Buffers buffers;
    USaveBincc::Build_Error error;
    if (!USaveBincc::Build_Image_From(USaveBincc::Project_Files::In(dir), image, buffers, &error) ||
        !USaveBincc::Write_Bank_Files(dir, buffers, &error)) {
        std::fprintf(stderr, "dravian-cli: %s\n", error.One_Line().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
