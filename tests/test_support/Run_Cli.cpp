#include "test_support/Run_Cli.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

Cli_Run Run_Dravian_Cli(const QStringList& args) {
    const QString cli = QStringLiteral(DRAVIAN_BIN_DIR "/dravian-cli");
    Cli_Run r;
    if (!QFileInfo(cli).isExecutable()) {
        ADD_FAILURE() << "dravian-cli is not built: " << cli.toStdString();
        return r;
    }
    QProcess p;
    p.start(cli, args);
    if (!p.waitForFinished(30000)) {
        ADD_FAILURE() << "dravian-cli did not finish";
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exit_code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
