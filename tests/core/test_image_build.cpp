// Building the image from a project's files: codes, fallbacks, counts and refusals.
#include "test_image_helpers.h"

#include "common/Comon_State.h"

#include <QFileInfo>

using namespace USaveBincc;
using image_test::Dali2;
using image_test::Project;

namespace {

QByteArray Par_Gen(const QByteArray& children) { return "<Par_Gen>" + children + "</Par_Gen>"; }

// Every element of a full ParGen.xml except those named in `leave_out`; `extra` after them.
QByteArray Par_Gen_Without(const QStringList& leave_out, const QByteArray& extra = {}) {
    const std::pair<const char*, const char*> all[] = {
        {"MTCPs_IP1", "10"},
        {"MTCPs_IP2", "0"},
        {"MTCPs_IP3", "0"},
        {"MTCPs_IP4", "7"},
        {"MTCPs_SUB1", "255"},
        {"MTCPs_SUB2", "255"},
        {"MTCPs_SUB3", "255"},
        {"MTCPs_SUB4", "0"},
        {"MTCPs_EN_GAT", "1"},
        {"MTCPs_GAT1", "10"},
        {"MTCPs_GAT2", "0"},
        {"MTCPs_GAT3", "0"},
        {"MTCPs_GAT4", "1"},
        {"MTCPs_PORT", "1502"},
        {"Modbus_TCP_Slave_DALI_Map", "0"},
        {"DALI_CONSOLE_PORT", "20001"},
        {"DALI_SWITCH_OFF", "0"},
        {"DALI_TIMEOUT", "5000"},
        {"DALI_DISABLE_SCAN", "0"},
        {"DALI_ENABLE_DALI_2", "0"},
    };
    QByteArray b;
    for (const auto& [name, text] : all)
        if (!leave_out.contains(QLatin1String(name)))
            b += QByteArray("<") + name + ">" + text + "</" + name + ">\n";
    return Par_Gen(b + extra);
}

QString Dotted(const std::array<quint8, 4>& a) {
    return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
}

QByteArray Rows(int n, const char* row) {
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b += row;
    return b;
}

} // namespace

TEST(Image_Build, CommunicationSettingsFallbacksAndOverrides) {
    struct Case {
        const char* what;
        QByteArray par_gen;
        const char* ip;
        const char* gateway;
        int port;
        quint32 timeout;
    } cases[] = {
        {"every element", Par_Gen_Without({}), "10.0.0.7", "10.0.0.1", 1502, 0},
        {"no MTCPs_IP4, no MTCPs_PORT", Par_Gen_Without({"MTCPs_IP4", "MTCPs_PORT"}), "10.0.0.10", "10.0.0.1",
         502, 0},
        {"empty root", Par_Gen({}), "192.168.0.10", "255.255.255.255", 502, 0},
        {"gateway not enabled", Par_Gen_Without({"MTCPs_EN_GAT"}, "<MTCPs_EN_GAT>0</MTCPs_EN_GAT>"),
         "10.0.0.7", "255.255.255.255", 1502, 0},
        {"gateway flag missing", Par_Gen_Without({"MTCPs_EN_GAT"}), "10.0.0.7", "255.255.255.255", 1502, 0},
        {"switch-off with time-out",
         Par_Gen_Without({"DALI_SWITCH_OFF"}, "<DALI_SWITCH_OFF>1</DALI_SWITCH_OFF>"), "10.0.0.7", "10.0.0.1",
         1502, 5000},
        {"switch-off, no time-out", Par_Gen("<DALI_SWITCH_OFF>1</DALI_SWITCH_OFF>"), "192.168.0.10",
         "255.255.255.255", 502, 0},
        {"byte 300 truncated, -1, hex, not a number",
         Par_Gen("<MTCPs_IP1>300</MTCPs_IP1><MTCPs_IP2>-1</MTCPs_IP2><MTCPs_IP3>$1F</MTCPs_IP3>"
                 "<MTCPs_IP4>7 </MTCPs_IP4><MTCPs_PORT>70000</MTCPs_PORT>"),
         "44.255.31.10", "255.255.255.255", 70000 & 0xFFFF, 0},
        {"first of two elements", Par_Gen("<MTCPs_IP1>1</MTCPs_IP1><MTCPs_IP1>2</MTCPs_IP1>"), "1.168.0.10",
         "255.255.255.255", 502, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Project p;
        p.write("ParGen.xml", c.par_gen);
        Config_Image image;
        p.build(&image);
        const Parameter_Block& b = image.parameters;
        EXPECT_EQ(Dotted(b.ip_address), QLatin1String(c.ip));
        EXPECT_EQ(Dotted(b.gateway), QLatin1String(c.gateway));
        EXPECT_EQ(b.mtcp_port, c.port);
        EXPECT_EQ(b.dali_timeout, c.timeout);
        EXPECT_EQ(QByteArray(b.version_text.data(), 8), QByteArray("1.501\0\0\0", 8));
    }
}

TEST(Image_Build, CommunicationFlagsOnlyByTheirExactText) {
    Project p;
    p.write("ParGen.xml", Par_Gen("<Modbus_TCP_Slave_DALI_Map>1</Modbus_TCP_Slave_DALI_Map>"
                                  "<DALI_DISABLE_SCAN>true</DALI_DISABLE_SCAN>"
                                  "<DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>"
                                  "<DALI_CONSOLE_PORT></DALI_CONSOLE_PORT>"));
    Config_Image image;
    p.build(&image);
    EXPECT_EQ(image.parameters.option_byte, 0x01);
    EXPECT_EQ(image.parameters.dali_options, 0x20000u);
    EXPECT_EQ(image.parameters.console_port, 10001); // an empty number takes the fallback
    EXPECT_EQ(Dotted(image.parameters.subnet_mask), QLatin1String("255.255.255.0"));
}

TEST(Image_Build, DeviceWordsFromTheDeviceFile) {
    Project p;
    p.copy_fixture(QStringLiteral("full"));
    Config_Image image;
    p.build(&image);
    EXPECT_EQ(image.devices[0], 0x800C);
    EXPECT_EQ(image.devices[5], 0x8011);
    EXPECT_EQ(image.devices[10], 0); // "true" is not "1"; the recall text's case counts
    EXPECT_EQ(image.devices[12], 0x8000);
    EXPECT_EQ(image.devices[63], 0x0004);
    for (int n = 64; n <= 80; ++n) // groups and broadcast: never from the project
        EXPECT_EQ(image.devices[size_t(n)], 0) << n;
}

TEST(Image_Build, EnabledRulesAndThePositionCount) {
    struct Case {
        const char* what;
        QByteArray rules;
        quint32 rule_count;
        quint32 position_count;
    } cases[] = {
        {"three disabled, then one enabled",
         Rows(3, "<row Enable='N' Position='50'/>") + "<row Enable='Y' Position='2' Command='9'/>", 1, 3},
        {"positions 3 and 7", "<row Enable='Y' Position='3'/><row Enable='Y' Position='7'/>", 2, 8},
        {"position 0 counts", "<row Enable='Y' Position='0'/>", 1, 1},
        {"no position, not a number, below 0",
         "<row Enable='Y'/><row Enable='Y' Position='x'/><row Enable='Y' Position='-4'/>", 3, 0},
        {"16-bit position", "<row Enable='Y' Position='70000'/>", 1, (70000 & 0xFFFF) + 1},
        {"Enable missing, lower case, N",
         "<row Position='1'/><row Enable='y' Position='1'/><row Enable='N'/>", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Project p;
        p.write("DALI2_Access.xml", Dali2({}, c.rules));
        Config_Image image;
        p.build(&image);
        EXPECT_EQ(image.parameters.rule_count, c.rule_count);
        EXPECT_EQ(image.parameters.position_count, c.position_count);
    }
    Project p;
    p.write("DALI2_Access.xml", Dali2({}, Rows(3, "<row Enable='N' Command='1'/>") +
                                              "<row Enable='Y' Command='9' Position='-4'/>"));
    Config_Image image;
    p.build(&image);
    EXPECT_EQ(image.rules[0].command, 9);
    EXPECT_EQ(image.rules[0].position, 0);
    EXPECT_EQ(image.rules[1].command, 0);
}

TEST(Image_Build, SensorAndDeviceRules) {
    Project p;
    p.write("DALI2_Access.xml",
            Dali2({}, "<row Enable='Y' DeviceSensor='Device' Type='Push Button' NumBytes='2'/>"
                      "<row Enable='Y' DeviceSensor='Sensor' Type='Push Button' NumBytes='2'/>"
                      "<row Enable='Y' DeviceSensor='Sensor' Type='Occupancy Sensor' NumBytes='1'/>"
                      "<row Enable='Y' DeviceSensor='sensor' Type='Dimmer' NumBytes='2'/>"));
    Config_Image image;
    p.build(&image);
    EXPECT_EQ(image.rules[0].Key_Word(), 0u); // no device type of that name, no two-byte bit
    EXPECT_EQ(image.rules[1].Key_Word(), (1u << 14) | (1u << 18) | (1u << 29));
    EXPECT_EQ(image.rules[2].Key_Word(), (3u << 14) | (1u << 18));
    EXPECT_EQ(image.rules[3].Key_Word(), 4u << 14); // "sensor" is a device: Dimmer
}

TEST(Image_Build, FunctionEntriesFollowTheRowNumbers) {
    QByteArray rows;
    for (int k = 1; k <= 250; ++k)
        rows += QStringLiteral("<row Function='Set Out' Val='%1' Next_Function='%2' Mnemonic=''/>\n")
                    .arg(k)
                    .arg(k - 1)
                    .toLatin1();
    Project p;
    p.write("DALI2_Access.xml", Dali2(rows, {}));
    Config_Image image;
    const Bank_Buffers b = p.build(&image);
    EXPECT_EQ(b.bank.mid(0x1400, 12), QByteArray(12, '\0')); // entry 0 stays the null function
    EXPECT_EQ(image.functions[1].brightness, 1);
    EXPECT_EQ(image.functions[250].brightness, 250);
    EXPECT_EQ(image.functions[250].next_function, 249);
    EXPECT_EQ(image.functions[250].function, 17);
    EXPECT_EQ(image.functions[251].function, 0);
}

TEST(Image_Build, FunctionValueWithEitherSeparator) {
    // Whatever the user's locale, the window accepts both forms and so does the build.
    Project p;
    p.write("DALI2_Access.xml",
            Dali2("<row Value='12,5'/><row Value='12.5'/><row Value='-0,25'/><row Value='1e3'/>"
                  "<row Value='12,5 lux'/>",
                  {}));
    Config_Image image;
    p.build(&image);
    EXPECT_EQ(image.functions[1].value, 12.5f);
    EXPECT_EQ(image.functions[2].value, 12.5f);
    EXPECT_EQ(image.functions[3].value, -0.25f);
    EXPECT_EQ(image.functions[4].value, 1000.0f);
    EXPECT_EQ(image.functions[5].value, 1.0f); // not a number
}

TEST(Image_Build, TableLimits) {
    const char* enabled = "<row Enable='Y' Command='7'/>\n";
    const char* function = "<row Function='Toggle'/>\n";
    struct Case {
        const char* what;
        QByteArray file;
        int line; // 0: accepted
        int count;
    } cases[] = {
        {"256 enabled rules and more disabled ones",
         Dali2({}, Rows(256, enabled) + Rows(10, "<row Enable='N'/>")), 0, 0},
        {"257 enabled rules", Dali2({}, Rows(257, enabled)), Line_Too_Many_Rules, 257},
        {"255 functions", Dali2(Rows(255, function), {}), 0, 0},
        {"256 functions", Dali2(Rows(256, function), {}), Line_Too_Many_Functions, 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Project p;
        p.write("DALI2_Access.xml", c.file);
        if (c.line == 0) {
            Config_Image image;
            p.build(&image);
            continue;
        }
        const Build_Error e = p.refused();
        EXPECT_EQ(e.line, c.line);
        EXPECT_EQ(e.count, c.count);
        EXPECT_EQ(e.file, p.file("DALI2_Access.xml"));
    }
    Project p;
    p.write("DALI2_Access.xml", Dali2(Rows(255, function), Rows(256, enabled)));
    Config_Image image;
    p.build(&image);
    EXPECT_EQ(image.rules[255].command, 7);
    EXPECT_EQ(image.functions[255].function, 20);
    EXPECT_EQ(image.parameters.rule_count, 256u);
}

TEST(Image_Build, DaliTwoFileWithoutItsLists) {
    struct Case {
        const char* what;
        QByteArray file;
        quint32 rules;
        quint8 function_1;
    } cases[] = {
        {"no rule list",
         "<DALI2_Access><DALI2_Functions_Rules><row Function='Toggle'/></DALI2_Functions_Rules>"
         "</DALI2_Access>",
         0, 20},
        {"no function list",
         "<DALI2_Access><DALI2_SetAccess_Rules><row Enable='Y'/></DALI2_SetAccess_Rules>"
         "</DALI2_Access>",
         1, 0},
        {"another root", "<Other><DALI2_SetAccess_Rules><row Enable='Y'/></DALI2_SetAccess_Rules></Other>", 0,
         0},
        {"comment and declaration around the root",
         "<?xml version='1.0'?><!--x--><DALI2_Access><DALI2_SetAccess_Rules><!--c--><row Enable='Y'/>"
         "</DALI2_SetAccess_Rules></DALI2_Access>",
         1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Project p;
        p.copy_fixture(QStringLiteral("full"));
        p.write("DALI2_Access.xml", c.file);
        Config_Image image;
        p.build(&image);
        EXPECT_EQ(image.parameters.rule_count, c.rules);
        EXPECT_EQ(image.functions[1].function, c.function_1);
        EXPECT_EQ(image.devices[0], 0x800C); // the rest of the project is intact
        EXPECT_EQ(image.parameters.mtcp_port, 1502);
    }
}

TEST(Image_Build, FileThatIsNotXmlStopsTheBuild) {
    for (const char* name : {"ParGen.xml", "DALI_Access.xml", "DALI2_Access.xml"}) {
        SCOPED_TRACE(name);
        Project p;
        p.copy_fixture(QStringLiteral("full"));
        p.write(QLatin1String(name), "<Par_Gen><MTCPs_IP1>10</MTCPs_IP1>"); // cut short
        const Build_Error e = p.refused();
        EXPECT_EQ(e.line, Line_File_Not_XML);
        EXPECT_EQ(e.file, p.file(QLatin1String(name)));
        EXPECT_FALSE(e.reason.isEmpty());
    }
}

TEST(Image_Build, EveryBuildStartsFromScratch) {
    Project full;
    full.copy_fixture(QStringLiteral("full"));
    Project empty;
    Config_Image image;
    Bank_Buffers first, second, after;
    ASSERT_TRUE(Build_Image_From(full.files(), image, first));
    ASSERT_TRUE(Build_Image_From(full.files(), image, second));
    EXPECT_EQ(first.bank, second.bank);
    EXPECT_EQ(first.esp32_1, second.esp32_1);
    EXPECT_EQ(first.esp32_2, second.esp32_2);
    ASSERT_TRUE(Build_Image_From(empty.files(), image, after));
    EXPECT_EQ(after.bank, empty.build().bank); // nothing of the full project is left
}

TEST(Image_Write, BankFilesInTheBinFolder) {
    Project p;
    p.copy_fixture(QStringLiteral("full"));
    QDir(p.file("bin")).removeRecursively(); // a missing bin is made
    const Bank_Buffers b = p.build();
    Build_Error e;
    ASSERT_TRUE(Write_Bank_Files(p.dir(), b, &e)) << e.One_Line().toStdString();
    EXPECT_EQ(image_test::Read_File(p.file("bin/bank.bin")), b.bank);
    EXPECT_EQ(image_test::Read_File(p.file("bin/bank_ESP32_1.bin")), b.esp32_1);
    EXPECT_EQ(image_test::Read_File(p.file("bin/bank_ESP32_2.bin")), b.esp32_2);
    EXPECT_EQ(QDir(p.file("bin")).entryList(QDir::Files).size(), 3); // no stray temporary file
}

TEST(Image_Write, FailureLeavesEveryOldFileAsItWas) {
    Project p;
    p.write("bin/bank.bin", "old 1");
    p.write("bin/bank_ESP32_1.bin", "old 2");
    QDir().mkpath(p.file("bin/bank_ESP32_2.bin")); // cannot become a file
    const Bank_Buffers b = p.build();
    Build_Error e;
    EXPECT_FALSE(Write_Bank_Files(p.dir(), b, &e));
    EXPECT_EQ(e.line, Line_File_Not_Saved);
    EXPECT_EQ(e.file, p.file("bin/bank_ESP32_2.bin"));
    EXPECT_FALSE(e.reason.isEmpty());
    EXPECT_EQ(image_test::Read_File(p.file("bin/bank.bin")), QByteArray("old 1"));
    EXPECT_EQ(image_test::Read_File(p.file("bin/bank_ESP32_1.bin")), QByteArray("old 2"));
    EXPECT_EQ(QDir(p.file("bin")).entryList(QDir::Files).size(), 2);
}

TEST(Image_Write, BinThatIsAFileOrAProjectThatIsGone) {
    Project p;
    QDir(p.file("bin")).removeRecursively();
    p.write("bin", "not a folder");
    const Bank_Buffers b = p.build();
    Build_Error e;
    EXPECT_FALSE(Write_Bank_Files(p.dir(), b, &e));
    EXPECT_EQ(e.line, Line_File_Not_Saved);
    EXPECT_EQ(e.file, p.file("bin/bank.bin"));

    EXPECT_FALSE(Write_Bank_Files(p.file("gone"), b, &e));
    EXPECT_FALSE(QFileInfo::exists(p.file("gone"))); // a vanished project folder is not made again
    EXPECT_FALSE(Write_Bank_Files(p.dir(), Bank_Buffers{}, &e)); // nothing built, nothing written
}

TEST(Image_Build, ActiveProjectThroughTheProgramState) {
    Project p;
    p.copy_fixture(QStringLiteral("full"));
    UComon::Project_Dir = p.dir();
    UComon::ParGen_File = p.file("ParGen.xml");
    UComon::DALI_Access_File = p.file("DALI_Access.xml");
    UComon::DALI2_Access_File = p.file("DALI2_Access.xml");
    ASSERT_TRUE(Build_Image());
    ASSERT_TRUE(Write_Image_Files());
    EXPECT_EQ(image_test::Read_File(p.file("bin/bank.bin")), p.build().bank);
    EXPECT_EQ(Image.parameters.rule_count, 4u);

    p.write("DALI_Access.xml", "<DALI_Access>");
    Build_Error e;
    EXPECT_FALSE(Build_Image(&e));
    EXPECT_FALSE(Write_Image_Files()); // a refused build leaves nothing to write
}
