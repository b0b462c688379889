// The DALI access window: opening, editing, checking and saving its two files.
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "dali/DALI_Check.h"
#include "dali/DALI_Files.h"
#include "dali/DALI_Tables.h"
#include "dali/UDALI_Access.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace UComon;
using namespace DALI;

namespace {

struct DALI_Window : ::testing::Test {
    Temp_Program program;
    Recorder rec;
    std::unique_ptr<TFDALI_Access> w;

    void SetUp() override {
        Init_Text_Table();
        SW_Code = QString::fromLatin1(Software_Code);
        Project_Dir = program.path("PROJECTS/Demo");
        QDir().mkpath(Project_Dir);
        DALI_Access_File = Project_Dir + "/DALI_Access.xml";
        DALI2_Access_File = Project_Dir + "/DALI2_Access.xml";
        w = std::make_unique<TFDALI_Access>();
    }

    // Opens the window and plays the user; returns the window's result.
    int Open(std::function<void(TFDALI_Access*)> user) {
        rec.next_modal([this, user](QDialog* d) {
            user(w.get());
            return d->result();
        });
        return Show_Modal(w.get());
    }
    void Write(const char* file, const QByteArray& bytes) {
        program.write("PROJECTS/Demo/" + QString(file), bytes);
    }
    QByteArray Read(const char* file) { return program.read("PROJECTS/Demo/" + QString(file)); }

    Cell_Grid& Rules() { return w->ASG->Cells(); }
    Cell_Grid& Functions() { return w->ACG->Cells(); }
    Cell_Grid& Devices() { return w->ACG_DALI_Device->Cells(); }
};

QComboBox* Open_Combo(TGrid* g, int col, int row, std::unique_ptr<QWidget>& holder) {
    QStyleOptionViewItem option;
    const QModelIndex i = g->Model()->index(row - 1, col);
    holder.reset(g->itemDelegate()->createEditor(g->viewport(), option, i));
    if (holder)
        g->itemDelegate()->setEditorData(holder.get(), i);
    return qobject_cast<QComboBox*>(holder.get());
}

QStringList Items(QComboBox* c) {
    QStringList l;
    for (int i = 0; c && i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

const QByteArray Bad_Rule_File =
    "<DALI2_Access><DALI2_Functions_Rules><row Function=\"Set Out\" Condition=\"No Condition\" Value=\"1\"/>"
    "</DALI2_Functions_Rules><DALI2_SetAccess_Rules>"
    "<row Enable=\"Y\" DeviceSensor=\"Device\" Type=\"Dimmer\" ChannelNumber=\"1\" Instance=\"0\" "
    "Command=\"256\" "
    "TimeSend=\"0\" TimeOut=\"0\" Function=\"\" Position=\"0\"/></DALI2_SetAccess_Rules></DALI2_Access>";

} // namespace

TEST_F(DALI_Window, Confirming_Empty_Tables_Writes_Both_Files_And_Closes) {
    const int result = Open([](TFDALI_Access* w) { w->Btn_OK->click(); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(rec.lines().isEmpty());
    EXPECT_EQ(Read("DALI_Access.xml").count("<DALI_ID_DEVICE_"), 192);
    const QByteArray rules = Read("DALI2_Access.xml");
    EXPECT_TRUE(rules.contains("<DALI2_Functions_Rules/>") || rules.contains("<DALI2_Functions_Rules></"));
    EXPECT_TRUE(rules.contains("DALI2_SetAccess_Rules"));
    EXPECT_FALSE(rules.contains("<row"));
}

TEST_F(DALI_Window, Edits_Are_Saved_On_OK_And_Shown_Again_Cancel_Discards_Them) {
    Open([&](TFDALI_Access* w) {
        w->Btn_SelectAllClick();
        w->PM_Recall_Level->actions()[2]->trigger();
        Functions().Set_Text(FC_Function, 1, "Set Out");
        Functions().Set_Text(FC_Condition, 1, "When Equal to Value");
        Functions().Set_Text(FC_Value, 1, "Short Press");
        Functions().Set_Text(FC_Mnemonic, 1, QString::fromUtf8(" <Hall> & \"stairs\" è "));
        const QStringList rule = {"Sensor", "Push Button", "4", "1", "0",  "100",
                                  "1000",   "1 - x",       "3", "2", " m "};
        for (int c = RC_DevSen; c < Rule_Cols; ++c)
            Rules().Set_Text(c, 1, rule[c - RC_DevSen]);
        w->Btn_OK->click();
    });
    EXPECT_EQ(Read("DALI_Access.xml").count(">1</DALI_ID_DEVICE_"), 64);

    Open([&](TFDALI_Access* w) {
        EXPECT_EQ(Devices().Text(DC_Enable, 64), "Y");
        EXPECT_EQ(Devices().Text(DC_Recall, 1), "Recall Old Value Level for Switch");
        EXPECT_EQ(Functions().Text(FC_Mnemonic, 1), QString::fromUtf8(" <Hall> & \"stairs\" è "));
        EXPECT_EQ(Rules().Text(RC_Mnemonic, 1), " m ");
        EXPECT_EQ(w->SelFunct[1], QString::fromUtf8("1 -  <Hall> & \"stairs\" è "));
        w->Btn_ClearAllClick();
        Rules().Set_Text(RC_DevSen, 1, QString());
        w->Btn_Cancel->click();
    });
    Open([&](TFDALI_Access* w) {
        EXPECT_EQ(Devices().Text(DC_Enable, 1), "Y");
        EXPECT_EQ(Rules().Text(RC_DevSen, 1), "Sensor");
        w->Btn_Cancel->click();
    });
    EXPECT_TRUE(rec.lines().isEmpty());
}

TEST_F(DALI_Window, A_Refused_Row_Shows_The_Same_Message_As_The_Command_Line_And_Saves_Nothing) {
    Write("DALI2_Access.xml", Bad_Rule_File);
    const int result = Open([](TFDALI_Access* w) { w->Btn_OK->click(); });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(rec.lines(), QList<int>{2536});
    const Check_Result cli = Check_DALI_Project(Project_Dir);
    EXPECT_EQ(cli.line, 2536);
    EXPECT_EQ(rec.messages[0].text, cli.message);
    EXPECT_EQ(cli.message, "Set Access - Error Row 1!! Command Must be Between 0 and 255");
    EXPECT_FALSE(QFile::exists(DALI_Access_File));
    EXPECT_EQ(Read("DALI2_Access.xml"), Bad_Rule_File);
}

TEST_F(DALI_Window, A_Damaged_File_Is_Reported_Once_And_OK_Writes_Good_Files) {
    Write("DALI_Access.xml", "<DALI_Access><DALI_ID_DEVICE_0>1</DALI_ID_DEVICE_0>");
    Write("DALI2_Access.xml", "<Something_Else/>");
    const int result = Open([&](TFDALI_Access* w) {
        EXPECT_EQ(Devices().Text(DC_Enable, 1), "N");
        EXPECT_EQ(Rules().Used_Rows(RC_DevSen), 0);
        w->Btn_OK->click();
    });
    ASSERT_EQ(rec.lines(), (QList<int>{904, 904}));
    EXPECT_EQ(rec.messages[0].kind, Msg_Kind::Error);
    EXPECT_TRUE(rec.messages[0].text.contains(QDir::toNativeSeparators(DALI_Access_File)));
    EXPECT_TRUE(rec.messages[1].text.contains("DALI2_Access is missing"));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(Check_DALI_Project(Project_Dir).ok);
}

TEST_F(DALI_Window, Rows_That_Do_Not_Fit_Are_Announced) {
    QByteArray xml = "<DALI2_Access><DALI2_Functions_Rules/><DALI2_SetAccess_Rules>";
    for (int r = 0; r < 258; ++r)
        xml += "<row Enable=\"N\" DeviceSensor=\"Device\"/>";
    Write("DALI2_Access.xml", xml + "</DALI2_SetAccess_Rules></DALI2_Access>");
    Open([&](TFDALI_Access*) { EXPECT_EQ(Rules().Used_Rows(RC_DevSen), 256); });
    ASSERT_EQ(rec.lines(), QList<int>{Too_Many_Rows_Line});
    EXPECT_EQ(rec.messages[0].kind, Msg_Kind::Warning);
    EXPECT_TRUE(rec.messages[0].text.startsWith("Warning! 2 rows"));
    EXPECT_EQ(Check_DALI_Project(Project_Dir).line, Too_Many_Rows_Line);
}

TEST_F(DALI_Window, A_File_That_Cannot_Be_Written_Keeps_The_Window_Open_With_The_Edits) {
    struct Case {
        const char* blocked;
        bool devices_written;
    };
    for (const Case c : {Case{"DALI_Access.xml", false}, Case{"DALI2_Access.xml", true}}) {
        SCOPED_TRACE(c.blocked);
        QFile::remove(DALI_Access_File);
        QDir(Project_Dir).rmdir("DALI_Access.xml");
        QDir(Project_Dir).rmdir("DALI2_Access.xml");
        QDir(Project_Dir).mkdir(c.blocked); // a folder where the file should go
        rec.messages.clear();
        const int result = Open([&](TFDALI_Access* w) {
            w->Btn_SelectAllClick();
            w->Btn_OK->click();
            EXPECT_EQ(Devices().Text(DC_Enable, 5), "Y");
        });
        EXPECT_EQ(result, QDialog::Rejected);
        ASSERT_EQ(rec.lines(), QList<int>{903});
        EXPECT_TRUE(rec.messages[0].text.contains(QDir::toNativeSeparators(Project_Dir + "/" + c.blocked)));
        EXPECT_EQ(QFileInfo(DALI_Access_File).isFile(), c.devices_written);
    }
}

TEST_F(DALI_Window, Each_Column_Gets_Its_Editor) {
    Open([&](TFDALI_Access* w) {
        std::unique_ptr<QWidget> e;
        EXPECT_EQ(Items(Open_Combo(w->ASG, RC_DevSen, 1, e)), Dev_Sen_List());
        EXPECT_EQ(Items(Open_Combo(w->ASG, RC_Type, 1, e)), QStringList());
        Rules().Set_Text(RC_DevSen, 1, "Sensor");
        EXPECT_EQ(Items(Open_Combo(w->ASG, RC_Type, 1, e)), Sen_Type_List());
        Rules().Set_Text(RC_DevSen, 1, "Device");
        EXPECT_EQ(Items(Open_Combo(w->ASG, RC_Type, 1, e)), Dev_Type_List());
        EXPECT_EQ(Items(Open_Combo(w->ASG, RC_Function, 1, e)).size(), 251);
        EXPECT_EQ(Items(Open_Combo(w->ASG, RC_Num_Bytes, 1, e)), Num_Bytes_List());
        for (int c : {int(RC_Channel), int(RC_Command), int(RC_Position), int(RC_Mnemonic)}) {
            Open_Combo(w->ASG, c, 1, e);
            EXPECT_NE(qobject_cast<QLineEdit*>(e.get()), nullptr) << c;
        }
        EXPECT_EQ(Open_Combo(w->ASG, RC_Enable, 1, e), nullptr);
        EXPECT_EQ(e, nullptr); // the check box needs no editor

        QComboBox* c = Open_Combo(w->ACG, FC_Value, 1, e);
        ASSERT_NE(c, nullptr);
        EXPECT_TRUE(c->isEditable());
        EXPECT_EQ(Items(c), Events());
        EXPECT_FALSE(Open_Combo(w->ACG, FC_Function, 1, e)->isEditable());
        EXPECT_EQ(Items(Open_Combo(w->ACG, FC_Condition, 1, e)), Conditions());
        EXPECT_EQ(Items(Open_Combo(w->ACG, FC_Channel, 1, e)), Targets());
        EXPECT_EQ(Items(Open_Combo(w->ACG_DALI_Device, DC_Recall, 1, e)), Recall_Levels());

        // A list without the cell's text keeps the text when nothing is chosen.
        Rules().Set_Text(RC_Type, 2, "Old Type");
        QComboBox* empty = Open_Combo(w->ASG, RC_Type, 2, e);
        w->ASG->itemDelegate()->setModelData(empty, w->ASG->model(), w->ASG->model()->index(1, RC_Type));
        EXPECT_EQ(Rules().Text(RC_Type, 2), "Old Type");
    });
}

TEST_F(DALI_Window, Choosing_An_Event_Sets_The_Condition) {
    Open([&](TFDALI_Access* w) {
        struct Case {
            const char* value;
            const char* condition;
        };
        const Case cases[] = {{"Short Press", "When Equal to Value"},
                              {"Vacant", "NAND Logic with Value"},
                              {"Still Occupied", "AND Logic with Value"},
                              {"12.5", "OR Logic with Value"}};
        for (const Case& c : cases) {
            Functions().Set_Text(FC_Condition, 3, "OR Logic with Value");
            std::unique_ptr<QWidget> e;
            QComboBox* combo = Open_Combo(w->ACG, FC_Value, 3, e);
            ASSERT_NE(combo, nullptr);
            combo->setEditText(QLatin1String(c.value));
            w->ACG->itemDelegate()->setModelData(combo, w->ACG->model(), w->ACG->model()->index(2, FC_Value));
            EXPECT_EQ(Functions().Text(FC_Value, 3), c.value);
            EXPECT_EQ(Functions().Text(FC_Condition, 3), c.condition) << c.value;
        }
    });
}

TEST_F(DALI_Window, Heading_Menus_And_Page_Buttons) {
    Write("DALI_Access.xml", "<DALI_Access><DALI_ID_DEVICE_0>1</DALI_ID_DEVICE_0></DALI_Access>");
    Open([&](TFDALI_Access* w) {
        EXPECT_EQ(Devices().Text(DC_Min_Max, 1), "N"); // no Min-Max element
        EXPECT_EQ(w->ACG_DALI_Device->Heading_Menu(DC_Min_Max), w->PM_MinMax_Value);
        EXPECT_EQ(w->ACG_DALI_Device->Heading_Menu(DC_Recall), w->PM_Recall_Level);
        EXPECT_TRUE(w->ACG_DALI_Device->isColumnHidden(DC_Address));
        EXPECT_TRUE(w->ACG_DALI_Device->isColumnHidden(DC_Dimming_Mode));
        w->PM_MinMax_Value->actions()[0]->trigger();
        EXPECT_EQ(Devices().Text(DC_Min_Max, 64), "Y");
        w->PM_MinMax_Value->actions()[1]->trigger();
        EXPECT_EQ(Devices().Text(DC_Min_Max, 30), "N");
        w->PM_Recall_Level->actions()[1]->trigger();
        EXPECT_EQ(Devices().Text(DC_Recall, 10), "Recall Min-Max Level for Switch");

        struct Page {
            QWidget* page;
            bool devices;
        };
        for (const Page p :
             {Page{w->TS_Set_Access, false}, Page{w->TS_Functions, false}, Page{w->TS_Select_Device, true}}) {
            w->PC_DALI->setCurrentWidget(p.page);
            EXPECT_EQ(w->Btn_SelectAll->isVisible(), p.devices);
            EXPECT_EQ(w->Btn_ClearAll->isVisible(), p.devices);
            for (QWidget* b : {w->Btn_DelRow, w->Btn_InsRow, w->Btn_CopyRow, w->Btn_PasteRow})
                EXPECT_EQ(b->isVisible(), !p.devices);
        }
        EXPECT_EQ(w->Btn_PasteRow->x(), 606);
        EXPECT_EQ(w->ASG->model()->headerData(RC_Command, Qt::Horizontal, Qt::ToolTipRole), T(2524));
        EXPECT_FALSE(w->ASG->model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    });
}

TEST_F(DALI_Window, Row_Buttons_Ask_Before_Deleting_And_Keep_Tables_Apart) {
    Open([&](TFDALI_Access* w) {
        w->PC_DALI->setCurrentWidget(w->TS_Set_Access);
        for (int r = 1; r <= 3; ++r)
            Rules().Set_Text(RC_DevSen, r, QString::number(r));
        w->ASG->Set_Current_Cell(RC_DevSen, 2);
        rec.answers = {false, true};
        w->Btn_DelRow->click();
        EXPECT_EQ(Rules().Text(RC_DevSen, 2), "2");
        w->Btn_DelRow->click();
        EXPECT_EQ(Rules().Text(RC_DevSen, 2), "3");
        EXPECT_TRUE(Rules().Read_Only(RC_DevSen, 256));
        EXPECT_TRUE(Rules().Checked(RC_Enable, 256));
        ASSERT_EQ(rec.messages.size(), 2);
        EXPECT_EQ(rec.messages[0].text, "Are you sure to delete the Row number 2");

        w->Btn_InsRow->click(); // no question
        EXPECT_EQ(Rules().Text(RC_DevSen, 3), "3");
        EXPECT_TRUE(Rules().Checked(RC_Enable, 2));
        w->Btn_CopyRow->click();
        EXPECT_TRUE(w->Do_Copy);

        rec.messages.clear();
        w->PC_DALI->setCurrentWidget(w->TS_Functions);
        w->Btn_PasteRow->click(); // no function row copied yet
        w->Btn_CopyRow->click();
        w->PC_DALI->setCurrentWidget(w->TS_Set_Access);
        w->Btn_PasteRow->click(); // a function row does not fit a rule row
        EXPECT_EQ(rec.lines(), (QList<int>{902, 901}));
    });
}

TEST_F(DALI_Window, A_Language_Change_Reaches_Every_Page) {
    Text_Table[2556] = "Zugriff einstellen";
    Text_Table[2504] = "Kanalnummer";
    Text_Table[612] = "DALI-Geraet 2";
    w->Set_Lang();
    EXPECT_EQ(w->PC_DALI->tabText(1), "Zugriff einstellen");
    EXPECT_EQ(w->ASG->model()->headerData(RC_Channel, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Kanalnummer");
    EXPECT_EQ(Devices().Text(DC_Caption, 3), "DALI-Geraet 2");
    EXPECT_EQ(w->Btn_DelRow->text(), "Delete Row");
}

TEST(DALI_Main_Window, The_DALI_Access_Step_Opens_The_Window_On_The_Active_Project) {
    Temp_Program program;
    program.write("PROJECTS/Demo/DALI_Access.xml",
                  "<DALI_Access><DALI_ID_DEVICE_9>1</DALI_ID_DEVICE_9></DALI_Access>");
    program.write("Dravian.xml",
                  "<Conf_Settings><lastproj><projectname>Demo</projectname></lastproj></Conf_Settings>");
    Recorder rec;
    Forms::Create_All(program.dir());
    bool enabled = false;
    rec.next_modal([&](QDialog*) {
        enabled = Forms::FDALI_Access->ACG_DALI_Device->Cells().Checked(DC_Enable, 10);
        return int(QDialog::Rejected);
    });
    Forms::FDravianFirmWare->Btn_Click(Forms::FDravianFirmWare->Btn_DALI_Access);
    EXPECT_EQ(rec.opened, QList<QString>{"FDALI_Access"});
    EXPECT_TRUE(enabled);
    Forms::Destroy_All();
}

TEST_F(DALI_Window, A_Click_On_A_Check_Box_Toggles_It_Unless_The_Cell_Is_Read_Only) {
    auto click = [](TGrid* g, int col, int row) {
        const QPoint at = g->visualRect(g->Model()->index(row - 1, col)).center();
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, at, g->viewport()->mapToGlobal(at), Qt::LeftButton,
                          t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(g->viewport(), &e);
        }
    };
    Open([&](TFDALI_Access* w) {
        w->resize(w->size());
        QApplication::processEvents();
        click(w->ACG_DALI_Device, DC_Enable, 2);
        EXPECT_EQ(Devices().Text(DC_Enable, 2), "Y");
        click(w->ACG_DALI_Device, DC_Min_Max, 2);
        EXPECT_EQ(Devices().Text(DC_Min_Max, 2), "Y");
        click(w->ACG_DALI_Device, DC_Enable, 2);
        EXPECT_EQ(Devices().Text(DC_Enable, 2), "N");

        w->PC_DALI->setCurrentWidget(w->TS_Set_Access);
        QApplication::processEvents();
        click(w->ASG, RC_Enable, 1);
        EXPECT_FALSE(Rules().Checked(RC_Enable, 1));
        Rules().Set_Read_Only(RC_Enable, 1, true);
        click(w->ASG, RC_Enable, 1);
        EXPECT_FALSE(Rules().Checked(RC_Enable, 1));
        w->PC_DALI->setCurrentWidget(w->TS_Select_Device);
    });
}
