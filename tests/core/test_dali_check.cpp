// The confirmation checks of the DALI access editor, the condition that an event
// fixes, the function list of the rules, and the project check of dravian-cli.
#include "common/Comon_State.h"
#include "common/Decimal_Number.h"
#include "dali/DALI_Check.h"
#include "dali/DALI_Files.h"
#include "dali/DALI_Tables.h"
#include "test_support/Temp_Program.h"

#include <gtest/gtest.h>

#include <functional>

using namespace DALI;
using UComon::Cell_Grid;

namespace {

struct Tables {
    Cell_Grid functions, rules;
    Tables() {
        Init_Function_Grid(functions);
        Init_Rule_Grid(rules);
        for (int r = 1; r <= Rule_Count; ++r)
            rules.Set_Checked(RC_Enable, r, true);
    }
    // A function row: Function, Condition, Value, Next Function.
    void Function(int k, const QString& condition, const QString& value, const QString& next = QString()) {
        functions.Set_Text(FC_Function, k, "Set Out");
        functions.Set_Text(FC_Condition, k, condition);
        functions.Set_Text(FC_Value, k, value);
        functions.Set_Text(FC_Next, k, next);
    }
    // A rule row that passes every check.
    void Good_Rule(int r) {
        const QStringList cells = {"Device",    "Dimmer", "63",       "255", "255",
                                   "100000000", "0",      "0 - None", "1440"};
        for (int c = RC_DevSen; c <= RC_Position; ++c)
            rules.Set_Text(c, r, cells[c - RC_DevSen]);
    }
};

// The failure as "line row bound", or "OK".
std::string Outcome(const Tables& t, QChar separator = QLatin1Char('.')) {
    const auto f = Check_DALI2_Tables(t.functions, t.rules, separator);
    if (!f)
        return "OK";
    std::string s = std::to_string(f->line);
    for (int n : f->numbers)
        s += " " + std::to_string(n);
    return s;
}

} // namespace

TEST(DALI_Check, Each_Check_Reports_Its_Line_Row_And_Bound) {
    struct Case {
        const char* what;
        std::function<void(Tables&)> edit;
        std::string expected;
    };
    // Three good functions and two good rules, changed by each case.
    const Case cases[] = {
        {"all good", [](Tables&) {}, "OK"},
        {"empty condition", [](Tables& t) { t.functions.Set_Text(FC_Condition, 2, "  "); }, "2550 2"},
        {"button event needs Equal", [](Tables& t) { t.Function(2, "AND Logic with Value", "Short Press"); },
         "2564 2"},
        {"vacant needs NAND", [](Tables& t) { t.Function(3, "AND Logic with Value", "Vacant"); }, "2565 3"},
        {"occupied needs AND", [](Tables& t) { t.Function(1, "NAND Logic with Value", "Still Occupied"); },
         "2566 1"},
        {"value not a number", [](Tables& t) { t.Function(2, "When Greater to Value", "twelve"); }, "2551 2"},
        {"empty value", [](Tables& t) { t.Function(2, "When Greater to Value", ""); }, "2551 2"},
        {"event with a trailing blank is no event",
         [](Tables& t) { t.Function(2, "When Equal to Value", "Short Press "); }, "2551 2"},
        {"comma value", [](Tables& t) { t.Function(2, "When Greater to Value", "12,5"); }, "OK"},
        {"next function = F", [](Tables& t) { t.functions.Set_Text(FC_Next, 1, "3"); }, "OK"},
        {"next function > F", [](Tables& t) { t.functions.Set_Text(FC_Next, 2, "4"); }, "2552 2 3"},
        {"next function not a number", [](Tables& t) { t.functions.Set_Text(FC_Next, 3, "x"); }, "2552 3 3"},
        {"next function checked after all conditions",
         [](Tables& t) {
             t.functions.Set_Text(FC_Next, 1, "9");
             t.functions.Set_Text(FC_Condition, 3, "");
         },
         "2550 3"},
        {"device type", [](Tables& t) { t.rules.Set_Text(RC_Type, 2, "Push Button"); }, "2529 2"},
        {"device type in other case", [](Tables& t) { t.rules.Set_Text(RC_Type, 2, "dimmer"); }, "2529 2"},
        {"sensor type",
         [](Tables& t) {
             t.rules.Set_Text(RC_DevSen, 1, "Sensor");
             t.rules.Set_Text(RC_Type, 1, "Dimmer");
         },
         "2530 1"},
        {"sensor with sensor type",
         [](Tables& t) {
             t.rules.Set_Text(RC_DevSen, 1, "Sensor");
             t.rules.Set_Text(RC_Type, 1, "Light Sensor");
         },
         "OK"},
        {"channel 64", [](Tables& t) { t.rules.Set_Text(RC_Channel, 2, "64"); }, "2531 2"},
        {"channel empty", [](Tables& t) { t.rules.Set_Text(RC_Channel, 2, ""); }, "2531 2"},
        {"instance 256", [](Tables& t) { t.rules.Set_Text(RC_Instance, 1, "256"); }, "2532 1"},
        {"instance hexadecimal", [](Tables& t) { t.rules.Set_Text(RC_Instance, 1, "$FF"); }, "OK"},
        {"command 256", [](Tables& t) { t.rules.Set_Text(RC_Command, 1, "256"); }, "2536 1"},
        {"command -1", [](Tables& t) { t.rules.Set_Text(RC_Command, 1, "-1"); }, "2536 1"},
        {"time send too long", [](Tables& t) { t.rules.Set_Text(RC_Time_Send, 2, "100000001"); }, "2533 2"},
        {"timeout with a trailing blank", [](Tables& t) { t.rules.Set_Text(RC_TimeOut, 2, "5 "); }, "2534 2"},
        {"function 3 of 3", [](Tables& t) { t.rules.Set_Text(RC_Function, 1, "3 - x"); }, "OK"},
        {"function 4 of 3", [](Tables& t) { t.rules.Set_Text(RC_Function, 1, "4 - x"); }, "2553 1 3"},
        {"function without a blank", [](Tables& t) { t.rules.Set_Text(RC_Function, 2, "7"); }, "2553 2 3"},
        {"function empty", [](Tables& t) { t.rules.Set_Text(RC_Function, 2, " "); }, "OK"},
        {"position 1441", [](Tables& t) { t.rules.Set_Text(RC_Position, 2, "1441"); }, "2535 2 1440"},
        {"disabled rule is not checked",
         [](Tables& t) {
             t.rules.Set_Checked(RC_Enable, 2, false);
             t.rules.Set_Text(RC_Channel, 2, "999");
         },
         "OK"},
        {"rule after an empty row is not checked",
         [](Tables& t) {
             t.rules.Set_Text(RC_Channel, 4, "999");
             t.rules.Set_Text(RC_DevSen, 4, "Device");
         },
         "OK"},
        {"functions come before rules",
         [](Tables& t) {
             t.rules.Set_Text(RC_Channel, 1, "999");
             t.functions.Set_Text(FC_Condition, 1, "");
         },
         "2550 1"},
    };
    for (const Case& c : cases) {
        Tables t;
        t.Function(1, "When Equal to Value", "Short Press");
        t.Function(2, "When Greater to Value", "12.5");
        t.Function(3, "NAND Logic with Value", "Vacant");
        t.Good_Rule(1);
        t.Good_Rule(2);
        c.edit(t);
        EXPECT_EQ(Outcome(t), c.expected) << c.what;
    }
}

TEST(DALI_Check, Functions_Used_Rows_Set_The_Bound_Of_Rules) {
    Tables t; // no functions: only "0 - None" may be named
    t.Good_Rule(1);
    EXPECT_EQ(Outcome(t), "OK");
    t.rules.Set_Text(RC_Function, 1, "1 - ");
    EXPECT_EQ(Outcome(t), "2553 1 0");
    t.Function(1, "No Condition", "0");
    t.Function(2, "No Condition", "0");
    t.rules.Set_Text(RC_Function, 1, "7 - ");
    EXPECT_EQ(Outcome(t), "2553 1 2");
}

TEST(DALI_Check, Both_Decimal_Separators_Pass_Whatever_The_Users_One) {
    for (QChar s : {QLatin1Char(','), QLatin1Char('.')}) {
        for (const char* text : {"12,5", "12.5", " 12.5 ", "-3", "1e3"}) {
            float v = 0;
            EXPECT_TRUE(UComon::Text_To_Float(text, s, v)) << text;
            if (QByteArray(text).contains("12")) {
                EXPECT_FLOAT_EQ(v, 12.5f);
            }
        }
        for (const char* text : {"abc", "", "1,2,3", "12.5x", "inf", "1e40"}) {
            float v;
            EXPECT_FALSE(UComon::Text_To_Float(text, s, v)) << text;
        }
    }
    const QChar user = UComon::Read_Decimal_Separator();
    EXPECT_TRUE(user == QLatin1Char(',') || user == QLatin1Char('.'));
}

TEST(DALI_Tables, Condition_For_Event_Follows_The_Event_Class) {
    EXPECT_EQ(Condition_For_Event("Short Press"), "When Equal to Value");
    EXPECT_EQ(Condition_For_Event("Button Stuck"), "When Equal to Value");
    EXPECT_EQ(Condition_For_Event("Vacant"), "NAND Logic with Value");
    EXPECT_EQ(Condition_For_Event("Presence Sensor"), "NAND Logic with Value");
    EXPECT_EQ(Condition_For_Event("Still Occupied"), "AND Logic with Value");
    EXPECT_EQ(Condition_For_Event("Movement"), "AND Logic with Value");
    EXPECT_EQ(Condition_For_Event("12.5"), "");
    EXPECT_EQ(Condition_For_Event("short press"), "");
    EXPECT_EQ(Events().size(), 17);
    EXPECT_EQ(Targets().size(), 81);
    EXPECT_EQ(Targets()[80], "DALI Broadcast");
}

TEST(DALI_Tables, Function_Choices_Hold_Every_Function_Row) {
    Cell_Grid f;
    Init_Function_Grid(f);
    f.Set_Text(FC_Function, 1, "Set Out");
    f.Set_Text(FC_Mnemonic, 1, "hall");
    const QStringList l = Function_Choices(f);
    ASSERT_EQ(l.size(), 251);
    EXPECT_EQ(l[0], "0 - None");
    EXPECT_EQ(l[1], "1 - hall");
    EXPECT_EQ(l[2], "2 - ");
    EXPECT_EQ(l[250], "250 - ");
    EXPECT_EQ(Check_ReCall_Level("Recall Min-Max Level for Switch"), "Recall Min-Max Level for Switch");
    EXPECT_EQ(Check_ReCall_Level("Recall min-max level for switch"), "None");
}

TEST(DALI_Project_Check, Reports_The_First_Failure_As_The_Window_Does) {
    Temp_Program p;
    struct Case {
        const char* what;
        QByteArray devices, rules;
        bool ok;
        int line;
        const char* message;
    };
    const QByteArray good_function =
        "<DALI2_Access><DALI2_Functions_Rules><row Function=\"Set Out\" Condition=\"When Equal to Value\" "
        "Value=\"Short Press\"/></DALI2_Functions_Rules><DALI2_SetAccess_Rules>";
    const Case cases[] = {
        {"no files", {}, {}, true, 0, ""},
        {"damaged device file",
         "<DALI_Access>",
         {},
         false,
         904,
         "Error! The file is not a valid XML document: "},
        {"rules without root", {}, "<Other/>", false, 904, "Error! The file is not a valid XML document: "},
        {"a rule out of range",
         {},
         good_function + "<row DeviceSensor=\"Device\" Type=\"Dimmer\" ChannelNumber=\"1\" Instance=\"0\" "
                         "Command=\"0\" TimeSend=\"0\" TimeOut=\"0\" Function=\"2 - x\" Position=\"0\"/>"
                         "</DALI2_SetAccess_Rules></DALI2_Access>",
         false,
         2553,
         "Set Access - Error Row 1!! Function Must be between 0 and 1"},
        {"a good project",
         {},
         good_function + "<row Enable=\"N\" DeviceSensor=\"Device\"/></DALI2_SetAccess_Rules></DALI2_Access>",
         true,
         0,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(p.path("DALI_Access.xml"));
        QFile::remove(p.path("DALI2_Access.xml"));
        if (!c.devices.isEmpty())
            p.write("DALI_Access.xml", c.devices);
        if (!c.rules.isEmpty())
            p.write("DALI2_Access.xml", c.rules);
        const Check_Result r = Check_DALI_Project(p.dir());
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.message.left(qstrlen(c.message)), QLatin1String(c.message));
        EXPECT_FALSE(r.message.contains(QLatin1Char('\n')));
    }
}
