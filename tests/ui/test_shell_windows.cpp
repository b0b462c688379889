#include "app/Projects.h"
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "common/Comon_State.h"
#include "common/UStyle.h"
#include "options/USoftOptions.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

// A whole program started in a temporary folder.
struct Program : Temp_Program {
    explicit Program(const QByteArray& settings = {}) {
        if (!settings.isEmpty())
            write("Dravian.xml", settings);
    }
    void start() { Forms::Create_All(dir()); }
    ~Program() { Forms::Destroy_All(); }
    TFDravianFirmWare* main() const { return Forms::FDravianFirmWare; }
};

QByteArray Settings_With_Project(const char* name) {
    return QByteArray("<Conf_Settings><lastproj><projectname>") + name +
           "</projectname></lastproj></Conf_Settings>";
}

} // namespace

TEST(Shell_Startup, EmptyFolderThenClose) {
    Program p;
    Recorder r;
    p.start();
    for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(p.path(d)).isDir()) << d;
    EXPECT_TRUE(Project_Dir.isEmpty());
    EXPECT_EQ(Device_IP, "192.168.2.205");
    EXPECT_EQ(Current_Language, "English");
    EXPECT_FALSE(p.main()->Timer_Update->isActive());
    EXPECT_EQ(p.main()->L_Name_Conf->text(), "None Configuration Opened ");
    EXPECT_EQ(p.main()->L_Name_Conf_L2->text(), "Use Step1 to open or create new configuration");
    EXPECT_EQ(SW_Code, "CF51730");
    EXPECT_EQ(p.main()->L_SW_Desc->text(), "DALI / Modbus TCP Slave - Converter");
    EXPECT_EQ(p.main()->windowTitle(), "Dravian - Configurator CF51730 - DALI / Modbus TCP Slave ");

    p.main()->close();
    const QString saved = QString::fromUtf8(p.read("Dravian.xml"));
    EXPECT_TRUE(saved.contains("<projectname/>")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("<ipaddress>192.168.2.205</ipaddress>"));
    EXPECT_TRUE(saved.contains("<language>English</language>"));
    EXPECT_EQ(saved.count(">0</"), 4);
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(Shell_Startup, TimerFollowsBothInternetFlags) {
    for (const auto& [internet, update, on] :
         {std::tuple{"1", "1", true}, {"1", "0", false}, {"0", "1", false}}) {
        Program p(QByteArray("<Conf_Settings><lastinternet><enable_internet>") + internet +
                  "</enable_internet><enable_update>" + update +
                  "</enable_update></lastinternet></Conf_Settings>");
        p.start();
        EXPECT_EQ(p.main()->Timer_Update->isActive(), on) << internet << update;
        EXPECT_EQ(p.main()->Timer_Update->interval(), 60000);
    }
}

TEST(Shell_Startup, TimerEventChecksThenWaitsTwoHours) {
    Program p("<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
              "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
    p.start();
    p.main()->Timer_UpdateTimer();
    EXPECT_TRUE(p.main()->Timer_Update->isActive());
    EXPECT_EQ(p.main()->Timer_Update->interval(), 7200000);
    EXPECT_TRUE(p.main()->LL_Update->isHidden()); // no newer version known
}

TEST(Shell_Startup, RememberedProjectAndLanguage) {
    Program p("<Conf_Settings><lastproj><projectname>Test</projectname></lastproj>"
              "<lastlang><language>Italiano</language></lastlang></Conf_Settings>");
    QDir().mkpath(p.path("PROJECTS/Test"));
    p.write("LANGUAGE/Italiano.lng", "STR11 = Configurazione aperta : \r\nSTR15 = Nuova Configurazione\r\n");
    p.start();
    EXPECT_EQ(Current_Language, "Italiano");
    EXPECT_EQ(Project_Dir, Projects_Dir + "/Test");
    EXPECT_EQ(ParGen_File, Projects_Dir + "/Test/ParGen.xml");
    EXPECT_EQ(p.main()->L_Name_Conf->text(), "Configurazione aperta :");
    EXPECT_EQ(p.main()->L_Name_Conf_L2->text(), "Test");
    EXPECT_EQ(p.main()->Btn_New->text(), "Nuova Configurazione");
    EXPECT_EQ(Forms::FNew_Project->windowTitle(), "Create New Configuration"); // not in the file
}

TEST(Shell_Startup, DeletedProjectIsForgotten) {
    Program p(Settings_With_Project("Gone"));
    p.start();
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_EQ(p.main()->L_Name_Conf->text(), "None Configuration Opened ");
    p.main()->close();
    EXPECT_TRUE(p.read("Dravian.xml").contains("<projectname/>"));
}

TEST(Shell_Startup, UnwritableSettingsShowOneMessageAndClose) {
    Program p;
    Recorder r;
    p.start();
    QDir().mkdir(p.path("Dravian.xml")); // a folder where the file belongs
    p.main()->close();
    EXPECT_EQ(r.lines(), QList<int>{905});
    EXPECT_TRUE(r.messages[0].text.contains("Dravian.xml"));
    EXPECT_FALSE(p.main()->isVisible());
}

TEST(Shell_MainWindow, Layout) {
    Program p;
    p.start();
    TFDravianFirmWare* m = p.main();
    EXPECT_EQ(m->size(), QSize(694, 396));
    struct Pos {
        QWidget* w;
        int x, y;
    } pos[] = {{m->L_SW_Code, 16, 8},     {m->L_SW_Desc, 16, 42},        {m->Btn_Info, 516, 8},
               {m->Btn_Opz, 574, 8},      {m->Btn_Close, 632, 8},        {m->LL_Update, 208, 19},
               {m->Shape2, 80, 70},       {m->L_Name_Conf, 87, 75},      {m->L_Name_Conf_L2, 87, 88},
               {m->L_Begin, 16, 84},      {m->Btn_New, 80, 112},         {m->Btn_Open, 258, 112},
               {m->Btn_Prm_Gen, 80, 156}, {m->Btn_DALI_Access, 80, 200}, {m->Btn_CreateBin, 80, 244},
               {m->L_Step_1, 16, 128},    {m->L_Step_2, 16, 172},        {m->L_Step_3, 16, 216},
               {m->L_Step_4, 16, 260},    {m->L_Varnel, 565, 260},       {m->Shape1, 10, 295}};
    for (const Pos& q : pos)
        EXPECT_EQ(q.w->pos(), QPoint(q.x, q.y)) << q.w->objectName().toStdString();
    EXPECT_EQ(m->Shape2->size(), QSize(348, 36));
    EXPECT_EQ(m->Shape1->size(), QSize(674, 1));
    EXPECT_EQ(m->Btn_New->size(), QSize(170, 36));
    EXPECT_EQ(m->Btn_Info->size(), QSize(50, 50));
    EXPECT_EQ(m->Btn_Info->toolTip(), "Information");
    EXPECT_EQ(m->Btn_CreateBin->text(), "Update Device UDP");
    EXPECT_EQ(m->Btn_CreateBin->toolTip(), "Update the actual Firmware and/or Configuration in the device");
}

TEST(Shell_MainWindow, EditorStepsRefuseWithoutProject) {
    Program p;
    Recorder r;
    p.start();
    for (QWidget* b :
         {static_cast<QWidget*>(p.main()->Btn_Prm_Gen), static_cast<QWidget*>(p.main()->Btn_DALI_Access),
          static_cast<QWidget*>(p.main()->Btn_CreateBin)})
        QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(r.lines(), (QList<int>{18, 18, 18}));
    EXPECT_EQ(r.messages[0].kind, Msg_Kind::Error);
    EXPECT_EQ(r.messages[0].text, "Error! Project not Valid");
    EXPECT_TRUE(r.opened.isEmpty());

    // The steps that need no project still open their windows.
    p.main()->Btn_Click(p.main()->Btn_Info);
    p.main()->Btn_Click(p.main()->Btn_Opz);
    p.main()->Btn_Click(p.main()->Btn_New);
    p.main()->Btn_Click(p.main()->Btn_Open);
    EXPECT_EQ(r.opened, (QList<QString>{"FAbout", "FSoftOptions", "FNew_Project", "FOpenConf"}));
}

TEST(Shell_MainWindow, EditorStepsOpenWithProject) {
    Program p(Settings_With_Project("Test"));
    QDir().mkpath(p.path("PROJECTS/Test"));
    Recorder r;
    p.start();
    p.main()->Btn_Click(p.main()->Btn_Prm_Gen);
    p.main()->Btn_Click(p.main()->Btn_DALI_Access);
    EXPECT_EQ(r.opened, (QList<QString>{"FParGen", "FDALI_Access"}));
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(Shell_MainWindow, OptionsOkSavesAndRearmsTimer) {
    Program p;
    Recorder r;
    p.start();
    r.next_modal([](QDialog*) {
        Enable_Internet = Enable_Update = true;
        return int(QDialog::Accepted);
    });
    p.main()->Btn_Click(p.main()->Btn_Opz);
    EXPECT_TRUE(p.main()->Timer_Update->isActive());
    EXPECT_TRUE(p.read("Dravian.xml").contains("<enable_update>1</enable_update>"));

    QFile::remove(p.path("Dravian.xml"));
    r.next_modal([](QDialog*) {
        Enable_Update = false;
        return int(QDialog::Rejected);
    });
    p.main()->Btn_Click(p.main()->Btn_Opz);
    EXPECT_FALSE(QFileInfo::exists(p.path("Dravian.xml"))); // Cancel writes nothing
    EXPECT_TRUE(p.main()->Timer_Update->isActive());
}

TEST(Shell_MainWindow, LinksOpenTheMakersPages) {
    Program p;
    Recorder r;
    p.start();
    QTest::mouseClick(p.main()->L_Varnel, Qt::LeftButton);
    ASSERT_EQ(r.urls.size(), 1);
    EXPECT_EQ(r.urls[0].toString(), "http://www.dravian.example/HOME/default.asp?frompg=CF51730");
    p.main()->LL_UpdateLinkClick("https://www.dravian.example/Home/download/download.asp#GW51730");
    EXPECT_EQ(r.urls[1].fragment(), "GW51730");
}

TEST(Shell_MainWindow, LanguageChangeReachesEveryWindow) {
    Program p(Settings_With_Project("Test"));
    QDir().mkpath(p.path("PROJECTS/Test"));
    p.write("LANGUAGE/Deutsch.lng",
            "STR0 = Anfang\nSTR11 = Offene Konfiguration : \nSTR100 = Neue Konfiguration\n"
            "STR200 = Konfiguration öffnen\nSTR300 = Optionen\n");
    p.start();
    Current_Language = "Deutsch";
    Load_Language();
    p.main()->Change_Language();
    EXPECT_EQ(p.main()->L_Begin->text(), "Anfang");
    EXPECT_EQ(p.main()->L_Name_Conf->text(), "Offene Konfiguration :");
    EXPECT_EQ(p.main()->L_Name_Conf_L2->text(), "Test"); // the state-dependent choice stays
    EXPECT_EQ(Forms::FNew_Project->windowTitle(), "Neue Konfiguration");
    EXPECT_EQ(Forms::FOpenConf->windowTitle(), QString::fromUtf8("Konfiguration öffnen"));
    EXPECT_EQ(Forms::FSoftOptions->windowTitle(), "Optionen");
}

TEST(Shell_NewProject, RefusalsKeepTheDialogOpen) {
    Program p;
    QDir().mkpath(p.path("PROJECTS/Existing"));
    Recorder r;
    p.start();
    for (const char* name : {"", "existing", "a/b", ".."}) {
        r.next_modal([name](QDialog* d) {
            auto* np = static_cast<TFNew_Project*>(d);
            EXPECT_TRUE(np->E_New_Proj->text().isEmpty()); // emptied each time it is shown
            np->E_New_Proj->setText(name);
            QTest::keyClick(np->E_New_Proj, Qt::Key_Return); // Enter works like OK
            EXPECT_TRUE(np->isVisible());
            EXPECT_EQ(np->E_New_Proj->text(), name);
            return np->result();
        });
        p.main()->Btn_Click(p.main()->Btn_New);
    }
    EXPECT_EQ(r.lines(), (QList<int>{107, 106, 105, 105}));
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_EQ(p.main()->L_Name_Conf->text(), "None Configuration Opened ");
}

TEST(Shell_NewProject, CreatesAndActivates) {
    Program p;
    Recorder r;
    p.start();
    r.next_modal([](QDialog* d) {
        auto* np = static_cast<TFNew_Project*>(d);
        np->E_New_Proj->setText("Test");
        QTest::mouseClick(np->Btn_OK, Qt::LeftButton);
        return np->result();
    });
    p.main()->Btn_Click(p.main()->Btn_New);
    EXPECT_TRUE(QFileInfo(p.path("PROJECTS/Test/bin")).isDir());
    EXPECT_EQ(Project_Name, "Test");
    EXPECT_EQ(DALI2_Access_File, Projects_Dir + "/Test/DALI2_Access.xml");
    EXPECT_EQ(p.main()->L_Name_Conf->text(), "Opened Configuration of the Converter : ");
    EXPECT_EQ(p.main()->L_Name_Conf_L2->text(), "Test");

    // Cancel changes nothing.
    r.next_modal([](QDialog* d) {
        static_cast<TFNew_Project*>(d)->E_New_Proj->setText("Other");
        QTest::mouseClick(static_cast<TFNew_Project*>(d)->Btn_Cancel, Qt::LeftButton);
        return d->result();
    });
    p.main()->Btn_Click(p.main()->Btn_New);
    EXPECT_EQ(Project_Name, "Test");
    EXPECT_FALSE(QFileInfo::exists(p.path("PROJECTS/Other")));

    // Reopened after a restart.
    p.main()->close();
    Forms::Create_All(p.dir());
    EXPECT_EQ(Project_Name, "Test");
    EXPECT_EQ(Forms::FDravianFirmWare->L_Name_Conf_L2->text(), "Test");
}

TEST(Shell_OpenProject, SelectionFollowsTheActiveProject) {
    Program p(Settings_With_Project("Test"));
    for (const char* d : {"alpha", "Test", "zeta"})
        QDir().mkpath(p.path(QString("PROJECTS/") + d));
    Recorder r;
    p.start();
    // The active project is selected, whatever the letter case of its folder.
    QDir().rename(p.path("PROJECTS/Test"), p.path("PROJECTS/TEST"));
    r.next_modal([](QDialog* d) {
        auto* oc = static_cast<TFOpenConf*>(d);
        EXPECT_EQ(oc->SL, (QStringList{"alpha", "TEST", "zeta"}));
        EXPECT_EQ(oc->ListBox1->currentRow(), 1);
        EXPECT_EQ(oc->Name_Conf, "TEST");
        oc->ListBox1->setCurrentRow(2); // the user picks zeta
        QTest::mouseClick(oc->Btn_OK, Qt::LeftButton);
        return oc->result();
    });
    p.main()->Btn_Click(p.main()->Btn_Open);
    EXPECT_EQ(Project_Name, "zeta");
    EXPECT_EQ(Project_Dir, Projects_Dir + "/zeta");
    EXPECT_EQ(ParGen_File, Projects_Dir + "/zeta/ParGen.xml");
    EXPECT_EQ(p.main()->L_Name_Conf_L2->text(), "zeta");

    r.next_modal([](QDialog* d) {
        static_cast<TFOpenConf*>(d)->ListBox1->setCurrentRow(0);
        return int(QDialog::Rejected);
    });
    p.main()->Btn_Click(p.main()->Btn_Open);
    EXPECT_EQ(Project_Name, "zeta");
}

TEST(Shell_OpenProject, NoActiveProjectAndEmptyList) {
    Program p;
    Recorder r;
    p.start();
    // PROJECTS empty: OK leaves no project.
    r.next_modal([](QDialog* d) {
        auto* oc = static_cast<TFOpenConf*>(d);
        EXPECT_EQ(oc->ListBox1->count(), 0);
        EXPECT_TRUE(oc->Name_Conf.isEmpty());
        return int(QDialog::Accepted);
    });
    p.main()->Btn_Click(p.main()->Btn_Open);
    EXPECT_TRUE(Project_Dir.isEmpty());
    EXPECT_EQ(p.main()->L_Name_Conf_L2->text(), "Use Step1 to open or create new configuration");

    // Without an active project the first folder is selected; OK makes it active.
    QDir().mkpath(p.path("PROJECTS/beta"));
    QDir().mkpath(p.path("PROJECTS/Alpha"));
    r.next_modal([](QDialog* d) {
        EXPECT_EQ(static_cast<TFOpenConf*>(d)->Name_Conf, "Alpha");
        return int(QDialog::Accepted);
    });
    p.main()->Btn_Click(p.main()->Btn_Open);
    EXPECT_EQ(Project_Name, "Alpha");
}
