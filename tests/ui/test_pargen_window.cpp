// The communication settings window: loading, checks, saving, collapse and keys.
#include "app/Settings.h"
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "comm_settings/ParGen_Check.h"
#include "comm_settings/UParGen.h"
#include "common/Comon_State.h"
#include "common/UStyle.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace UComon;

namespace {

const QString Data = QStringLiteral(DRAVIAN_TEST_DATA "/pargen/");

void Key(QWidget* w, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

class ParGen_Window : public ::testing::Test {
protected:
    void SetUp() override {
        Init_Text_Table();
        SW_Code = Software_Code;
        Projects_Dir = p.path("PROJECTS");
        Project_Name = "Demo";
        Project_Dir = Join_Path(Projects_Dir, Project_Name);
        QDir().mkpath(Project_Dir + "/bin");
        Set_Files();
        w = std::make_unique<TFParGen>();
    }

    // Opens the window modally; `script` plays the user and returns the result.
    int Open(std::function<int(TFParGen&)> script) {
        rec.next_modal([this, script](QDialog*) { return script(*w); });
        return Show_Modal(w.get());
    }

    Temp_Program p;
    Recorder rec;
    std::unique_ptr<TFParGen> w;
};

} // namespace

TEST_F(ParGen_Window, Without_A_File_Shows_The_Defaults_And_Cancel_Closes_At_Once) {
    const int result = Open([](TFParGen& f) {
        EXPECT_EQ(f.Values(), TParGen());
        EXPECT_EQ(f.E_IP4->text(), "10");
        EXPECT_EQ(f.E_DALI_Console_Port->text(), "10001");
        EXPECT_FALSE(f.Is_Change);
        f.Btn_Cancel->click();
        EXPECT_FALSE(f.isVisible());
        return f.result();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(ParGen_File));
}

TEST_F(ParGen_Window, Entries_Are_Saved_As_Typed_And_Come_Back_Next_Time) {
    TParGen typed;
    typed.MTCPs_IP1 = "  10";
    typed.MTCPs_IP4 = "$0A";
    typed.MTCPs_GAT1 = "abc"; // gateway off: not checked, saved as typed
    typed.MTCPs_PORT = "1502";
    typed.DALI_CONSOLE_PORT = "1502";
    typed.DALI_TIMEOUT = "-1"; // switch-off off
    typed.Modbus_TCP_Slave_DALI_Map = true;
    typed.DALI_DISABLE_SCAN = true;
    typed.DALI_ENABLE_DALI_2 = true;
    int result = Open([&](TFParGen& f) {
        f.Set_Values(typed);
        f.Btn_OK->click();
        EXPECT_FALSE(f.isVisible());
        return f.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(rec.messages.isEmpty());
    TParGen stored;
    ASSERT_EQ(Load_ParGen(ParGen_File, stored), Xml_Load_Result::Ok);
    EXPECT_EQ(stored, typed);

    result = Open([&](TFParGen& f) {
        EXPECT_EQ(f.Values(), typed);
        EXPECT_FALSE(f.Is_Change); // filling the controls is no change by the user
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(ParGen_Window, A_Refused_Entry_Shows_Its_Message_And_Keeps_The_Window_Open) {
    Text_Table[423] = "Porta non valida"; // messages are read from the table when shown
    Open([](TFParGen& f) {
        f.E_PORT->setText("10000");
        f.E_GAT1->setText("x");
        f.Btn_OK->click();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.E_PORT->text(), "10000");

        f.E_PORT->setText("502");
        f.CB_ModTCPs_EN_GAT->setChecked(true); // now the letters in the gateway count
        f.Btn_OK->click();
        EXPECT_TRUE(f.isVisible());
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(rec.messages.size(), 2);
    EXPECT_EQ(rec.messages[0].kind, Msg_Kind::Error);
    EXPECT_EQ(rec.messages[0].line, 423);
    EXPECT_EQ(rec.messages[0].text, "Porta non valida");
    EXPECT_EQ(rec.messages[1].line, 419);
    EXPECT_FALSE(QFile::exists(ParGen_File));
}

TEST_F(ParGen_Window, Reports_The_Same_First_Failure_As_The_File_Check) {
    ASSERT_TRUE(QFile::copy(Data + "several_errors.xml", ParGen_File));
    Open([](TFParGen& f) {
        f.Btn_OK->click();
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(rec.lines().size(), 1);
    EXPECT_EQ(rec.lines()[0], Check_ParGen_File(ParGen_File).line);
    EXPECT_EQ(rec.lines()[0], 414);
}

TEST_F(ParGen_Window, Cancel_Asks_Once_Something_Was_Typed) {
    Open([this](TFParGen& f) {
        f.E_IP1->setFocus();
        Key(f.E_IP1, Qt::Key_5, "5");
        Key(f.E_IP1, Qt::Key_Backspace, "");
        EXPECT_EQ(f.E_IP1->text(), "192");
        EXPECT_TRUE(f.Is_Change);

        rec.answers.push_back(false); // No: stay
        f.Btn_Cancel->click();
        EXPECT_TRUE(f.isVisible());
        rec.answers.push_back(false); // Escape is Cancel, question included
        Key(f.E_IP1, Qt::Key_Escape, "");
        EXPECT_TRUE(f.isVisible());
        rec.answers.push_back(true); // Yes: leave without saving
        f.Btn_Cancel->click();
        EXPECT_FALSE(f.isVisible());
        return f.result();
    });
    EXPECT_EQ(rec.lines(), QList<int>({424, 424, 424}));
    EXPECT_EQ(rec.messages[0].kind, Msg_Kind::Confirmation);
    EXPECT_FALSE(QFile::exists(ParGen_File));
}

TEST_F(ParGen_Window, The_Dot_Key_Moves_To_The_Next_Byte_And_Is_Never_Typed) {
    Open([](TFParGen& f) {
        struct Step {
            QLineEdit* from;
            QLineEdit* to;
        };
        const Step steps[] = {
            {f.E_IP1, f.E_IP2}, {f.E_IP4, f.E_SM1}, {f.E_SM4, f.E_GAT1}, {f.E_GAT4, f.E_GAT4}};
        EXPECT_FALSE(f.CB_ModTCPs_EN_GAT->isChecked());
        for (const Step& s : steps) {
            const QString before = s.from->text();
            s.from->setFocus();
            Key(s.from, Qt::Key_Period, ".");
            EXPECT_EQ(f.focusWidget(), s.to) << s.from->objectName().toStdString();
            EXPECT_EQ(s.from->text(), before);
        }
        f.E_IP3->setFocus();
        f.E_IP3->end(false);
        Key(f.E_IP3, Qt::Key_7, "7"); // other keys pass
        EXPECT_EQ(f.E_IP3->text(), "07");
        EXPECT_EQ(f.focusWidget(), f.E_IP3);
        return int(QDialog::Rejected);
    });
}

TEST_F(ParGen_Window, Collapsing_Moves_The_Boxes_Below) {
    struct Case {
        bool modbus, dali;
        int dali_top, buttons_top, client_height;
    };
    const Case cases[] = {
        {false, false, 333, 538, 579},
        {true, false, 102, 307, 348},
        {true, true, 102, 141, 182},
        {false, true, 333, 372, 413},
    };
    Open([&](TFParGen& f) {
        for (const Case& c : cases) {
            if (c.modbus) f.Btn_Modbus_TCP_Slave_Collapse->click();
            if (c.dali) f.Btn_DALI_Collapse->click();
            const std::string name = std::to_string(c.modbus) + "/" + std::to_string(c.dali);
            EXPECT_EQ(f.GB_Modbus_TCP_Slave->height(), c.modbus ? 26 : 257) << name;
            EXPECT_EQ(f.GB_DALI->y(), c.dali_top) << name;
            EXPECT_EQ(f.GB_DALI->height(), c.dali ? 26 : 192) << name;
            EXPECT_EQ(f.Btn_OK->y(), c.buttons_top) << name;
            EXPECT_EQ(f.Btn_Cancel->y(), c.buttons_top) << name;
            EXPECT_EQ(f.height(), c.client_height) << name;
            EXPECT_EQ(f.width(), 312) << name;
            EXPECT_EQ(f.GB_Modbus_TCP_Slave_Visible, !c.modbus) << name;
            EXPECT_EQ(f.Btn_Modbus_TCP_Slave_Expande->isVisible(), c.modbus) << name;
            EXPECT_EQ(f.Btn_Modbus_TCP_Slave_Collapse->isVisible(), !c.modbus) << name;
            EXPECT_EQ(f.L_ModTCPs_IP->isVisible(), !c.modbus) << name;
            EXPECT_EQ(f.E_DALI_Console_Port->isVisible(), !c.dali) << name;
            if (c.modbus) f.Btn_Modbus_TCP_Slave_Expande->click();
            if (c.dali) f.Btn_DALI_Expande->click();
            EXPECT_EQ(f.height(), 579) << name;
        }
        return int(QDialog::Rejected);
    });
}

TEST_F(ParGen_Window, A_Collapsed_Box_Stays_Collapsed_At_The_Next_Opening_With_Its_Values) {
    Open([](TFParGen& f) {
        f.Btn_Modbus_TCP_Slave_Collapse->click();
        f.Btn_Cancel->click();
        return f.result();
    });
    TParGen v;
    v.MTCPs_PORT = "1502";
    ASSERT_TRUE(Save_ParGen(ParGen_File, v));
    Open([](TFParGen& f) {
        EXPECT_FALSE(f.GB_Modbus_TCP_Slave_Visible);
        EXPECT_EQ(f.GB_Modbus_TCP_Slave->height(), 26);
        EXPECT_EQ(f.GB_DALI->y(), 102);
        EXPECT_TRUE(f.Btn_Modbus_TCP_Slave_Expande->isVisible());
        EXPECT_EQ(f.E_PORT->text(), "1502");
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(ParGen_Window, A_Failed_Save_Names_The_File_And_Keeps_Every_Entry) {
    Open([this](TFParGen& f) {
        f.E_IP1->setText("10");
        f.E_PORT->setText(" 1502");
        QDir(Project_Dir).removeRecursively(); // the project folder went away meanwhile
        f.Btn_OK->click();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.E_IP1->text(), "10");
        EXPECT_EQ(f.E_PORT->text(), " 1502");
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0].line, 903);
    EXPECT_EQ(rec.messages[0].kind, Msg_Kind::Error);
    EXPECT_TRUE(rec.messages[0].text.startsWith(T(903)));
    EXPECT_TRUE(rec.messages[0].text.contains(QDir::toNativeSeparators(ParGen_File)));
    EXPECT_GT(rec.messages[0].text.split('\n').size(), 2); // and the reason
}

TEST_F(ParGen_Window, A_Save_Into_A_Read_Only_Folder_Keeps_The_Previous_File) {
#ifndef _WIN32
    if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the super-user";
#endif
    ASSERT_TRUE(Save_ParGen(ParGen_File, TParGen()));
    const QByteArray before = p.read("PROJECTS/Demo/ParGen.xml");
    QFile::setPermissions(Project_Dir, QFile::ReadOwner | QFile::ExeOwner);
    Open([](TFParGen& f) {
        f.E_PORT->setText("1502");
        f.Btn_OK->click();
        EXPECT_TRUE(f.isVisible());
        return int(QDialog::Rejected);
    });
    QFile::setPermissions(Project_Dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(rec.lines(), QList<int>({903}));
    EXPECT_EQ(p.read("PROJECTS/Demo/ParGen.xml"), before);
}

TEST_F(ParGen_Window, A_File_That_Is_Not_Well_Formed_Is_Named_Then_Replaced_On_OK) {
    ASSERT_TRUE(QFile::copy(Data + "not_well_formed.xml", ParGen_File));
    QFile::setPermissions(ParGen_File, QFile::ReadOwner | QFile::WriteOwner);
    const int result = Open([this](TFParGen& f) {
        EXPECT_EQ(rec.lines(), QList<int>({904}));
        EXPECT_EQ(f.Values(), TParGen());
        EXPECT_FALSE(f.Is_Change);
        f.Btn_OK->click();
        return f.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_TRUE(rec.messages[0].text.contains(QDir::toNativeSeparators(ParGen_File)));
    TParGen stored;
    EXPECT_EQ(Load_ParGen(ParGen_File, stored), Xml_Load_Result::Ok);
    EXPECT_EQ(stored, TParGen());
}

TEST_F(ParGen_Window, Tab_Order_Runs_From_OK_Through_Both_Boxes) {
    const QList<QWidget*> order = {w->Btn_OK,
                                   w->Btn_Cancel,
                                   w->E_IP1,
                                   w->E_IP2,
                                   w->E_IP3,
                                   w->E_IP4,
                                   w->E_SM1,
                                   w->E_SM2,
                                   w->E_SM3,
                                   w->E_SM4,
                                   w->E_GAT1,
                                   w->E_GAT2,
                                   w->E_GAT3,
                                   w->E_GAT4,
                                   w->CB_ModTCPs_EN_GAT,
                                   w->E_PORT,
                                   w->Btn_Modbus_TCP_Slave_Collapse,
                                   w->Btn_Modbus_TCP_Slave_Expande,
                                   w->CB_Modbus_TCP_Slave_Map_DALI,
                                   w->E_DALI_Console_Port,
                                   w->CB_DALI_SwitchOff,
                                   w->E_DALI_TimeOut,
                                   w->Btn_DALI_Collapse,
                                   w->Btn_DALI_Expande,
                                   w->CB_DALI_Disable_Scan,
                                   w->CB_DALI_En_DALI2};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString();
    }
}

TEST(ParGen_Main_Window, Set_Communication_Opens_The_Window_For_The_Active_Project) {
    Temp_Program p;
    Recorder rec;
    p.write("Dravian.xml",
            "<Conf_Settings><lastproj><projectname>Demo</projectname></lastproj></Conf_Settings>");
    p.write("PROJECTS/Demo/ParGen.xml", "<Par_Gen><MTCPs_PORT>1502</MTCPs_PORT></Par_Gen>");
    Forms::Create_All(p.dir());
    QString port;
    rec.next_modal([&](QDialog*) {
        port = Forms::FParGen->E_PORT->text();
        return int(QDialog::Rejected);
    });
    Forms::FDravianFirmWare->Btn_Click(Forms::FDravianFirmWare->Btn_Prm_Gen);
    EXPECT_EQ(rec.opened, QList<QString>({"FParGen"}));
    EXPECT_EQ(port, "1502");
    Forms::Destroy_All();
}
