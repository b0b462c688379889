// dravian-cli check, for the communication settings.
#include "comm_settings/ParGen.h"
#include "test_support/Run_Cli.h"
#include "test_support/Temp_Program.h"


#include <gtest/gtest.h>

using namespace UComon;

TEST(ParGen_Cli, Check_Reports_OK_Or_The_First_Failure) {
    Temp_Program p;
    p.write("PROJECTS/Empty/bin/.keep", "");
    Cli_Run r = Run_Dravian_Cli({"check", p.path("PROJECTS/Empty")});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "OK\n"); // no ParGen.xml: the defaults the window would show

    p.write("PROJECTS/Bad/ParGen.xml", "<Par_Gen><MTCPs_IP4>256</MTCPs_IP4><MTCPs_PORT>10000</MTCPs_PORT>"
                                       "<MTCPs_EN_GAT>0</MTCPs_EN_GAT><MTCPs_GAT1>x</MTCPs_GAT1></Par_Gen>");
    r = Run_Dravian_Cli({"check", p.path("PROJECTS/Bad")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "414: Error Modbus TCP Slave!! IP Address 4 must be between 0 and 255\n");

    TParGen v;
    v.DALI_SWITCH_OFF = true;
    v.DALI_TIMEOUT = "3600001";
    p.write("PROJECTS/Late/bin/.keep", "");
    ASSERT_TRUE(Save_ParGen(p.path("PROJECTS/Late/ParGen.xml"), v));
    r = Run_Dravian_Cli({"check", p.path("PROJECTS/Late")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "557: Error DALI!! TimeOut must be between 0 and 3600000 ms\n");
}

TEST(ParGen_Cli, Check_Names_A_File_That_Is_Not_Well_Formed) {
    Temp_Program p;
    p.write("PROJECTS/Broken/ParGen.xml", "<Par_Gen><MTCPs_PORT>502</Par_Gen>");
    const Cli_Run r = Run_Dravian_Cli({"check", p.path("PROJECTS/Broken")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.out.startsWith("904: ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("ParGen.xml")) << r.out.toStdString();
    EXPECT_EQ(r.out.count('\n'), 1) << r.out.toStdString();
}

TEST(ParGen_Cli, Check_Usage_Errors_Exit_2) {
    Temp_Program p;
    EXPECT_EQ(Run_Dravian_Cli({"check"}).exit_code, 2);
    EXPECT_EQ(Run_Dravian_Cli({"check", p.path("a"), p.path("b")}).exit_code, 2);
    const Cli_Run r = Run_Dravian_Cli({"check", p.path("no_such_project")});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no_such_project"));
}

TEST(ParGen_Cli, Check_Runs_The_DALI_Checks_After_The_Communication_Checks) {
    Temp_Program p;
    const QByteArray broken_dali = "<DALI2_Access><Rules><Row";
    p.write("PROJECTS/Dali/DALI2_Access.xml", broken_dali);
    Cli_Run r = Run_Dravian_Cli({"check", p.path("PROJECTS/Dali")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.out.startsWith("904: ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("DALI2_Access.xml")) << r.out.toStdString();

    // A communication failure comes first.
    p.write("PROJECTS/Dali/ParGen.xml", "<Par_Gen><MTCPs_PORT>10000</MTCPs_PORT></Par_Gen>");
    r = Run_Dravian_Cli({"check", p.path("PROJECTS/Dali")});
    EXPECT_EQ(r.out, "423: Error Modbus TCP Slave!! PORT must be between 0 and 65535 and different from 10000\n");
}
