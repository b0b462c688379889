// ParGen.xml: reader, writer and the confirmation checks.
#include "comm_settings/ParGen.h"
#include "comm_settings/ParGen_Check.h"
#include "common/Comon_State.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace UComon;

namespace {

const QString Data = QStringLiteral(DRAVIAN_TEST_DATA "/pargen/");

// Names of the root's child elements in file order.
QStringList Child_Names(const QByteArray& bytes) {
    QDomDocument doc;
    EXPECT_TRUE(doc.setContent(bytes));
    QStringList names;
    for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.tagName();
    return names;
}

QStringList Field_Names() {
    QStringList names;
    for (const TParGen_Field& f : ParGen_Fields())
        names << QString::fromLatin1(f.name);
    return names;
}

} // namespace

TEST(ParGen_File, Missing_File_Gives_The_Defaults) {
    Temp_Program p;
    TParGen v;
    v.MTCPs_PORT = "1";
    EXPECT_EQ(Load_ParGen(p.path("ParGen.xml"), v), Xml_Load_Result::Missing);
    EXPECT_EQ(v, TParGen());
    const QStringList texts = {v.MTCPs_IP1,  v.MTCPs_IP2,  v.MTCPs_IP3,  v.MTCPs_IP4,         v.MTCPs_SUB1,
                               v.MTCPs_SUB2, v.MTCPs_SUB3, v.MTCPs_SUB4, v.MTCPs_GAT1,        v.MTCPs_GAT2,
                               v.MTCPs_GAT3, v.MTCPs_GAT4, v.MTCPs_PORT, v.DALI_CONSOLE_PORT, v.DALI_TIMEOUT};
    EXPECT_EQ(texts.join(','), "192,168,0,10,255,255,255,0,192,168,0,1,502,10001,0");
    EXPECT_FALSE(v.MTCPs_EN_GAT || v.Modbus_TCP_Slave_DALI_Map || v.DALI_SWITCH_OFF || v.DALI_DISABLE_SCAN ||
                 v.DALI_ENABLE_DALI_2);
}

TEST(ParGen_File, Missing_Elements_Take_Their_Own_Defaults) {
    TParGen v;
    ASSERT_EQ(Load_ParGen(Data + "only_port.xml", v), Xml_Load_Result::Ok);
    TParGen expected;
    expected.MTCPs_PORT = "1502";
    EXPECT_EQ(v, expected);
}

TEST(ParGen_File, Reads_A_Hand_Edited_File_Value_By_Value) {
    TParGen v;
    ASSERT_EQ(Load_ParGen(Data + "hand_edited.xml", v), Xml_Load_Result::Ok);
    EXPECT_EQ(v.MTCPs_IP1, "  10");  // as typed
    EXPECT_EQ(v.MTCPs_IP3, "");      // present but empty stays empty
    EXPECT_EQ(v.MTCPs_IP4, "10");    // names are compared with case
    EXPECT_EQ(v.MTCPs_PORT, "1502"); // the first of two counts
    EXPECT_EQ(v.DALI_TIMEOUT, "$FF");
    EXPECT_TRUE(v.DALI_ENABLE_DALI_2);
    EXPECT_FALSE(v.MTCPs_EN_GAT);              // "true"
    EXPECT_FALSE(v.DALI_SWITCH_OFF);           // "yes"
    EXPECT_FALSE(v.Modbus_TCP_Slave_DALI_Map); // " 1"
    EXPECT_EQ(v.MTCPs_GAT4, "1");
    EXPECT_EQ(v.DALI_CONSOLE_PORT, "10001");
}

TEST(ParGen_File, Not_Well_Formed_Is_Reported_With_A_Reason_And_Gives_Defaults) {
    TParGen v;
    v.MTCPs_IP1 = "7";
    QString reason;
    EXPECT_EQ(Load_ParGen(Data + "not_well_formed.xml", v, &reason), Xml_Load_Result::Not_Well_Formed);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(v, TParGen());
}

TEST(ParGen_File, Writes_Root_Comment_And_The_Twenty_Children_In_Order) {
    Temp_Program p;
    TParGen v;
    v.MTCPs_IP1 = "010";
    v.MTCPs_GAT1 = "abc"; // gateway off: stored all the same
    v.DALI_SWITCH_OFF = true;
    v.DALI_ENABLE_DALI_2 = true;
    ASSERT_TRUE(Save_ParGen(p.path("ParGen.xml"), v));
    const QByteArray bytes = p.read("ParGen.xml");

    EXPECT_TRUE(bytes.startsWith("<Par_Gen>")) << bytes.constData(); // no declaration before the root
    EXPECT_TRUE(bytes.trimmed().endsWith("</Par_Gen>\n<!--SW_VERSION = 1.501-->")) << bytes.constData();
    EXPECT_EQ(Child_Names(bytes), Field_Names());
    EXPECT_TRUE(bytes.contains("<MTCPs_IP1>010</MTCPs_IP1>"));
    EXPECT_TRUE(bytes.contains("<MTCPs_EN_GAT>0</MTCPs_EN_GAT>"));
    EXPECT_TRUE(bytes.contains("<MTCPs_GAT1>abc</MTCPs_GAT1>"));
    EXPECT_TRUE(bytes.contains("<DALI_SWITCH_OFF>1</DALI_SWITCH_OFF>"));
    EXPECT_TRUE(bytes.contains("<DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>"));
}

TEST(ParGen_File, Saving_Orders_A_Shuffled_File_And_Twice_Gives_The_Same_Bytes) {
    Temp_Program p;
    TParGen v;
    ASSERT_EQ(Load_ParGen(Data + "hand_edited.xml", v), Xml_Load_Result::Ok);
    ASSERT_TRUE(Save_ParGen(p.path("a.xml"), v));
    TParGen again;
    ASSERT_EQ(Load_ParGen(p.path("a.xml"), again), Xml_Load_Result::Ok);
    EXPECT_EQ(again, v);
    ASSERT_TRUE(Save_ParGen(p.path("b.xml"), again));
    EXPECT_EQ(p.read("a.xml"), p.read("b.xml"));
    EXPECT_EQ(Child_Names(p.read("a.xml")), Field_Names());
}

TEST(ParGen_File, Every_Text_Reads_Back_As_Typed) {
    Temp_Program p;
    const QStringList texts = {"",    " 5",   "5 ",     "   ",       "\t",     "a<&>\"'b",
                               "1.5", "x\ty", "a\r\nb", "caf\u00e9", "\u4e2d", "-0x7FFFFFFF"};
    for (const QString& t : texts) {
        TParGen v;
        v.MTCPs_GAT2 = t;
        v.DALI_TIMEOUT = t;
        ASSERT_TRUE(Save_ParGen(p.path("ParGen.xml"), v));
        TParGen back;
        ASSERT_EQ(Load_ParGen(p.path("ParGen.xml"), back), Xml_Load_Result::Ok) << t.toStdString();
        EXPECT_EQ(back, v) << "[" << t.toStdString() << "] came back as [" << back.MTCPs_GAT2.toStdString()
                           << "]";
    }
}

TEST(ParGen_File, Characters_Xml_Cannot_Hold_Never_Spoil_The_File) {
    // Pasted control characters would make the file unreadable and lose every setting.
    Temp_Program p;
    TParGen v;
    v.MTCPs_GAT3 = QString("1") + QChar(0x01) + "2" + QChar(0x1B);
    v.MTCPs_PORT = "1502";
    ASSERT_TRUE(Save_ParGen(p.path("ParGen.xml"), v));
    TParGen back;
    ASSERT_EQ(Load_ParGen(p.path("ParGen.xml"), back), Xml_Load_Result::Ok);
    EXPECT_EQ(back.MTCPs_GAT3, "12");
    EXPECT_EQ(back.MTCPs_PORT, "1502");
}

TEST(ParGen_File, A_Failed_Save_Says_Why_And_Leaves_The_Previous_File) {
    Temp_Program p;
    TParGen v;
    v.MTCPs_PORT = "1502";
    QString reason;
    EXPECT_FALSE(Save_ParGen(p.path("gone/ParGen.xml"), v, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFile::exists(p.path("gone/ParGen.xml")));

    QDir().mkpath(p.path("dir/ParGen.xml")); // a folder where the file should be
    reason.clear();
    EXPECT_FALSE(Save_ParGen(p.path("dir/ParGen.xml"), v, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(QFileInfo(p.path("dir/ParGen.xml")).isDir());
}

TEST(ParGen_File, A_Save_Into_A_Read_Only_Folder_Leaves_The_Previous_File) {
#ifndef _WIN32
    if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the super-user";
#endif
    Temp_Program p;
    QDir().mkpath(p.path("ro"));
    const QString file = p.path("ro/ParGen.xml");
    ASSERT_TRUE(Save_ParGen(file, TParGen()));
    const QByteArray before = p.read("ro/ParGen.xml");
    QFile::setPermissions(p.path("ro"), QFile::ReadOwner | QFile::ExeOwner);
    TParGen v;
    v.MTCPs_PORT = "1502";
    QString reason;
    EXPECT_FALSE(Save_ParGen(file, v, &reason));
    EXPECT_FALSE(reason.isEmpty());
    QFile::setPermissions(p.path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(p.read("ro/ParGen.xml"), before);
}

// ---- The checks ----

namespace {

struct Check_Case {
    const char* what;
    std::function<void(TParGen&)> edit;
    int line; // 0: passes
};

} // namespace

TEST(ParGen_Check, Each_Check_Is_Reached_By_Exactly_Its_Input) {
    const Check_Case cases[] = {
        {"defaults", [](TParGen&) {}, 0},
        {"IP1 256", [](TParGen& v) { v.MTCPs_IP1 = "256"; }, 411},
        {"IP2 -1", [](TParGen& v) { v.MTCPs_IP2 = "-1"; }, 412},
        {"IP3 empty", [](TParGen& v) { v.MTCPs_IP3 = ""; }, 413},
        {"IP4 1.5", [](TParGen& v) { v.MTCPs_IP4 = "1.5"; }, 414},
        {"SM1 letters", [](TParGen& v) { v.MTCPs_SUB1 = "ff"; }, 415},
        {"SM2 trailing blank", [](TParGen& v) { v.MTCPs_SUB2 = "255 "; }, 416},
        {"SM3 1000", [](TParGen& v) { v.MTCPs_SUB3 = "1000"; }, 417},
        {"SM4 $100", [](TParGen& v) { v.MTCPs_SUB4 = "$100"; }, 418},
        {"GAT1 letters, gateway on", [](TParGen& v) { v.MTCPs_EN_GAT = true, v.MTCPs_GAT1 = "abc"; }, 419},
        {"GAT2 256, gateway on", [](TParGen& v) { v.MTCPs_EN_GAT = true, v.MTCPs_GAT2 = "256"; }, 420},
        {"GAT3 empty, gateway on", [](TParGen& v) { v.MTCPs_EN_GAT = true, v.MTCPs_GAT3 = ""; }, 421},
        {"GAT4 -5, gateway on", [](TParGen& v) { v.MTCPs_EN_GAT = true, v.MTCPs_GAT4 = "-5"; }, 422},
        {"gateway off: any bytes", [](TParGen& v) { v.MTCPs_GAT1 = "abc", v.MTCPs_GAT4 = "999"; }, 0},
        {"port 10000", [](TParGen& v) { v.MTCPs_PORT = "10000"; }, 423},
        {"port $2710 is 10000", [](TParGen& v) { v.MTCPs_PORT = "$2710"; }, 423},
        {"port 65536", [](TParGen& v) { v.MTCPs_PORT = "65536"; }, 423},
        {"port 0 and 65535", [](TParGen& v) { v.MTCPs_PORT = "0", v.DALI_CONSOLE_PORT = "65535"; }, 0},
        {"console port 10000", [](TParGen& v) { v.DALI_CONSOLE_PORT = "10000"; }, 466},
        {"console port empty", [](TParGen& v) { v.DALI_CONSOLE_PORT = ""; }, 466},
        {"console port = Modbus port", [](TParGen& v) { v.DALI_CONSOLE_PORT = v.MTCPs_PORT = "1502"; }, 0},
        {"time-out 5000000, switch-off off", [](TParGen& v) { v.DALI_TIMEOUT = "5000000"; }, 0},
        {"time-out -1, switch-off off", [](TParGen& v) { v.DALI_TIMEOUT = "-1"; }, 0},
        {"time-out 5000000, switch-off on",
         [](TParGen& v) { v.DALI_SWITCH_OFF = true, v.DALI_TIMEOUT = "5000000"; }, 557},
        {"time-out -1, switch-off on", [](TParGen& v) { v.DALI_SWITCH_OFF = true, v.DALI_TIMEOUT = "-1"; },
         557},
        {"time-out 3600001, switch-off on",
         [](TParGen& v) { v.DALI_SWITCH_OFF = true, v.DALI_TIMEOUT = "3600001"; }, 557},
        {"time-out 3600000, switch-off on",
         [](TParGen& v) { v.DALI_SWITCH_OFF = true, v.DALI_TIMEOUT = "3600000"; }, 0},
        {"leading blanks and hex accepted",
         [](TParGen& v) {
             v.MTCPs_IP1 = "  10", v.MTCPs_IP2 = "$FF", v.MTCPs_IP3 = "0xff", v.MTCPs_IP4 = "X0A";
             v.MTCPs_SUB1 = "+255", v.MTCPs_PORT = "  0x1F6";
         },
         0},
        {"mask need not be contiguous", [](TParGen& v) { v.MTCPs_SUB1 = "0", v.MTCPs_SUB4 = "255"; }, 0},
        {"first failure wins", [](TParGen& v) { v.MTCPs_IP4 = "256", v.MTCPs_PORT = "10000"; }, 414},
    };
    for (const Check_Case& c : cases) {
        TParGen v;
        c.edit(v);
        const TParGen_Check_Result r = Check_ParGen(v);
        EXPECT_EQ(r.line, c.line) << c.what;
        EXPECT_EQ(r.ok(), c.line == 0) << c.what;
        if (c.line) {
            EXPECT_EQ(r.message, Default_Text(c.line)) << c.what;
        }
    }
}

TEST(ParGen_Check, File_Check_Uses_The_Window_Defaults_And_Names_A_Bad_File) {
    Temp_Program p;
    EXPECT_TRUE(Check_ParGen_File(p.path("ParGen.xml")).ok()); // missing: the defaults pass
    EXPECT_EQ(Check_ParGen_File(Data + "several_errors.xml").line, 414);

    const TParGen_Check_Result bad = Check_ParGen_File(Data + "not_well_formed.xml");
    EXPECT_EQ(bad.line, 904);
    EXPECT_TRUE(bad.message.startsWith(Default_Text(904)));
    EXPECT_TRUE(bad.message.contains(QDir::toNativeSeparators(Data + "not_well_formed.xml")));
    EXPECT_FALSE(bad.message.contains('\n'));
}
