// The converter's address as the update window splits it, the serial port list,
// the update job the configurator writes and the updater's checks of it.
#include "common/Comon_State.h"
#include "common/Ip_Address.h"
#include "common/Serial_Ports.h"
#include "test_support/Run_Cli.h"
#include "test_support/Temp_Program.h"
#include "update/Job_File.h"
#include "update/Job_Reader.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>

#include <gtest/gtest.h>

using namespace UComon;
using namespace UBoot;

TEST(Update_Address, SplitTable) {
    struct Case {
        const char* text;
        bool ok;
        QStringList parts; // when ok
    } cases[] = {
        {"192.168.0.10", true, {"192", "168", "0", "10"}},
        {"  192 . 168 .\t0 .  10  ", true, {"192", "168", "0", "10"}},
        {"010.001.000.009", true, {"010", "001", "000", "009"}},
        {"0x7F.0.0.$1", true, {"0x7F", "0", "0", "$1"}}, // the program's integer conversion
        {"255.255.255.255", true, {"255", "255", "255", "255"}},
        {"192.168.0", false, {}},
        {"192.168.0.10.5", false, {}}, // its fourth part "10.5" is no number
        {"192.168..10", false, {}},
        {"192.168.0.256", false, {}},
        {"-1.0.0.0", false, {}},
        {"a.b.c.d", false, {}},
        {"", false, {}},
        {"localhost", false, {}},
    };
    for (const Case& c : cases) {
        QString p[4];
        EXPECT_EQ(Split_IP_Address(c.text, p[0], p[1], p[2], p[3]), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(QStringList(std::begin(p), std::end(p)), c.parts) << c.text;
        }
    }
    quint32 a = 0;
    ASSERT_TRUE(Parse_IP_Address("010.001.000.009", a));
    EXPECT_EQ(a, 0x0A010009u); // decimal, leading zeros and all
    EXPECT_EQ(IP_Address_Text(a), "10.1.0.9");
    EXPECT_FALSE(Parse_IP_Address("localhost", a)); // names are never looked up
}

TEST(Update_Serial, PortNumbersOfDeviceNames) {
    EXPECT_EQ(Com_Ports_Of(
                  {"ttyUSB0", "ttyS3", "ttyS0", "ttyS0", "ttyACM31", "tty0", "ttyS32", "ttyS01", "ttyUSB"}),
              (QStringList{"1", "4", "33", "96"}));
    EXPECT_TRUE(Com_Ports_Of({}).isEmpty());
    // What this computer has: ascending numbers, each once.
    const QStringList ports = List_COM_Ports();
    for (qsizetype i = 1; i < ports.size(); ++i)
        EXPECT_LT(ports[i - 1].toInt(), ports[i].toInt());
}

namespace {

Job_Request Request(int option, bool read_back) {
    Job_Request r;
    r.ip_address = QStringLiteral("010.168.2.205");
    r.option = option;
    r.read_back = read_back;
    r.master_dir = QStringLiteral("/opt/dravian/MASTER");
    r.project_dir = QStringLiteral("/opt/dravian/PROJECTS/Hall");
    return r;
}

QStringList Child_Names(const QDomElement& e) {
    QStringList names;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        names << c.tagName();
    return names;
}

} // namespace

TEST(Update_Job, OptionZeroIsTheExactLayout) {
    QFile golden(QStringLiteral(DRAVIAN_TEST_DATA "/update/job_option0.xml"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    Job_Request r = Request(0, true);
    r.ip_address = QStringLiteral("192.168.2.205");
    QDomDocument doc;
    Build_Job(r, doc);
    QString expected = QString::fromUtf8(golden.readAll());
    expected.replace("@MASTER@", QDir::toNativeSeparators(r.master_dir));
    expected.replace("@PROJECT@", QDir::toNativeSeparators(r.project_dir));
    QDomDocument want;
    ASSERT_TRUE(want.setContent(expected));
    EXPECT_EQ(doc.toString(1), want.toString(1));             // same elements, order and texts; layout aside
    EXPECT_FALSE(doc.firstChild().isProcessingInstruction()); // no declaration, nothing but the root
    EXPECT_EQ(doc.childNodes().size(), 1);
}

TEST(Update_Job, ListsForEachOptionAndReadBack) {
    struct Case {
        int option;
        QStringList standard, esp32; // file names, in order
        QList<bool> standard_app, esp32_app;
    } cases[] = {
        {0,
         {"Sim51730.sim", "web_files_dali.bin", "bank.bin"},
         {"Sim51730_ESP32.sim", "web_files_dali.bin", "bank_ESP32_1.bin", "bank_ESP32_2.bin"},
         {false, false, true},
         {false, false, false, true}},
        {1,
         {"Sim51730.sim", "web_files_dali.bin"},
         {"Sim51730_ESP32.sim", "web_files_dali.bin"},
         {true, true},
         {true, true}},
        {2, {"bank.bin"}, {"bank_ESP32_1.bin", "bank_ESP32_2.bin"}, {true}, {false, true}},
    };
    const QStringList common_head = {"Ope_Protection_Enabled",
                                     "Ope_GoToBoot_Before",
                                     "Ope_GoToApp_Before",
                                     "Ope_IP_Address",
                                     "Ope_Port",
                                     "Ope_Port_Sec",
                                     "Ope_Erase_Memory",
                                     "Ope_FileName",
                                     "Ope_Start_Address",
                                     "Ope_Memory_Type",
                                     "Ope_Bank_Type",
                                     "Ope_Read_Back",
                                     "Ope_Write_CSS",
                                     "Ope_Address_CSS",
                                     "Ope_Command_CSS"};
    const QStringList wid = {"Ope_Write_Internal_Data", "Ope_WID_Address", "Ope_WID_Command", "Ope_WID_Data"};
    for (const Case& c : cases)
        for (bool read_back : {true, false}) {
            const std::string where = "option " + std::to_string(c.option) + (read_back ? " read-back" : "");
            QDomDocument doc;
            Build_Job(Request(c.option, read_back), doc);
            const QDomElement root = doc.documentElement();
            EXPECT_EQ(
                Child_Names(root),
                (QStringList{"Version", "Title", "IP_Address_Dev", "Application_Port", "Boot_Port",
                             "Boot_Port_Sec", "Address_Protection", "Protections", "Operations", "ESP32"}))
                << where;
            EXPECT_EQ(root.firstChildElement("IP_Address_Dev").text(), "010.168.2.205");
            EXPECT_EQ(root.firstChildElement("Title").text(), "Dravian - CF51730 Ethernet Update");
            const QDomElement esp32 = root.firstChildElement("ESP32");
            EXPECT_EQ(Child_Names(esp32), (QStringList{"Address_Protection", "Operations"}));
            EXPECT_EQ(esp32.firstChildElement("Address_Protection").text(), "0x7800");

            const QDomElement lists[] = {root.firstChildElement("Operations"),
                                         esp32.firstChildElement("Operations")};
            const QStringList* files[] = {&c.standard, &c.esp32};
            const QList<bool>* apps[] = {&c.standard_app, &c.esp32_app};
            for (int l = 0; l < 2; ++l) {
                int i = 0;
                for (QDomElement op = lists[l].firstChildElement(); !op.isNull();
                     op = op.nextSiblingElement(), ++i) {
                    ASSERT_LT(i, files[l]->size()) << where;
                    const QString file = op.firstChildElement("Ope_FileName").text();
                    EXPECT_TRUE(file.endsWith(QDir::separator() + (*files[l])[i]))
                        << where << file.toStdString();
                    EXPECT_EQ(QFileInfo(file).path(),
                              QDir::toNativeSeparators(file.contains("bank")
                                                           ? "/opt/dravian/PROJECTS/Hall/bin"
                                                           : "/opt/dravian/MASTER"));
                    EXPECT_EQ(op.firstChildElement("Ope_Read_Back").text(), read_back ? "1" : "0");
                    EXPECT_EQ(op.firstChildElement("Ope_GoToApp_After").text(), (*apps[l])[i] ? "1" : "0")
                        << where;
                    // Only the standard firmware writes the check record.
                    EXPECT_EQ(op.firstChildElement("Ope_Write_CSS").text(),
                              l == 0 && file.endsWith("Sim51730.sim") ? "1" : "0");
                    const bool has_wid = l == 1 && !file.endsWith("web_files_dali.bin");
                    EXPECT_EQ(Child_Names(op), common_head + (has_wid ? wid : QStringList()) +
                                                   QStringList{"Ope_GoToApp_After"})
                        << where << " " << file.toStdString();
                }
                EXPECT_EQ(i, files[l]->size()) << where;
            }
        }
}

TEST(Update_Job, WrittenAtomicallyAndReplacedWhole) {
    Temp_Program p;
    const QString path = p.path("Ethernet_Update.xml");
    QString reason;
    ASSERT_TRUE(Write_Job(path, Request(0, true), &reason)) << reason.toStdString();
    ASSERT_TRUE(Write_Job(path, Request(2, false), &reason));
    Update_Job job;
    QString error;
    ASSERT_TRUE(Read_Job(path, job, &error)) << error.toStdString();
    EXPECT_EQ(job.standard.operations.size(), 1); // nothing of the first job remains
    EXPECT_EQ(job.esp32.operations.size(), 2);
    EXPECT_FALSE(job.standard.operations[0].read_back);

    // A place where no file can be made, whatever the rights: a reason.
    p.write("plain_file", "x");
    EXPECT_FALSE(Write_Job(p.path("plain_file/Ethernet_Update.xml"), Request(1, true), &reason));
    EXPECT_FALSE(reason.isEmpty());

}

TEST(Update_Job, AReadOnlyFolderKeepsTheEarlierJob) {
    Temp_Program p;
    const QString path = p.path("Ethernet_Update.xml");
    QString reason;
    ASSERT_TRUE(Write_Job(path, Request(2, false), &reason));
    const QByteArray before = p.read("Ethernet_Update.xml");
    QFile::setPermissions(p.dir(), QFile::ReadOwner | QFile::ExeOwner);
    if (QFile f(p.path("probe")); f.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_FALSE(Write_Job(path, Request(1, true), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(p.read("Ethernet_Update.xml"), before);
}

TEST(Update_Job, ReaderTakesTheJobAsWritten) {
    QDomDocument doc;
    Build_Job(Request(0, true), doc);
    Update_Job job;
    QString error;
    ASSERT_TRUE(Parse_Job(doc.toByteArray(), job, &error)) << error.toStdString();
    EXPECT_EQ(job.ip_address, 0x0AA802CDu);
    EXPECT_EQ(job.application_port, 10000);
    EXPECT_EQ(job.boot_port, 2008);
    EXPECT_EQ(job.boot_port_sec, 2007);
    EXPECT_EQ(job.protections, QList<quint32>{0x16E});
    EXPECT_EQ(job.standard.address_protection, 0x78000u);
    EXPECT_EQ(job.esp32.address_protection, 0x7800u);
    ASSERT_EQ(job.standard.operations.size(), 3);
    ASSERT_EQ(job.esp32.operations.size(), 4);
    const Job_Operation& fw = job.standard.operations[0];
    EXPECT_EQ(fw.start_address, 0x8000u);
    EXPECT_TRUE(fw.write_css);
    EXPECT_EQ(fw.address_css, 0x78100u);
    EXPECT_EQ(fw.command_css, 0x0B);
    EXPECT_EQ(fw.ip_address, job.ip_address); // an operation without its own address
    EXPECT_EQ(job.esp32.operations[2].start_address, 0x9000u);
    EXPECT_EQ(job.esp32.operations[3].bank_type, 2);
    EXPECT_TRUE(job.esp32.operations[3].go_to_app_after);
}

TEST(Update_Job, ReaderNamesWhatIsWrong) {
    QDomDocument doc;
    Build_Job(Request(0, true), doc);
    const QString good = doc.toString();
    struct Case {
        const char* from;
        const char* to;
        const char* message;
    } cases[] = {
        {"<IP_Address_Dev>010.168.2.205</IP_Address_Dev>", "<IP_Address_Dev>10.168.2</IP_Address_Dev>",
         "IP_Address_Dev is \"10.168.2\", not an IP address"},
        {"<Boot_Port>2008</Boot_Port>", "<Boot_Port>70000</Boot_Port>", "Boot_Port is \"70000\""},
        {"<Application_Port>10000</Application_Port>", "", "Application_Port is missing"},
        {"<Ope_Start_Address>0xC0000</Ope_Start_Address>", "<Ope_Start_Address>C0000</Ope_Start_Address>",
         "Operation 2: Ope_Start_Address is \"C0000\""},
        {"<Ope_Start_Address>0x310000</Ope_Start_Address>", "<Ope_Start_Address>-5</Ope_Start_Address>",
         "ESP32 Operation 4: Ope_Start_Address is \"-5\""},
        {"<Ope_Read_Back>1</Ope_Read_Back>", "<Ope_Read_Back>yes</Ope_Read_Back>",
         "Operation 1: Ope_Read_Back is \"yes\", not 0 or 1"},
        {"<Ope_FileName>/opt/dravian/MASTER/Sim51730.sim</Ope_FileName>", "",
         "Operation 1: Ope_FileName is missing"},
        {"<Ope_FileName>", "<Ope_FileName_Gone>", "not a valid XML"},
        {"<Ope_IP_Address/>", "<Ope_IP_Address>127.0.0</Ope_IP_Address>", "Ope_IP_Address is \"127.0.0\""},
    };
    for (const Case& c : cases) {
        QString text = good;
        const qsizetype at = text.indexOf(QLatin1String(c.from));
        ASSERT_GE(at, 0) << c.from;
        text.replace(at, qsizetype(strlen(c.from)), QLatin1String(c.to));
        Update_Job job;
        QString error;
        EXPECT_FALSE(Parse_Job(text.toUtf8(), job, &error)) << c.to;
        EXPECT_TRUE(error.contains(QLatin1String(c.message))) << error.toStdString();
    }
}

TEST(Update_Job, FilesOfTheListAreChecked) {
    Temp_Program p;
    p.write("MASTER/Sim51730.sim", "firmware");
    p.write("MASTER/web_files_dali.bin", "");
    Job_Request r = Request(1, true);
    r.master_dir = p.path("MASTER");
    QDomDocument doc;
    Build_Job(r, doc);
    Update_Job job;
    QString error;
    ASSERT_TRUE(Parse_Job(doc.toByteArray(), job, &error));
    EXPECT_FALSE(Check_Files(job.standard, &error));
    EXPECT_TRUE(error.contains("web_files_dali.bin is empty")) << error.toStdString();
    EXPECT_FALSE(Check_Files(job.esp32, &error));
    EXPECT_TRUE(error.contains("Sim51730_ESP32.sim does not exist")) << error.toStdString();
    p.write("MASTER/web_files_dali.bin", "web");
    EXPECT_TRUE(Check_Files(job.standard, &error));
}

TEST(Update_Job, CliWritesWhatTheWindowWrites) {
    Temp_Program p;
    QDir().mkpath(p.path("PROJECTS/Hall"));
    const Cli_Run r = Run_Dravian_Cli({"job", p.path("PROJECTS/Hall"), "--ip", "010.168.2.205", "--option", "2",
                           "--no-read-back", "--out", p.path("job.xml")});
    ASSERT_EQ(r.exit_code, 0) << r.err.constData();
    Job_Request want = Request(2, false);
    want.master_dir = QStringLiteral(DRAVIAN_BIN_DIR "/MASTER");
    want.project_dir = p.path("PROJECTS/Hall");
    QDomDocument doc;
    Build_Job(want, doc);
    QDomDocument got;
    ASSERT_TRUE(got.setContent(p.read("job.xml")));
    EXPECT_EQ(got.toString(1), doc.toString(1));

    // Usage errors: exit 2 and the usage line; no file written.
    const QStringList bad[] = {
        {"job", p.path("PROJECTS/Hall"), "--ip", "010.168.2.205", "--option", "3", "--out",
         p.path("bad.xml")},
        {"job", p.path("PROJECTS/Hall"), "--ip", "192.168.2", "--option", "0", "--out", p.path("bad.xml")},
        {"job", p.path("PROJECTS/Hall"), "--ip", "192.168.2.205", "--option", "0"},
        {"job", p.path("PROJECTS/None"), "--ip", "192.168.2.205", "--option", "0", "--out",
         p.path("bad.xml")},
        {"job", p.path("PROJECTS/Hall"), "--ip", "192.168.2.205", "--option", "0", "--out", p.path("bad.xml"),
         "-x"},
    };
    for (const QStringList& args : bad) {
        const Cli_Run b = Run_Dravian_Cli(args);
        EXPECT_EQ(b.exit_code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(b.err.contains("usage: dravian-cli")) << b.err.constData();
    }
    EXPECT_FALSE(QFile::exists(p.path("bad.xml")));
    // A job that cannot be written: exit 1 with the reason.
    const Cli_Run w = Run_Dravian_Cli({"job", p.path("PROJECTS/Hall"), "--ip", "192.168.2.205", "--option", "0", "--out",
                           p.path("no/such/folder/job.xml")});
    EXPECT_EQ(w.exit_code, 1);
    EXPECT_TRUE(w.err.contains("cannot be written")) << w.err.constData();
}
