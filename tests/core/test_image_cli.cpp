// dravian-cli build and dump, run as a technician runs them.
#include "test_image_helpers.h"
#include "test_support/Run_Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using image_test::Project;
using image_test::Read_File;

namespace {

QJsonObject Dump_Json(const QString& file) {
    const Cli_Run r = Run_Dravian_Cli({QStringLiteral("dump"), file, QStringLiteral("--json")});
    EXPECT_EQ(r.exit_code, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
}

} // namespace

TEST(Image_Cli, DumpReadsBackWhatBuildWrote) {
    Project p;
    p.copy_fixture(QStringLiteral("full"));
    const Cli_Run built = Run_Dravian_Cli({QStringLiteral("build"), p.dir()});
    ASSERT_EQ(built.exit_code, 0) << built.err.toStdString();
    EXPECT_EQ(Read_File(p.file("bin/bank.bin")), p.build().bank);

    const QJsonObject bank = Dump_Json(p.file("bin/bank.bin"));
    EXPECT_EQ(bank[QStringLiteral("kind")].toString(), QLatin1String("bank.bin"));
    const QJsonObject par = bank[QStringLiteral("parameters")].toObject();
    EXPECT_EQ(par[QStringLiteral("ip_address")].toString(), QLatin1String("10.1.2.44"));
    EXPECT_EQ(par[QStringLiteral("gateway")].toString(), QLatin1String("10.1.0.254"));
    EXPECT_EQ(par[QStringLiteral("modbus_tcp_port")].toInt(), 1502);
    EXPECT_EQ(par[QStringLiteral("dali_console_port")].toInt(), 10003);
    EXPECT_EQ(par[QStringLiteral("dali_timeout_ms")].toInt(), 70000);
    EXPECT_TRUE(par[QStringLiteral("dali_scan_disabled")].toBool());
    EXPECT_TRUE(par[QStringLiteral("map_each_dali_device")].toBool());
    EXPECT_EQ(par[QStringLiteral("enabled_rule_count")].toInt(), 4);
    EXPECT_EQ(par[QStringLiteral("position_count")].toInt(), 8);
    EXPECT_EQ(par[QStringLiteral("version")].toString(), QLatin1String("1.501"));
    EXPECT_EQ(par[QStringLiteral("address_set")].toString(), QLatin1String("standard"));
    EXPECT_TRUE(par[QStringLiteral("checksum_ok")].toBool());

    const QJsonArray rules = bank[QStringLiteral("rules")].toArray();
    ASSERT_EQ(rules.size(), 4);
    const QJsonObject r0 = rules[0].toObject();
    EXPECT_EQ(r0[QStringLiteral("device_sensor")].toString(), QLatin1String("Sensor"));
    EXPECT_EQ(r0[QStringLiteral("type")].toString(), QLatin1String("Push Button"));
    EXPECT_EQ(r0[QStringLiteral("event")].toString(), QLatin1String("Short Press"));
    EXPECT_EQ(r0[QStringLiteral("channel_number")].toInt(), 5);
    EXPECT_EQ(r0[QStringLiteral("instance")].toInt(), 3);
    EXPECT_TRUE(r0[QStringLiteral("two_byte_value")].toBool());
    EXPECT_EQ(r0[QStringLiteral("time_out_ms")].toInt(), 2000);
    EXPECT_EQ(r0[QStringLiteral("function")].toInt(), 2);
    EXPECT_EQ(rules[1].toObject()[QStringLiteral("event")].toInt(), 77);
    // A carry from the channel shows as what the converter reads: channel 0, type 7.
    EXPECT_EQ(rules[2].toObject()[QStringLiteral("type")].toString(), QLatin1String("Actuator On Off"));

    const QJsonArray functions = bank[QStringLiteral("functions")].toArray();
    ASSERT_EQ(functions.size(), 8);
    const QJsonObject f1 = functions[0].toObject();
    EXPECT_EQ(f1[QStringLiteral("number")].toInt(), 1);
    EXPECT_EQ(f1[QStringLiteral("function")].toString(), QLatin1String("Set Out"));
    EXPECT_EQ(f1[QStringLiteral("condition")].toString(), QLatin1String("When Equal to Value"));
    EXPECT_EQ(f1[QStringLiteral("value_name")].toString(), QLatin1String("Short Press"));
    EXPECT_EQ(f1[QStringLiteral("channel")].toString(), QLatin1String("DALI Group 16"));
    EXPECT_EQ(f1[QStringLiteral("brightness")].toInt(), 254);
    EXPECT_EQ(functions[1].toObject()[QStringLiteral("value_name")].toString(), QLatin1String("Occupied"));
    EXPECT_EQ(functions[2].toObject()[QStringLiteral("value_name")].toString(), QLatin1String("Vacant"));
    EXPECT_EQ(functions[3].toObject()[QStringLiteral("value")].toDouble(), 12.5);

    const QJsonObject devices = bank[QStringLiteral("devices")].toObject();
    EXPECT_EQ(devices[QStringLiteral("enabled_devices")].toInt(), 3);
    EXPECT_EQ(devices[QStringLiteral("DALI Channel 5")].toObject()[QStringLiteral("flags")].toArray(),
              QJsonArray({QStringLiteral("enabled"), QStringLiteral("Start Break"),
                          QStringLiteral("Recall Old Value Level for Switch")}));

    // The ESP32 files carry the same content with the other addresses.
    const QJsonObject esp1 = Dump_Json(p.file("bin/bank_ESP32_1.bin"));
    const QJsonObject esp2 = Dump_Json(p.file("bin/bank_ESP32_2.bin"));
    QJsonObject esp_par = esp1[QStringLiteral("parameters")].toObject();
    EXPECT_EQ(esp_par[QStringLiteral("address_set")].toString(), QLatin1String("ESP32"));
    EXPECT_TRUE(esp_par[QStringLiteral("checksum_ok")].toBool());
    for (const char* k :
         {"ip_address", "modbus_tcp_port", "enabled_rule_count", "version", "dali_option_word"})
        EXPECT_EQ(esp_par[QLatin1String(k)], par[QLatin1String(k)]) << k;
    EXPECT_EQ(esp2[QStringLiteral("rules")], bank[QStringLiteral("rules")]);
    EXPECT_EQ(esp2[QStringLiteral("functions")], bank[QStringLiteral("functions")]);
    EXPECT_EQ(esp2[QStringLiteral("devices")], bank[QStringLiteral("devices")]);
}

TEST(Image_Cli, TextDumpAndChecksum) {
    Project p; // no project files: the default image
    ASSERT_EQ(Run_Dravian_Cli({QStringLiteral("build"), p.dir()}).exit_code, 0);
    Cli_Run r = Run_Dravian_Cli({QStringLiteral("dump"), p.file("bin/bank.bin")});
    EXPECT_EQ(r.exit_code, 0);
    for (const char* line :
         {"\n[parameter block]\n", "\nip_address: 192.168.2.205\n", "\nmodbus_tcp_port: 10001\n",
          "\nversion: none\n", "\nchecksum: 0x000013C5 ok\n", "\n[devices]\n"})
        EXPECT_TRUE(r.out.contains(line)) << line;

    QByteArray bytes = Read_File(p.file("bin/bank.bin"));
    bytes[0x2000 + 0x028] = 10; // the IP address changed behind the checksum's back
    p.write("bin/bank.bin", bytes);
    r = Run_Dravian_Cli({QStringLiteral("dump"), p.file("bin/bank.bin")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.out.contains("\nchecksum: 0x000013C5 expected 0x0000130F\n")) << r.out.toStdString();
    EXPECT_FALSE(r.err.isEmpty());

    // Bytes that only a damaged file sets are named.
    bytes = Read_File(p.file("bin/bank.bin"));
    bytes[15] = 1;             // the zero byte of rule entry 0
    bytes[0x2000 + 0x1CC] = 0; // the fixed value 3671
    bytes[0x2000 + 0x300] = 7; // inside the block's zero range
    p.write("bin/bank.bin", bytes);
    r = Run_Dravian_Cli({QStringLiteral("dump"), p.file("bin/bank.bin")});
    EXPECT_TRUE(r.out.contains("\nfixed_values: differ at 0x1CC\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\nreserved_bytes: not zero at 0x000F, 0x2300\n")) << r.out.toStdString();
}

TEST(Image_Cli, DumpRefusesWhatIsNoBankFile) {
    Project p;
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"one byte short", QByteArray(10495, '\0')},
        {"parameter-block size without its fixed values", QByteArray(2048, '\0')},
        {"bank size, zero", QByteArray(10496, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.write("x.bin", c.bytes);
        const Cli_Run r = Run_Dravian_Cli({QStringLiteral("dump"), p.file("x.bin")});
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("not a bank file")) << r.err.toStdString();
    }
    EXPECT_EQ(Run_Dravian_Cli({QStringLiteral("dump"), p.file("missing.bin")}).exit_code, 1);
    EXPECT_EQ(Run_Dravian_Cli({QStringLiteral("dump")}).exit_code, 2);
    EXPECT_EQ(Run_Dravian_Cli({QStringLiteral("dump"), p.file("x.bin"), QStringLiteral("--xml")}).exit_code, 2);
}

TEST(Image_Cli, BuildRefusalChangesNoBankFile) {
    Project p;
    p.copy_fixture(QStringLiteral("full"));
    p.write("bin/bank.bin", "old 1");
    p.write("bin/bank_ESP32_1.bin", "old 2");
    p.write("DALI2_Access.xml", "<DALI2_Access><DALI2_SetAccess_Rules>");
    Cli_Run r = Run_Dravian_Cli({QStringLiteral("build"), p.dir()});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Error! The file is not a valid XML document:")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(p.file("DALI2_Access.xml")).toUtf8()));
    EXPECT_EQ(Read_File(p.file("bin/bank.bin")), QByteArray("old 1"));
    EXPECT_EQ(Read_File(p.file("bin/bank_ESP32_1.bin")), QByteArray("old 2"));
    EXPECT_FALSE(QFile::exists(p.file("bin/bank_ESP32_2.bin")));

    QByteArray rules;
    for (int i = 0; i < 300; ++i)
        rules += "<row Enable='Y'/>";
    p.write("DALI2_Access.xml", image_test::Dali2({}, rules));
    r = Run_Dravian_Cli({QStringLiteral("build"), p.dir()});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(r.err.contains("300 enabled DALI-2 rules")) << r.err.toStdString();
    EXPECT_EQ(Read_File(p.file("bin/bank.bin")), QByteArray("old 1"));

    EXPECT_EQ(Run_Dravian_Cli({QStringLiteral("build"), p.file("no such project")}).exit_code, 1);
    EXPECT_EQ(Run_Dravian_Cli({QStringLiteral("build")}).exit_code, 2);
}
