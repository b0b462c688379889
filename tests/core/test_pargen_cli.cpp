// dravian-cli check, for the communication settings.
#include "comm_settings/ParGen.h"
#include "test_support/Temp_Program.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

struct Run_Result {
    int exit_code = -1;
    QString out;
    QString err;
};

Run_Result Run_Cli(const QStringList& args) {
    const QString cli = QStringLiteral(DRAVIAN_BIN_DIR "/dravian-cli");
    Run_Result r;
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
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

TEST(ParGen_Cli, Check_Reports_OK_Or_The_First_Failure) {
    Temp_Program p;
    p.write("PROJECTS/Empty/bin/.keep", "");
    Run_Result r = Run_Cli({"check", p.path("PROJECTS/Empty")});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "OK\n"); // no ParGen.xml: the defaults the window would show

    p.write("PROJECTS/Bad/ParGen.xml", "<Par_Gen><MTCPs_IP4>256</MTCPs_IP4><MTCPs_PORT>10000</MTCPs_PORT>"
                                       "<MTCPs_EN_GAT>0</MTCPs_EN_GAT><MTCPs_GAT1>x</MTCPs_GAT1></Par_Gen>");
    r = Run_Cli({"check", p.path("PROJECTS/Bad")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "414: Error Modbus TCP Slave!! IP Address 4 must be between 0 and 255\n");

    TParGen v;
    v.DALI_SWITCH_OFF = true;
    v.DALI_TIMEOUT = "3600001";
    p.write("PROJECTS/Late/bin/.keep", "");
    ASSERT_TRUE(Save_ParGen(p.path("PROJECTS/Late/ParGen.xml"), v));
    r = Run_Cli({"check", p.path("PROJECTS/Late")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "557: Error DALI!! TimeOut must be between 0 and 3600000 ms\n");
}

TEST(ParGen_Cli, Check_Names_A_File_That_Is_Not_Well_Formed) {
    Temp_Program p;
    p.write("PROJECTS/Broken/ParGen.xml", "<Par_Gen><MTCPs_PORT>502</Par_Gen>");
    const Run_Result r = Run_Cli({"check", p.path("PROJECTS/Broken")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.out.startsWith("904: ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("ParGen.xml")) << r.out.toStdString();
    EXPECT_EQ(r.out.count('\n'), 1) << r.out.toStdString();
}

TEST(ParGen_Cli, Check_Usage_Errors_Exit_2) {
    Temp_Program p;
    EXPECT_EQ(Run_Cli({"check"}).exit_code, 2);
    EXPECT_EQ(Run_Cli({"check", p.path("a"), p.path("b")}).exit_code, 2);
    const Run_Result r = Run_Cli({"check", p.path("no_such_project")});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no_such_project"));
}

TEST(ParGen_Cli, Check_Runs_The_DALI_Checks_After_The_Communication_Checks) {
    Temp_Program p;
    const QByteArray broken_dali = "<DALI2_Access><Rules><Row";
    p.write("PROJECTS/Dali/DALI2_Access.xml", broken_dali);
    Run_Result r = Run_Cli({"check", p.path("PROJECTS/Dali")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.out.startsWith("904: ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("DALI2_Access.xml")) << r.out.toStdString();

    // A communication failure comes first.
    p.write("PROJECTS/Dali/ParGen.xml", "<Par_Gen><MTCPs_PORT>10000</MTCPs_PORT></Par_Gen>");
    r = Run_Cli({"check", p.path("PROJECTS/Dali")});
    EXPECT_EQ(r.out, "423: Error Modbus TCP Slave!! PORT must be between 0 and 65535 and different from 10000\n");
}
