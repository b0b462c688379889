#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "app/UNew_Project.h"
#include "common/Comon_State.h"
#include "common/UStyle.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "options/Version_Check.h"
#include "test_support/Http_Stub.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

struct Program : Temp_Program {
    Program() {}
    void add_languages(const QStringList& names) const {
        for (const QString& n : names)
            write("LANGUAGE/" + n + ".lng", "STR1500 = " + n.toUtf8() + "\r\n");
    }
    void start() { Forms::Create_All(dir()); }
    ~Program() { Forms::Destroy_All(); }
};

// Shows the options window and runs `play` inside it.
int Open_Options(Recorder& r, std::function<int(TFSoftOptions*)> play) {
    r.next_modal([play](QDialog* d) { return play(static_cast<TFSoftOptions*>(d)); });
    Forms::FDravianFirmWare->Btn_Click(Forms::FDravianFirmWare->Btn_Opz);
    return 0;
}

QStringList Visible_Slots(TFSoftOptions* o) {
    QStringList l;
    for (QLabel* s : o->L_L)
        if (s->isVisible())
            l.append(s->text());
    return l;
}

} // namespace

TEST(Options_Languages, PagesForSevenSixAndNoFiles) {
    struct Case {
        int files;
        QList<QStringList> pages;
        QStringList page_labels;
    } cases[] = {
        {7, {{"L1", "L2", "L3", "L4", "L5", "L6"}, {"L7"}}, {"Page 1 / 2", "Page 2 / 2"}},
        {6, {{"L1", "L2", "L3", "L4", "L5", "L6"}}, {"Page 1 / 1"}},
        {0, {{}}, {"Page 1 / 0"}},
    };
    for (const Case& c : cases) {
        Program p;
        QStringList names;
        for (int i = 1; i <= c.files; ++i)
            names << QString("L%1").arg(i);
        p.add_languages(names);
        Recorder r;
        p.start();
        Open_Options(r, [&](TFSoftOptions* o) {
            for (int page = 0; page < c.pages.size(); ++page) {
                EXPECT_EQ(Visible_Slots(o), c.pages[page]) << c.files;
                EXPECT_EQ(o->L_Page_Lang->text(), c.page_labels[page]);
                EXPECT_EQ(o->Btn_Prev->isVisible(), page > 0);
                EXPECT_EQ(o->Btn_Next->isVisible(), page + 1 < c.pages.size());
                QTest::mouseClick(o->Btn_Next, Qt::LeftButton);
            }
            // Next on the last page and Previous on the first change nothing.
            o->Btn_NextClick(o->Btn_Next);
            EXPECT_EQ(o->L_Page_Lang->text(), c.page_labels.last());
            while (o->Show_Page > 1)
                o->Btn_NextClick(o->Btn_Prev);
            o->Btn_NextClick(o->Btn_Prev);
            EXPECT_EQ(o->Show_Page, 1);
            return int(QDialog::Rejected);
        });
    }
}

TEST(Options_Languages, OrderReadOnlyAndFlags) {
    Program p;
    p.add_languages({"Zulu", "deutsch", "English", "Italiano"});
    QFile::setPermissions(p.path("LANGUAGE/Zulu.lng"), QFile::ReadOwner | QFile::ReadUser);
    QImage flag(48, 32, QImage::Format_RGB32);
    flag.fill(Qt::red);
    flag.save(p.path("LANGUAGE/Italiano.bmp"));
    Recorder r;
    p.start();
    Open_Options(r, [](TFSoftOptions* o) {
        EXPECT_EQ(o->SL_Languages, (QStringList{"deutsch.lng", "English.lng", "Italiano.lng"}));
        EXPECT_TRUE(o->I_L[2]->isVisible());  // its own flag
        EXPECT_FALSE(o->I_L[0]->isVisible()); // no flag and no default flag
        return int(QDialog::Rejected);
    });
    flag.fill(Qt::gray);
    flag.save(p.path("LANGUAGE/DefaultFlag.bmp"));
    Open_Options(r, [](TFSoftOptions* o) {
        EXPECT_TRUE(o->I_L[0]->isVisible()); // the default flag
        EXPECT_EQ(o->I_L[0]->pixmap().toImage().pixelColor(24, 24), QColor(Qt::gray));
        EXPECT_EQ(o->I_L[2]->pixmap().toImage().pixelColor(24, 24), QColor(Qt::red));
        return int(QDialog::Rejected);
    });
}

TEST(Options_Languages, YesThenCancelKeepsTheNewTextsButNotTheSetting) {
    Program p;
    p.add_languages({"English", "Italiano"});
    p.write("LANGUAGE/Italiano.lng",
            "STR0 = Inizio\r\nSTR100 = Nuova configurazione\r\nSTR304 = Lingua : \r\n");
    Recorder r;
    p.start();
    Open_Options(r, [&](TFSoftOptions* o) {
        r.answers = {false};
        QTest::mouseClick(o->L_L[1], Qt::LeftButton); // Italiano, answered No
        EXPECT_EQ(T(0), "Begin");
        r.answers = {true};
        QTest::mouseClick(o->I_L[1], Qt::LeftButton); // the picture works too; Yes
        EXPECT_EQ(o->L_Sel_Lang->text(), "Lingua :Italiano");
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(r.messages.size(), 2);
    EXPECT_EQ(r.messages[0].text, "Do you want to change the Language from English to Italiano?");
    EXPECT_EQ(r.messages[0].kind, Msg_Kind::Confirmation);
    EXPECT_EQ(Forms::FDravianFirmWare->L_Begin->text(), "Inizio");
    EXPECT_EQ(Forms::FNew_Project->windowTitle(), "Nuova configurazione");
    EXPECT_EQ(Current_Language, "English");
    EXPECT_FALSE(QFile::exists(p.path("Dravian.xml"))); // Cancel stores nothing

    // Yes then OK: the choice is kept across a restart.
    Open_Options(r, [&](TFSoftOptions* o) {
        r.answers = {true};
        o->LangClick(2);
        QTest::mouseClick(o->Btn_OK, Qt::LeftButton);
        return o->result();
    });
    EXPECT_EQ(Current_Language, "Italiano");
    Forms::Create_All(p.dir());
    EXPECT_EQ(Current_Language, "Italiano");
    EXPECT_EQ(Forms::FDravianFirmWare->L_Begin->text(), "Inizio");
}

TEST(Options_Connection, EnabledStatesAndFlagsStoredOnOk) {
    Program p;
    Recorder r;
    p.start();
    Open_Options(r, [](TFSoftOptions* o) {
        EXPECT_FALSE(o->CB_Update->isEnabled());
        EXPECT_FALSE(o->Btn_Check_Update->isEnabled());
        o->CB_En_Con->click();
        EXPECT_TRUE(o->CB_Update->isEnabled());
        EXPECT_FALSE(o->Btn_Check_Update->isEnabled());
        o->CB_Update->click();
        EXPECT_TRUE(o->Btn_Check_Update->isEnabled());
        o->CB_En_Con->click(); // off again: both disabled, the check mark stays
        EXPECT_FALSE(o->CB_Update->isEnabled());
        EXPECT_FALSE(o->Btn_Check_Update->isEnabled());
        EXPECT_TRUE(o->CB_Update->isChecked());
        o->CB_En_Con->click();
        o->CB_Soft_Set_Jump_Table->click();
        QTest::mouseClick(o->Btn_OK, Qt::LeftButton);
        return o->result();
    });
    EXPECT_TRUE(Enable_Internet);
    EXPECT_TRUE(Enable_Update);
    EXPECT_TRUE(Enable_Jump_Field_Tables);
    EXPECT_FALSE(Double_Click_Auto_Size);
    EXPECT_TRUE(Forms::FDravianFirmWare->Timer_Update->isActive());
    EXPECT_TRUE(p.read("Dravian.xml").contains("<enable_jump_field_tables>1</enable_jump_field_tables>"));

    // Shown again: the boxes follow the stored flags.
    Open_Options(r, [](TFSoftOptions* o) {
        EXPECT_TRUE(o->CB_En_Con->isChecked());
        EXPECT_TRUE(o->Btn_Check_Update->isEnabled());
        EXPECT_TRUE(o->LL_Check_Update->isHidden());
        EXPECT_EQ(o->PC_Options->currentWidget(), o->TS_Language);
        return int(QDialog::Rejected);
    });
}

TEST(Options_Connection, ManualCheckShowsTheAnswer) {
    Program p;
    Recorder r;
    p.start();
    for (const auto& [answer, text] :
         {std::pair{"VER. 1.502", "New Version Available"}, std::pair{"VER. 1.501", "No Update Available"}}) {
        Http_Stub server(Http_Stub::Ok(answer));
        Version_Check_Host = QString("127.0.0.1:%1").arg(server.port());
        Open_Options(r, [&](TFSoftOptions* o) {
            o->Btn_Check_UpdateClick();
            EXPECT_FALSE(o->LL_Check_Update->isHidden());
            EXPECT_TRUE(o->LL_Check_Update->text().contains(text))
                << o->LL_Check_Update->text().toStdString();
            return int(QDialog::Rejected);
        });
    }
    Version_Check_Host = Maker_Web_Host;

    // The main window's timer shows its own link for a newer version.
    Http_Stub server(Http_Stub::Ok("VER. 1.502"));
    Version_Check_Host = QString("127.0.0.1:%1").arg(server.port());
    Forms::FDravianFirmWare->Timer_UpdateTimer();
    Version_Check_Host = Maker_Web_Host;
    EXPECT_FALSE(Forms::FDravianFirmWare->LL_Update->isHidden());
    EXPECT_TRUE(Forms::FDravianFirmWare->LL_Update->text().contains(
        "New Version Available. Click Here for more Details"));
    EXPECT_TRUE(Forms::FDravianFirmWare->LL_Update->text().contains("download.asp#GW51730"));
}

TEST(Options_About, FixedTextsInEveryLanguageAndLinks) {
    Program p;
    p.write("LANGUAGE/Italiano.lng", "STR0 = Inizio\r\n");
    p.write("Dravian.xml",
            "<Conf_Settings><lastlang><language>Italiano</language></lastlang></Conf_Settings>");
    Recorder r;
    p.start();
    r.next_modal([](QDialog* d) {
        auto* a = static_cast<TFAbout*>(d);
        EXPECT_EQ(a->size(), QSize(425, 148));
        EXPECT_EQ(a->Label1->text(), "Software Dravian ");
        EXPECT_EQ(a->Label2->text(), "DALI / Modbus TCP Slave - Converter");
        EXPECT_EQ(a->Label9->text(), "CF51730");
        EXPECT_EQ(a->Label10->text(), "1.501");
        EXPECT_EQ(a->Label12->text(), "UM51730");
        EXPECT_FALSE(a->Image_Second_Logo->isVisible());
        QTest::mouseClick(a->Image2, Qt::LeftButton);
        QTest::mouseClick(a->Label4, Qt::LeftButton);
        QTest::mouseClick(a->LbButton1, Qt::LeftButton);
        return a->result();
    });
    Forms::FDravianFirmWare->Btn_Click(Forms::FDravianFirmWare->Btn_Info);
    EXPECT_EQ(Forms::FDravianFirmWare->L_Begin->text(), "Inizio");
    ASSERT_EQ(r.urls.size(), 2);
    EXPECT_EQ(r.urls[0], r.urls[1]);
    EXPECT_EQ(r.urls[0], Home_Page_Url());
}
