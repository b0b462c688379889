// The stand-in updater against the converter simulator, on loopback.
#include "core/test_update_sim.h"
#include "test_support/Temp_Program.h"
#include "update/Job_File.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace UBoot;

namespace {

QByteArray Pattern(int size, int seed) {
    QByteArray b(size, 0);
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = char(x >> 16);
    }
    return b;
}

struct File_At {
    QString rel;
    quint32 address;
};
const File_At Standard_Files[] = {{"MASTER/Sim51730.sim", 0x8000},
                                  {"MASTER/web_files_dali.bin", 0xC0000},
                                  {"PROJECTS/Hall/bin/bank.bin", 0x66000}};
const File_At ESP32_Files[] = {{"MASTER/Sim51730_ESP32.sim", 0x110000},
                               {"MASTER/web_files_dali.bin", 0x350000},
                               {"PROJECTS/Hall/bin/bank_ESP32_1.bin", 0x09000},
                               {"PROJECTS/Hall/bin/bank_ESP32_2.bin", 0x310000}};

// A program folder with small firmware and web files and a project's bank files.
struct Update_Folder : Temp_Program {
    Update_Folder() {
        write("MASTER/Sim51730.sim", Pattern(3000, 1));
        write("MASTER/Sim51730_ESP32.sim", Pattern(2500, 2));
        write("MASTER/web_files_dali.bin", Pattern(1500, 3));
        write("PROJECTS/Hall/bin/bank.bin", Pattern(10496, 4));
        write("PROJECTS/Hall/bin/bank_ESP32_1.bin", Pattern(2048, 5));
        write("PROJECTS/Hall/bin/bank_ESP32_2.bin", Pattern(8448, 6));
    }
    QString Job(const QString& ip, int option = 0, bool read_back = true) const {
        Job_Request r;
        r.ip_address = ip;
        r.option = option;
        r.read_back = read_back;
        r.master_dir = path("MASTER");
        r.project_dir = path("PROJECTS/Hall");
        const QString job = path("Ethernet_Update.xml");
        Write_Job(job, r);
        return job;
    }
};

} // namespace

TEST(Update_Updater, WritesEveryFileOfTheListOfTheHardware) {
    for (const bool esp32 : {false, true}) {
        Update_Folder f;
        Sim_Process sim;
        ASSERT_TRUE(sim.Start(f.path("memory"), {"--hardware", esp32 ? "esp32" : "standard"}));
        const Updater_Run r = Run_Updater(f.Job(sim.address));
        const QByteArray sim_out = sim.Stop();
        ASSERT_EQ(r.code, 0) << r.err.constData() << r.out.constData();
        EXPECT_TRUE(r.out.contains(esp32 ? "ESP32 hardware" : "standard hardware")) << r.out.constData();
        const QList<File_At> files =
            esp32 ? QList<File_At>(std::begin(ESP32_Files), std::end(ESP32_Files))
                  : QList<File_At>(std::begin(Standard_Files), std::end(Standard_Files));
        for (const File_At& file : files) {
            const QByteArray want = f.read(file.rel);
            EXPECT_EQ(sim.Memory_At(file.address, int(want.size())), want) << file.rel.toStdString();
        }
        // Nothing of the other hardware's list.
        EXPECT_TRUE(sim.Memory_At(esp32 ? 0x66000 : 0x310000, 16).isEmpty());
        EXPECT_TRUE(sim_out.contains("application started")) << sim_out.constData();
        EXPECT_TRUE(f.read("Ethernet_Update.log").contains("Every operation succeeded"));
    }
}

TEST(Update_Updater, FinishesWithATenthOfThePacketsLost) {
    Update_Folder f;
    Sim_Process sim;
    ASSERT_TRUE(sim.Start(f.path("memory"), {"--hardware", "esp32", "--drop", "10", "--seed", "7"}));
    const Updater_Run r = Run_Updater(f.Job(sim.address));
    sim.Stop();
    ASSERT_EQ(r.code, 0) << r.err.constData();
    for (const File_At& file : ESP32_Files) {
        const QByteArray want = f.read(file.rel);
        EXPECT_EQ(sim.Memory_At(file.address, int(want.size())), want) << file.rel.toStdString();
    }
}

TEST(Update_Updater, AMissingFileStopsBeforeAnythingIsWritten) {
    Update_Folder f;
    QFile::remove(f.path("PROJECTS/Hall/bin/bank.bin"));
    Sim_Process sim;
    ASSERT_TRUE(sim.Start(f.path("memory")));
    const Updater_Run r = Run_Updater(f.Job(sim.address));
    sim.Stop();
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(f.path("PROJECTS/Hall/bin/bank.bin")).toUtf8() +
                               " does not exist"))
        << r.err.constData();
    EXPECT_TRUE(sim.Memory().isEmpty()); // the firmware was not written either
}

TEST(Update_Updater, AJobThatDoesNotParseSendsNothing) {
    Update_Folder f;
    Sim_Process sim;
    ASSERT_TRUE(sim.Start(f.path("memory")));
    QByteArray job = QFile(f.Job(sim.address)).exists() ? f.read("Ethernet_Update.xml") : QByteArray();
    job.replace("<Ope_Bank_Type>2</Ope_Bank_Type>", "<Ope_Bank_Type>two</Ope_Bank_Type>");
    f.write("Ethernet_Update.xml", job);
    const Updater_Run r = Run_Updater(f.path("Ethernet_Update.xml"));
    const QByteArray sim_out = sim.Stop();
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Operation 3: Ope_Bank_Type is \"two\"")) << r.err.constData();
    EXPECT_TRUE(sim_out.contains(" 0 requests carried out")) << sim_out.constData();

    const Updater_Run none = Run_Updater(f.path("missing.xml"));
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.contains("does not exist")) << none.err.constData();
}

TEST(Update_Updater, AConverterThatDoesNotAnswer) {
    Update_Folder f;
    const Updater_Run r =
        Run_Updater(f.Job(QLatin1String(Silent_Address)), {"--timeout-ms", "20", "--attempts", "2"});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(
        r.err.contains("the converter at 127.0.2.1 does not answer (application port 10000, boot ports "
                       "2008 and 2007)"))
        << r.err.constData();
}

TEST(Update_Updater, AReadBackThatDiffers) {
    Update_Folder f;
    Sim_Process sim;
    ASSERT_TRUE(sim.Start(f.path("memory"), {"--corrupt", "0x66010"}));
    const Updater_Run r = Run_Updater(f.Job(sim.address, 2));
    sim.Stop();
    EXPECT_EQ(r.code, 4);
    EXPECT_TRUE(r.err.contains("the read-back differs at 0x66010")) << r.err.constData();

    // Without read-back the same converter takes the job.
    Sim_Process again;
    ASSERT_TRUE(again.Start(f.path("memory2"), {"--corrupt", "0x66010"}));
    EXPECT_EQ(Run_Updater(f.Job(again.address, 2, false)).code, 0);
}

TEST(Update_Updater, ABootLoaderOnlyOnTheSecondaryPort) {
    Update_Folder f;
    Sim_Process sim;
    ASSERT_TRUE(sim.Start(f.path("memory"), {"--start-in-boot", "--no-port", "2008"}));
    const Updater_Run r = Run_Updater(f.Job(sim.address, 2), {"--timeout-ms", "20"});
    sim.Stop();
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains("boot loader running")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("trying port 2007")) << r.out.constData();
    EXPECT_EQ(sim.Memory_At(0x66000, 10496), f.read("PROJECTS/Hall/bin/bank.bin"));
}
