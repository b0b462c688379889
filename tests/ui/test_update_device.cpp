// Step 4 of the main window: the bank files are built and written before the update
// window opens, and a project that cannot be built never reaches it.
#include "app/Projects.h"
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "common/Comon_State.h"
#include "common/UStyle.h"
#include "image/Build_Image.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"
#include "update/UBoot.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program with the project "Plant" active, its files copied from a fixture folder.
struct Program_With_Project {
    Temp_Program p;
    Recorder rec;
    Program_With_Project() {
        Forms::Create_All(p.dir());
        UComon::Create_Project(QStringLiteral("Plant"));
        for (const char* f : {"ParGen.xml", "DALI_Access.xml", "DALI2_Access.xml"})
            p.write(QStringLiteral("PROJECTS/Plant/") + QLatin1String(f),
                    Read(QStringLiteral(DRAVIAN_TEST_DATA "/image/full/") + QLatin1String(f)));
    }
    ~Program_With_Project() { Forms::Destroy_All(); }
    QString bin(const char* name) const {
        return p.path(QStringLiteral("PROJECTS/Plant/bin/")) + QLatin1String(name);
    }
    void click_update() { Forms::FDravianFirmWare->Btn_CreateBin->click(); }
};

} // namespace

TEST(Image_Update_Device, WritesTheBankFilesThenOpensTheEthernetUpdate) {
    Program_With_Project w;
    Forms::FBoot->Form_Type = 0;
    QByteArray bank_when_open;
    int form_type_when_open = -1;
    w.rec.next_modal([&](QDialog*) {
        bank_when_open = Read(w.bin("bank.bin")); // the updater finds the new files
        form_type_when_open = Forms::FBoot->Form_Type;
        return int(QDialog::Rejected);
    });
    w.click_update();

    EXPECT_EQ(w.rec.opened, QList<QString>{QStringLiteral("FBoot")});
    EXPECT_TRUE(w.rec.messages.isEmpty());
    EXPECT_EQ(form_type_when_open, 1);
    USaveBincc::Config_Image image;
    USaveBincc::Bank_Buffers want;
    ASSERT_TRUE(USaveBincc::Build_Image_From(
        USaveBincc::Project_Files::In(w.p.path(QStringLiteral("PROJECTS/Plant"))), image, want));
    EXPECT_EQ(bank_when_open, want.bank);
    EXPECT_EQ(Read(w.bin("bank_ESP32_1.bin")), want.esp32_1);
    EXPECT_EQ(Read(w.bin("bank_ESP32_2.bin")), want.esp32_2);
}

TEST(Image_Update_Device, ProjectThatCannotBeBuiltKeepsTheUpdateWindowClosed) {
    struct Case {
        const char* what;
        const char* file;
        QByteArray content;
        int line;
        const char* shown; // part of the message text
    } cases[] = {
        {"not XML", "ParGen.xml", "<Par_Gen><MTCPs_IP1>", 904,
         "Error! The file is not a valid XML document:"},
        {"too many functions", "DALI2_Access.xml",
         "<DALI2_Access><DALI2_Functions_Rules>" + QByteArray("<row/>").repeated(256) +
             "</DALI2_Functions_Rules></DALI2_Access>",
         892, "256 DALI-2 functions"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program_With_Project w;
        w.p.write(QStringLiteral("PROJECTS/Plant/") + QLatin1String(c.file), c.content);
        w.p.write(QStringLiteral("PROJECTS/Plant/bin/bank.bin"), "old");
        w.click_update();

        EXPECT_TRUE(w.rec.opened.isEmpty());
        ASSERT_EQ(w.rec.messages.size(), 1);
        const UComon::Shown_Message& m = w.rec.messages.first();
        EXPECT_EQ(m.kind, UComon::Msg_Kind::Error);
        EXPECT_EQ(m.line, c.line);
        EXPECT_TRUE(m.text.contains(QLatin1String(c.shown))) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(
            QDir::toNativeSeparators(w.p.path(QStringLiteral("PROJECTS/Plant/")) + QLatin1String(c.file))));
        EXPECT_EQ(Read(w.bin("bank.bin")), QByteArray("old"));
        EXPECT_FALSE(QFile::exists(w.bin("bank_ESP32_1.bin")));
    }
}

TEST(Image_Update_Device, BankFileThatCannotBeWrittenKeepsTheUpdateWindowClosed) {
    Program_With_Project w;
    QDir().mkpath(w.bin("bank_ESP32_1.bin")); // a folder stands where the file goes
    w.p.write(QStringLiteral("PROJECTS/Plant/bin/bank.bin"), "old");
    w.click_update();

    EXPECT_TRUE(w.rec.opened.isEmpty());
    ASSERT_EQ(w.rec.messages.size(), 1);
    EXPECT_EQ(w.rec.messages.first().line, 903);
    EXPECT_TRUE(w.rec.messages.first().text.startsWith(QLatin1String("Error! The file cannot be saved:\n") +
                                                       QDir::toNativeSeparators(w.bin("bank_ESP32_1.bin")) +
                                                       QLatin1Char('\n')))
        << w.rec.messages.first().text.toStdString();
    EXPECT_EQ(Read(w.bin("bank.bin")), QByteArray("old"));
}
