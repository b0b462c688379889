#include "app/Projects.h"
#include "app/Settings.h"
#include "common/Comon_State.h"
#include "test_support/Temp_Program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

struct Expected {
    QString project;
    QString ip;
    QString language;
    bool internet, update, jump, autosize;
};

void Expect_State(const Expected& e, const std::string& where) {
    EXPECT_EQ(Project_Name, e.project) << where;
    EXPECT_EQ(Device_IP, e.ip) << where;
    EXPECT_EQ(Current_Language, e.language) << where;
    EXPECT_EQ(Enable_Internet, e.internet) << where;
    EXPECT_EQ(Enable_Update, e.update) << where;
    EXPECT_EQ(Enable_Jump_Field_Tables, e.jump) << where;
    EXPECT_EQ(Double_Click_Auto_Size, e.autosize) << where;
}

const char* Full = "<Conf_Settings><lastproj><projectname>P1</projectname></lastproj>"
                   "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
                   "<lastlang><language>Italiano</language></lastlang>"
                   "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
                   "<enable_jump_field_tables>1</enable_jump_field_tables>"
                   "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

} // namespace

TEST(Shell_Settings, ReadsEachGroupUnderItsOwnGuard) {
    const QString ip = Default_Device_IP;
    struct Case {
        const char* name;
        QByteArray file;
        Expected expected;
    } cases[] = {
        {"full", Full, {"P1", "10.0.0.7", "Italiano", true, true, true, true}},
        {"declaration and comment before the root",
         QByteArray("<?xml version=\"1.0\"?>\n<!-- settings -->\n") + Full,
         {"P1", "10.0.0.7", "Italiano", true, true, true, true}},
        {"other root name",
         QByteArray(Full).replace("Conf_Settings", "Other"),
         {"P1", "10.0.0.7", "Italiano", true, true, true, true}},
        {"only language",
         "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         {"", ip, "Deutsch", false, false, false, false}},
        {"empty values stay empty",
         "<Conf_Settings><lastipadd><ipaddress/></lastipadd><lastlang><language></language></lastlang>"
         "</Conf_Settings>",
         {"", "", "", false, false, false, false}},
        {"lastinternet without jump flag",
         "<Conf_Settings><lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
         "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
         {"", ip, "English", true, true, false, true}},
        {"flags must be exactly 1",
         "<Conf_Settings><lastinternet><enable_internet>true</enable_internet>"
         "<enable_update> 1</enable_update><enable_jump_field_tables>01</enable_jump_field_tables>"
         "<double_click_auto_size>1</double_click_auto_size></lastinternet></Conf_Settings>",
         {"", ip, "English", false, false, false, false}},
        {"leaf under the wrong parent",
         "<Conf_Settings><projectname>P1</projectname><lastipadd><language>X</language></lastipadd>"
         "</Conf_Settings>",
         {"", ip, "English", false, false, false, false}},
        {"not well-formed",
         "<Conf_Settings><lastproj><projectname>P1</lastproj>",
         {"", ip, "English", false, false, false, false}},
        {"empty file", "", {"", ip, "English", false, false, false, false}},
    };
    for (const Case& c : cases) {
        Temp_Program p;
        Set_Program_Folders(p.dir());
        p.write("Dravian.xml", c.file);
        Read_Settings();
        Expect_State(c.expected, c.name);
    }
}

TEST(Shell_Settings, WriteThenReadGivesBackTheValues) {
    Temp_Program p;
    Set_Program_Folders(p.dir());
    Project_Name = QString::fromUtf8("Büro <1> & \"2\"");
    Device_IP = "192.168.10.20";
    Current_Language = "Français";
    Enable_Internet = true;
    Enable_Update = false;
    Enable_Jump_Field_Tables = true;
    Double_Click_Auto_Size = false;
    ASSERT_TRUE(Write_Settings());
    const QByteArray written = p.read("Dravian.xml");
    EXPECT_TRUE(written.startsWith("<Conf_Settings>")) << written.constData(); // nothing before the root

    Project_Name.clear();
    Device_IP.clear();
    Current_Language.clear();
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;
    Read_Settings();
    Expect_State(
        {QString::fromUtf8("Büro <1> & \"2\""), "192.168.10.20", "Français", true, false, true, false},
        "round trip");

    // The elements in their order, with the capitals of Double_Click_Auto_Size.
    const QString s = QString::fromUtf8(written);
    const char* order[] = {"<lastproj>",
                           "<projectname>",
                           "<lastipadd>",
                           "<ipaddress>",
                           "<lastlang>",
                           "<language>",
                           "<lastinternet>",
                           "<enable_internet>",
                           "<enable_update>",
                           "<enable_jump_field_tables>",
                           "<Double_Click_Auto_Size>"};
    qsizetype pos = 0;
    for (const char* tag : order) {
        const qsizetype at = s.indexOf(QLatin1String(tag), pos);
        ASSERT_GE(at, 0) << tag;
        pos = at;
    }
}

TEST(Shell_Settings, FailedWriteIsReported) {
    Temp_Program p;
    Set_Program_Folders(p.dir());
    p.write("Dravian.xml", Full);
    // A folder in place of the temporary file's target makes the save fail.
    QFile::remove(p.path("Dravian.xml"));
    QDir().mkdir(p.path("Dravian.xml"));
    QString reason;
    EXPECT_FALSE(Write_Settings(&reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(QFileInfo(p.path("Dravian.xml")).isDir());
}

TEST(Shell_Settings, StartFoldersAndRememberedProject) {
    Temp_Program p;
    Set_Program_Folders(p.dir() + "/");
    EXPECT_EQ(Program_Dir, p.dir());
    for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(p.path(d)).isDir()) << d;

    QDir().mkpath(p.path("PROJECTS/Kept"));
    Project_Name = "Kept";
    Restore_Project();
    EXPECT_EQ(Project_Dir, Projects_Dir + "/Kept");
    Set_Files();
    EXPECT_EQ(ParGen_File, Projects_Dir + "/Kept/ParGen.xml");
    EXPECT_EQ(DALI_Access_File, Projects_Dir + "/Kept/DALI_Access.xml");
    EXPECT_EQ(DALI2_Access_File, Projects_Dir + "/Kept/DALI2_Access.xml");
    EXPECT_EQ(Other_Model_Files.size(), 12);

    Project_Name = "Gone";
    Restore_Project();
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Dir.isEmpty());
}

TEST(Shell_Projects, CreateRefusalsAndSuccess) {
    Temp_Program p;
    Set_Program_Folders(p.dir());
    QDir().mkpath(p.path("PROJECTS/Existing"));
    struct Case {
        QString name;
        int line;
    } cases[] = {
        {"", 107},          {"Existing", 106},        {"EXISTING", 106}, {"existing", 106},
        {"a/b", 105},       {"..\\outside", 105},     {".", 105},        {"..", 105},
        {"../escape", 105}, {QString(300, 'n'), 105},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Create_Project(c.name), c.line) << c.name.toStdString();
        EXPECT_TRUE(Project_Name.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(p.path("escape")));
    EXPECT_EQ(QDir(p.path("PROJECTS")).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Existing"});

    EXPECT_EQ(Create_Project(" Test "), 0); // taken exactly as typed
    EXPECT_EQ(Project_Name, " Test ");
    EXPECT_EQ(Project_Dir, Projects_Dir + "/ Test ");
    EXPECT_EQ(ParGen_File, Project_Dir + "/ParGen.xml");
    EXPECT_EQ(QDir(Project_Dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"bin"});
    EXPECT_TRUE(QDir(Project_Dir + "/bin").isEmpty());
}

TEST(Shell_Projects, ListAndSearch) {
    Temp_Program p;
    Set_Program_Folders(p.dir());
    EXPECT_TRUE(Load_Existing_Configuration().isEmpty());
    for (const char* d : {"zeta", "TEST", "alpha", ".hidden"})
        QDir().mkpath(p.path(QString("PROJECTS/") + d));
    p.write("PROJECTS/file.xml", "x"); // files are not projects
    const QStringList l = Load_Existing_Configuration();
    EXPECT_EQ(l, (QStringList{"alpha", "TEST", "zeta"}));
    EXPECT_EQ(Search_Open_Conf(l, "Test"), 1);
    EXPECT_EQ(Search_Open_Conf(l, "ZETA"), 2);
    EXPECT_EQ(Search_Open_Conf(l, "beta"), -1);
    EXPECT_EQ(Search_Open_Conf(l, ""), -1);
}
