#include "common/Comon_State.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

// Applies `file` (already decoded) to a fresh table of defaults.
QStringList Apply(const QString& file) {
    Init_Text_Table();
    QStringList t = Text_Table;
    Apply_Lang_Text(file, t, Text_Table_Size);
    return t;
}

const QString P = QString(QChar(0x00B6)); // the mark that keeps blanks

} // namespace

TEST(Texts_Table, DefaultsHaveEveryLine) {
    Init_Text_Table();
    ASSERT_EQ(Text_Table.size(), 2800);
    EXPECT_EQ(Text_Table_Size, 2800);
    EXPECT_EQ(Text_Table[0], "Begin");
    EXPECT_EQ(Text_Table[9], "None Configuration Opened ");
    EXPECT_EQ(Text_Table[18], "Error! Project not Valid");
    EXPECT_EQ(Text_Table[107], "Error! Name Project is not valid");
    EXPECT_EQ(Text_Table[41], " "); // a line without text holds one blank
    for (const QString& s : std::as_const(Text_Table))
        ASSERT_FALSE(s.isEmpty());
}

TEST(Texts_LangFile, LineRules) {
    struct Case {
        QString line;
        int number;       // line expected to change, -1: none
        QString expected; // its new text
    } cases[] = {
        {"STR18 = Fehler", 18, "Fehler"},
        {"   STR18 = Fehler   ", 18, "Fehler"},
        {"STR2799 = Last", 2799, "Last"},
        {"STR2800 = Beyond", -1, {}},
        {"STR-1 = Negative", -1, {}},
        {"STR18= NoSeparator", 1, "NoSeparator"}, // the digit before "=" is the separator
        {"str18 = lower", -1, {}},
        {"STR18 Fehler", -1, {}},
        {"STR18 =", -1, {}},
        {"STR18 =    ", -1, {}},
        {"STRx = text", -1, {}},
        {"STR = text", -1, {}},
        {"STR18 = a = b", 18, "a = b"},
        {"STR$12 = hex", 18, "hex"},
        {"STR18 = text /#/ remark", 18, "text"},
        {"STR18 = /#/ only a remark", -1, {}},
        {"STR18 = " + P + "  word " + P, 18, "  word "},
        {"STR18 = " + P + P, 18, ""},
        {"STR18 = " + P + "lead", 18, "lead"},
        {"STR18 = cut" + P + "rest", 18, "cut"},
        {"; STR18 = remark line", -1, {}},
    };
    Init_Text_Table();
    const QStringList defaults = Text_Table;
    for (const Case& c : cases) {
        const QStringList t = Apply(c.line);
        for (int i = 0; i < t.size(); ++i) {
            if (i == c.number)
                EXPECT_EQ(t[i], c.expected) << c.line.toStdString();
            else
                ASSERT_EQ(t[i], defaults[i]) << c.line.toStdString() << " changed line " << i;
        }
    }
}

TEST(Texts_LangFile, LineEndingsAndLaterLineWins) {
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const QString e = QString::fromLatin1(eol);
        const QStringList t =
            Apply("heading" + e + "STR12 = One" + e + e + "STR13 = Two" + e + "STR12 = Three" + e);
        EXPECT_EQ(t[12], "Three") << eol;
        EXPECT_EQ(t[13], "Two") << eol;
    }
}

TEST(Texts_LangFile, Encodings) {
    const QString text = QString::fromUtf8("STR0 = Schließen äöü €");
    const QString expected = QString::fromUtf8("Schließen äöü €");

    QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
    const QByteArray utf16le = QByteArray("\xFF\xFE", 2) + QByteArray(le(text));
    const QByteArray utf16be = QByteArray("\xFE\xFF", 2) + QByteArray(be(text));
    const QByteArray utf8_bom = "\xEF\xBB\xBF" + text.toUtf8();
    const QByteArray utf8 = text.toUtf8();
    const QByteArray cp1252 = "STR0 = Schlie\xDF"
                              "en \xE4\xF6\xFC \x80";

    for (const QByteArray& bytes : {utf16le, utf16be, utf8_bom, utf8, cp1252}) {
        const QStringList t = Apply(Decode_Lang_Bytes(bytes));
        EXPECT_EQ(t[0], expected) << bytes.toHex().toStdString();
    }
}

TEST(Texts_LoadLanguage, FallsBackAndRestoresDefaults) {
    Temp_Program p;
    Language_Dir = p.path("LANGUAGE");
    p.write("LANGUAGE/Italiano.lng", "STR18 = Errore! Progetto non valido\r\nSTR0 = Inizio\r\n");
    p.write("LANGUAGE/Deutsch.lng", "STR0 = Anfang\r\n");

    Current_Language = "Italiano";
    Load_Language();
    EXPECT_EQ(Current_Language, "Italiano");
    EXPECT_EQ(Text_Table[18], "Errore! Progetto non valido");

    // A switch to a file that does not set line 18 brings back its English default.
    Current_Language = "Deutsch";
    Load_Language();
    EXPECT_EQ(Text_Table[0], "Anfang");
    EXPECT_EQ(Text_Table[18], "Error! Project not Valid");

    // A language without a file: English, built-in texts.
    Current_Language = "Klingon";
    Load_Language();
    EXPECT_EQ(Current_Language, "English");
    EXPECT_EQ(Text_Table[0], "Begin");

    // An English.lng overrides the built-in English texts; an empty name falls back too.
    p.write("LANGUAGE/English.lng", "STR0 = Start here\r\n");
    Current_Language = "";
    Load_Language();
    EXPECT_EQ(Current_Language, "English");
    EXPECT_EQ(Text_Table[0], "Start here");
}
