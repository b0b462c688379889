// DALI_Access.xml and DALI2_Access.xml: reading, writing and what a hand-made or
// damaged file does.
#include "common/Comon_State.h"
#include "dali/DALI_Files.h"
#include "dali/DALI_Tables.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QDomDocument>
#include <QFile>

#include <gtest/gtest.h>

using namespace DALI;
using UComon::Cell_Grid;

namespace {

QString Data(const char* name) {
    return QStringLiteral(DRAVIAN_TEST_DATA "/dali/") + QLatin1String(name);
}

struct Tables {
    Cell_Grid devices, functions, rules;
    Tables() {
        Init_Device_Grid(devices);
        Init_Function_Grid(functions);
        Init_Rule_Grid(rules);
    }
};

QStringList Element_Names(const QByteArray& bytes) {
    QDomDocument doc;
    EXPECT_TRUE(doc.setContent(bytes));
    QStringList names;
    for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.tagName();
    return names;
}

void Fill_Rule(Cell_Grid& g, int r, const QStringList& cells, bool enabled = true) {
    g.Set_Checked(RC_Enable, r, enabled);
    for (int c = RC_DevSen; c < Rule_Cols && c - RC_DevSen < cells.size(); ++c)
        g.Set_Text(c, r, cells[c - RC_DevSen]);
}

} // namespace

TEST(DALI_Devices_File, No_File_Gives_Every_Device_Disabled_With_Initial_Values) {
    Tables t;
    t.devices.Set_Checked(DC_Enable, 5, true); // left from an earlier showing
    const File_Problem p = Load_DALI_Devices(QStringLiteral("/nonexistent/DALI_Access.xml"), t.devices);
    EXPECT_TRUE(p.Ok());
    for (int r = 1; r <= Device_Count; ++r) {
        EXPECT_EQ(t.devices.Text(DC_Enable, r), "N");
        EXPECT_EQ(t.devices.Text(DC_Min_Max, r), "N");
        EXPECT_EQ(t.devices.Text(DC_Recall, r), "None");
        EXPECT_EQ(t.devices.Text(DC_Dimming_Mode, r), "Normal");
    }
}

TEST(DALI_Devices_File, Hand_Made_File_Reads_Only_Exact_Values) {
    Tables t;
    ASSERT_TRUE(Load_DALI_Devices(Data("DALI_Access_edge.xml"), t.devices).Ok());
    auto row = [](int id) { return id + 1; };
    EXPECT_EQ(t.devices.Text(DC_Enable, row(12)), "Y");
    EXPECT_EQ(t.devices.Text(DC_Min_Max, row(12)), "Y");
    EXPECT_EQ(t.devices.Text(DC_Recall, row(12)), "None"); // no Recall element
    EXPECT_EQ(t.devices.Text(DC_Enable, row(7)), "N");     // "Y" is not "1"
    EXPECT_EQ(t.devices.Text(DC_Enable, row(8)), "N");     // " 1" is not "1"
    EXPECT_EQ(t.devices.Text(DC_Recall, row(3)), "Recall Old Value Level for Switch");
    EXPECT_EQ(t.devices.Text(DC_Dimming_Mode, row(3)), "Normal"); // not read by the window
    EXPECT_EQ(t.devices.Text(DC_Recall, row(4)), "None");         // other letter case
    EXPECT_EQ(t.devices.Text(DC_Enable, row(63)), "Y");           // the first of two elements counts
    EXPECT_EQ(t.devices.Text(DC_Recall, row(63)), "Recall Min-Max Level for Switch");
}

TEST(DALI_Devices_File, Save_Writes_192_Elements_In_Order_And_Reads_Back) {
    Temp_Program p;
    Tables t;
    ASSERT_TRUE(Load_DALI_Devices(Data("DALI_Access_edge.xml"), t.devices).Ok());
    const QString file = p.path("DALI_Access.xml");
    ASSERT_TRUE(Save_DALI_Devices(file, t.devices));

    const QByteArray bytes = p.read("DALI_Access.xml");
    EXPECT_FALSE(bytes.startsWith("<?xml"));
    EXPECT_TRUE(bytes.trimmed().endsWith("<!--SW_VERSION = 1.501-->"));
    const QStringList names = Element_Names(bytes);
    ASSERT_EQ(names.size(), 192);
    EXPECT_EQ(names.mid(0, 4), (QStringList{"DALI_ID_DEVICE_0", "DALI_ID_DEVICE_0_MIN_MAN_VALUE",
                                            "DALI_ID_DEVICE_0_RECALL_LEVEL", "DALI_ID_DEVICE_1"}));
    EXPECT_EQ(names.last(), "DALI_ID_DEVICE_63_RECALL_LEVEL");
    EXPECT_FALSE(bytes.contains("DIMMING_MODE")); // dropped by the save
    EXPECT_TRUE(bytes.contains("<DALI_ID_DEVICE_12>1</DALI_ID_DEVICE_12>"));
    EXPECT_TRUE(bytes.contains("<DALI_ID_DEVICE_7>0</DALI_ID_DEVICE_7>"));

    Tables back;
    ASSERT_TRUE(Load_DALI_Devices(file, back.devices).Ok());
    for (int r = 1; r <= Device_Count; ++r)
        for (int c : {int(DC_Enable), int(DC_Min_Max), int(DC_Recall)})
            EXPECT_EQ(back.devices.Text(c, r), t.devices.Text(c, r)) << "row " << r << " column " << c;
}

TEST(DALI_Devices_File, Damaged_File_Is_Reported_And_Leaves_Initial_Values) {
    Temp_Program p;
    p.write("DALI_Access.xml", "<DALI_Access><DALI_ID_DEVICE_0>1</DALI_ID_DEVICE_0>");
    Tables t;
    const File_Problem problem = Load_DALI_Devices(p.path("DALI_Access.xml"), t.devices);
    EXPECT_EQ(problem.kind, File_Problem::Not_Well_Formed);
    EXPECT_EQ(problem.Line(), 904);
    EXPECT_EQ(t.devices.Text(DC_Enable, 1), "N");
    const QString text = problem.Message(UComon::Default_Text);
    EXPECT_TRUE(text.startsWith("Error! The file is not a valid XML document:\n"));
    EXPECT_TRUE(text.contains("DALI_Access.xml"));
    EXPECT_TRUE(text.contains("line")) << text.toStdString(); // the parser's reason
}

TEST(DALI2_File, Small_File_Loads_Into_The_First_Rows) {
    Tables t;
    ASSERT_TRUE(Load_DALI2_Rules(Data("DALI2_Access_small.xml"), t.functions, t.rules).Ok());
    EXPECT_EQ(t.functions.Used_Rows(FC_Function), 3);
    EXPECT_EQ(t.functions.Text(FC_Value, 2), "12,5");
    EXPECT_EQ(t.functions.Text(FC_Mnemonic, 1), "hall on");
    EXPECT_EQ(t.functions.Text(FC_Next, 3), ""); // missing attribute: empty cell
    EXPECT_EQ(t.functions.Text(FC_Number, 250), "250");
    EXPECT_EQ(t.rules.Used_Rows(RC_DevSen), 2);
    EXPECT_TRUE(t.rules.Checked(RC_Enable, 1));  // "n" is not "N"
    EXPECT_FALSE(t.rules.Checked(RC_Enable, 2)); // exactly "N"
    EXPECT_EQ(t.rules.Text(RC_Function, 1), "1 - hall on");
    EXPECT_EQ(t.rules.Text(RC_Position, 1), "3");
    EXPECT_EQ(t.rules.Text(RC_Mnemonic, 2), "");
    for (int r = 3; r <= Rule_Count; ++r)
        ASSERT_TRUE(t.rules.Checked(RC_Enable, r)) << r;
    EXPECT_EQ(t.rules.Text(RC_Number, 256), "256");
}

TEST(DALI2_File, Save_Keeps_Attribute_Order_And_Only_Used_Rows) {
    Temp_Program p;
    Tables t;
    Fill_Rule(t.rules, 1, {"Device", "Dimmer", "1", "2", "3", "4", "5", "0 - None", "6", "1", "first"});
    Fill_Rule(t.rules, 2, {"Sensor", "Push Button"}, false);
    Fill_Rule(t.rules, 4, {"Device", "Dimmer"}); // below the empty row 3: not saved
    t.functions.Set_Text(FC_Function, 1, "Set Out");
    t.functions.Set_Text(FC_Function, 3, "Toggle"); // below the empty row 2
    const QByteArray bytes = DALI2_Rules_Bytes(t.functions, t.rules);

    EXPECT_FALSE(bytes.startsWith("<?xml"));
    EXPECT_TRUE(bytes.contains("<row Function=\"Set Out\" Condition=\"\" Value=\"\" Channel=\"\" Val=\"\" "
                               "Next_Function=\"\" Mnemonic=\"\"/>"));
    EXPECT_TRUE(
        bytes.contains("<row Enable=\"Y\" DeviceSensor=\"Device\" Type=\"Dimmer\" ChannelNumber=\"1\" "
                       "Instance=\"2\" Command=\"3\" TimeSend=\"4\" TimeOut=\"5\" Function=\"0 - None\" "
                       "Position=\"6\" NumBytes=\"1\" Mnemonic=\"first\"/>"));
    EXPECT_TRUE(bytes.contains("<row Enable=\"N\" DeviceSensor=\"Sensor\""));
    EXPECT_EQ(bytes.count("<row "), 3);
    EXPECT_LT(bytes.indexOf("DALI2_Functions_Rules"), bytes.indexOf("DALI2_SetAccess_Rules"));
    EXPECT_TRUE(bytes.trimmed().endsWith("</DALI2_Access>\n<!--SW_VERSION = 1.501-->"));
}

TEST(DALI2_File, Empty_Tables_Save_Two_Empty_Lists) {
    Tables t;
    const QByteArray bytes = DALI2_Rules_Bytes(t.functions, t.rules);
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(bytes));
    const QDomElement root = doc.documentElement();
    EXPECT_EQ(root.tagName(), "DALI2_Access");
    EXPECT_FALSE(root.firstChildElement("DALI2_Functions_Rules").isNull());
    EXPECT_FALSE(root.firstChildElement("DALI2_SetAccess_Rules").isNull());
    EXPECT_EQ(bytes.count("<row"), 0);
}

TEST(DALI2_File, Whatever_A_User_Types_Reads_Back_Unchanged) {
    Temp_Program p;
    Tables t;
    const QStringList texts = {QString::fromUtf8("  blanks both ends  "),
                               "quote \" and ' apostrophe",
                               "less < greater > amp &amp; &",
                               QString::fromUtf8("accents àèìòù ß € 日本"),
                               "tab\there",
                               " ",
                               ""};
    for (int i = 0; i < texts.size(); ++i) {
        Fill_Rule(t.rules, i + 1, {"Device", "Dimmer"});
        t.rules.Set_Text(RC_Mnemonic, i + 1, texts[i]);
        t.functions.Set_Text(FC_Function, i + 1, "Set Out");
        t.functions.Set_Text(FC_Value, i + 1, texts[i]);
        t.functions.Set_Text(FC_Mnemonic, i + 1, texts[i]);
    }
    const QString file = p.path("DALI2_Access.xml");
    ASSERT_TRUE(Save_DALI2_Rules(file, t.functions, t.rules));
    Tables back;
    ASSERT_TRUE(Load_DALI2_Rules(file, back.functions, back.rules).Ok());
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(back.rules.Text(RC_Mnemonic, i + 1), texts[i]);
        EXPECT_EQ(back.functions.Text(FC_Value, i + 1), texts[i]);
        EXPECT_EQ(back.functions.Text(FC_Mnemonic, i + 1), texts[i]);
    }
}

TEST(DALI2_File, Characters_XML_Cannot_Hold_Are_Dropped_So_The_File_Stays_Readable) {
    Tables t;
    Fill_Rule(t.rules, 1, {"Device", "Dimmer"});
    t.rules.Set_Text(RC_Mnemonic, 1, QStringLiteral("a") + QChar(0x01) + QStringLiteral("b") + QChar(0xFFFF));
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(DALI2_Rules_Bytes(t.functions, t.rules)));
    EXPECT_EQ(doc.documentElement()
                  .firstChildElement("DALI2_SetAccess_Rules")
                  .firstChildElement()
                  .attribute("Mnemonic"),
              "ab");
}

TEST(DALI2_File, Files_That_Are_Not_DALI2_Files_Leave_Both_Tables_Empty) {
    struct Case {
        const char* file;
        File_Problem::Kind kind;
        const char* reason;
    };
    const Case cases[] = {
        {"DALI2_Access_broken.xml", File_Problem::Not_Well_Formed, "line"},
        {"DALI2_Access_no_rules.xml", File_Problem::Not_DALI2, "DALI2_SetAccess_Rules is missing"},
        {"DALI2_Access_other_root.xml", File_Problem::Not_DALI2, "DALI2_Access is missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Tables t;
        t.functions.Set_Text(FC_Function, 1, "left from before");
        const File_Problem p = Load_DALI2_Rules(Data(c.file), t.functions, t.rules);
        EXPECT_EQ(p.kind, c.kind);
        EXPECT_EQ(p.Line(), 904);
        EXPECT_TRUE(p.reason.contains(QLatin1String(c.reason))) << p.reason.toStdString();
        EXPECT_EQ(t.functions.Used_Rows(FC_Function), 0);
        EXPECT_EQ(t.rules.Used_Rows(RC_DevSen), 0);
    }
}

TEST(DALI2_File, Rows_Beyond_The_Tables_Are_Left_Out_And_Counted) {
    Temp_Program p;
    QByteArray xml = "<DALI2_Access><DALI2_Functions_Rules>";
    for (int k = 1; k <= 253; ++k)
        xml += "<row Function=\"Set Out\" Mnemonic=\"f" + QByteArray::number(k) + "\"/>";
    xml += "</DALI2_Functions_Rules><DALI2_SetAccess_Rules>";
    for (int r = 1; r <= 260; ++r)
        xml += "<row DeviceSensor=\"Device\" Mnemonic=\"r" + QByteArray::number(r) + "\"/>";
    xml += "</DALI2_SetAccess_Rules></DALI2_Access>";
    p.write("DALI2_Access.xml", xml);

    Tables t;
    const File_Problem problem = Load_DALI2_Rules(p.path("DALI2_Access.xml"), t.functions, t.rules);
    EXPECT_EQ(problem.kind, File_Problem::Too_Many_Rows);
    EXPECT_EQ(problem.left_out, 3 + 4);
    EXPECT_EQ(problem.Line(), Too_Many_Rows_Line);
    EXPECT_TRUE(problem.Message(UComon::Default_Text).startsWith("Warning! 7 rows of this file"));
    EXPECT_EQ(t.functions.Text(FC_Mnemonic, 250), "f250");
    EXPECT_EQ(t.rules.Text(RC_Mnemonic, 256), "r256");
}
