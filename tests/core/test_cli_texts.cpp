#include "test_support/Run_Cli.h"
#include "test_support/Temp_Program.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

TEST(Texts_Cli, PrintsTheTableWithALanguageFileApplied) {
    Temp_Program p;
    p.write("Deutsch.lng",
            QByteArray("\xEF\xBB\xBF") + "STR0 = Anfang\r\nSTR2799 = \xC2\xB6 Ende \xC2\xB6\r\n");
    const Cli_Run r = Run_Dravian_Cli({"texts", "--lng", p.path("Deutsch.lng"), "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err.constData();
    const QJsonArray a = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(a.size(), 2800);
    EXPECT_EQ(a[0].toString(), "Anfang");
    EXPECT_EQ(a[2799].toString(), " Ende ");
    EXPECT_EQ(a[18].toString(), "Error! Project not Valid");

    const Cli_Run plain = Run_Dravian_Cli({"texts", "--json"});
    EXPECT_EQ(QJsonDocument::fromJson(plain.out).array()[0].toString(), "Begin");
}

TEST(Texts_Cli, UsageErrors) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"texts"}, QStringList{"texts", "--lng"}, QStringList{"frobnicate"}}) {
        const Cli_Run r = Run_Dravian_Cli(args);
        EXPECT_EQ(r.exit_code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage:"));
    }
    EXPECT_EQ(Run_Dravian_Cli({"texts", "--lng", "/nonexistent/x.lng", "--json"}).exit_code, 1);
}
