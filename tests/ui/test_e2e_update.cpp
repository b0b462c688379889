// From a project edited in the windows to the converter's memory: "Update Device
// UDP", the update window pointed at a simulated converter on a loopback address,
// presence check, job, the stand-in updater and the simulator.
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "app/UNew_Project.h"
#include "comm_settings/UParGen.h"
#include "common/Comon_State.h"
#include "common/Ip_Address.h"
#include "common/UStyle.h"
#include "core/test_update_sim.h"
#include "dali/DALI_Tables.h"
#include "dali/UDALI_Access.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"
#include "update/Run_Program.h"
#include "update/UBoot.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

QByteArray Pattern(int size, int seed) {
    QByteArray b(size, 0);
    quint32 x = quint32(seed) * 2654435761u + 7;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = char(x >> 16);
    }
    return b;
}

struct Placed {
    QString rel; // in the program folder
    quint32 address;
};

// What each option writes, per hardware.
QList<Placed> Expected(bool esp32, int option) {
    const bool fw = option != 2, cfg = option != 1;
    QList<Placed> l;
    if (!esp32) {
        if (fw)
            l << Placed{"MASTER/Sim51730.sim", 0x8000} << Placed{"MASTER/web_files_dali.bin", 0xC0000};
        if (cfg)
            l << Placed{"PROJECTS/Hall/bin/bank.bin", 0x66000};
    } else {
        if (fw)
            l << Placed{"MASTER/Sim51730_ESP32.sim", 0x110000}
              << Placed{"MASTER/web_files_dali.bin", 0x350000};
        if (cfg)
            l << Placed{"PROJECTS/Hall/bin/bank_ESP32_1.bin", 0x09000}
              << Placed{"PROJECTS/Hall/bin/bank_ESP32_2.bin", 0x310000};
    }
    return l;
}

// A program folder with the updater beside the configurator and a project made in
// the windows.
struct Field : Temp_Program {
    Recorder rec;
    Field() {
        QFile::copy(Update_Bin_Dir() + "/Ethernet_Update", path("Ethernet_Update"));
        write("MASTER/Sim51730.sim", Pattern(3000, 1));
        write("MASTER/Sim51730_ESP32.sim", Pattern(2600, 2));
        write("MASTER/web_files_dali.bin", Pattern(1800, 3));
        qputenv("ETHERNET_UPDATE_AUTO_CLOSE_MS", "0");
        UBoot::Start_Program_Limit_Ms = 30000; // a hung updater must not hold the test for long
        Forms::Create_All(dir());
        TFDravianFirmWare* m = Forms::FDravianFirmWare;

        rec.next_modal([](QDialog* d) {
            auto* np = static_cast<TFNew_Project*>(d);
            np->E_New_Proj->setText("Hall");
            np->Btn_OKClick();
            return np->result();
        });
        m->Btn_Click(m->Btn_New);
        rec.next_modal([](QDialog* d) {
            auto* f = static_cast<TFParGen*>(d);
            f->E_IP1->setText("10");
            f->E_IP2->setText("1");
            f->E_PORT->setText("1502");
            f->Btn_OK->click();
            return f->result();
        });
        m->Btn_Click(m->Btn_Prm_Gen);
        rec.next_modal([](QDialog* d) {
            auto* w = static_cast<TFDALI_Access*>(d);
            w->ACG_DALI_Device->Cells().Set_Checked(DALI::DC_Enable, 4, true); // DALI device 3
            w->Btn_OK->click();
            return w->result();
        });
        m->Btn_Click(m->Btn_DALI_Access);

        // The real presence check where the system allows ICMP; else a stand-in that
        // answers, so that the rest of the road is still run.
        auto probe = UBoot::Make_System_Echo_Client();
        QString reason;
        if (!probe->Send_Request(0x7F000001u, 8, &reason)) {
            std::printf("note: the system allows no ICMP here (%s); the presence check is played\n",
                        qPrintable(reason));
            struct Answering : UBoot::Echo_Client {
                bool Send_Request(quint32 a, int, QString*) override { return Is_Loopback_Address(a); }
                int Wait_Reply(int) override { return 1032; }
            };
            Forms::FBoot->Ping_Factory = [] { return std::make_unique<Answering>(); };
        }
    }
    ~Field() {
        Forms::Destroy_All();
        UBoot::Start_Program_Limit_Ms = 150000;
        qunsetenv("ETHERNET_UPDATE_AUTO_CLOSE_MS");
    }

    // Step 4 and the update window's button, with the converter at `address`.
    void Update(const QString& address, int option) {
        rec.next_modal([address, option](QDialog* d) {
            auto* b = static_cast<TFBoot*>(d);
            const QStringList parts = address.split('.');
            b->E_IP1->setText(parts[0]);
            b->E_IP2->setText(parts[1]);
            b->E_IP3->setText(parts[2]);
            b->E_IP4->setText(parts[3]);
            b->CB_Update_Options->setCurrentIndex(option);
            b->Btn_Update->click();
            return int(QDialog::Rejected);
        });
        Forms::FDravianFirmWare->Btn_Click(Forms::FDravianFirmWare->Btn_CreateBin);
    }

    void Run_Case(bool esp32, int option, const QStringList& sim_options = {}) {
        const std::string what =
            std::string(esp32 ? "ESP32" : "standard") + " option " + std::to_string(option);
        Sim_Process sim;
        ASSERT_TRUE(sim.Start(path(QString("memory_%1_%2").arg(esp32).arg(option)),
                              QStringList{"--hardware", esp32 ? "esp32" : "standard"} + sim_options));
        rec.messages.clear();
        Update(sim.address, option);
        const QByteArray sim_out = sim.Stop();
        EXPECT_TRUE(rec.messages.isEmpty()) << what << ": " << rec.messages.value(0).text.toStdString();
        EXPECT_TRUE(read("Ethernet_Update.log").contains("Every operation succeeded"))
            << what << "\n"
            << read("Ethernet_Update.log").constData() << sim_out.constData();
        for (const Placed& f : Expected(esp32, option)) {
            const QByteArray want = read(f.rel);
            ASSERT_FALSE(want.isEmpty()) << f.rel.toStdString();
            EXPECT_EQ(sim.Memory_At(f.address, int(want.size())), want)
                << what << ": " << f.rel.toStdString();
        }
        EXPECT_TRUE(sim_out.contains("application started")) << what;
    }
};

} // namespace

TEST(E2E_Update, StandardHardwareEachOption) {
    Field f;
    for (int option : {0, 1, 2})
        f.Run_Case(false, option);
    EXPECT_EQ(Device_IP.left(8), "127.0.0."); // kept for the next start
}

TEST(E2E_Update, ESP32HardwareEachOption) {
    Field f;
    for (int option : {0, 1, 2})
        f.Run_Case(true, option);
}

TEST(E2E_Update, ATenthOfThePacketsLost) {
    Field f;
    f.Run_Case(true, 0, {"--drop", "10"});
    f.Run_Case(false, 0, {"--drop", "10"});
}

TEST(E2E_Update, TheConvertersMemoryDecodesToTheProject) {
    Field f;
    Sim_Process sim;
    ASSERT_TRUE(sim.Start(f.path("memory")));
    f.Update(sim.address, 2);
    const QByteArray sim_out = sim.Stop();
    // The simulator shows what it received ...
    EXPECT_TRUE(sim_out.contains("ip_address: 10.1.")) << sim_out.constData();
    EXPECT_TRUE(sim_out.contains("modbus_tcp_port: 1502")) << sim_out.constData();
    // ... and dravian-cli dump reads the same configuration from its memory as from the project.
    auto dump = [](const QString& file) {
        QProcess p;
        p.start(Update_Bin_Dir() + "/dravian-cli", {"dump", file});
        p.waitForFinished(20000);
        EXPECT_EQ(p.exitCode(), 0) << file.toStdString();
        QByteArray out = p.readAllStandardOutput();
        return out.mid(out.indexOf('\n')); // without the file's name
    };
    const QByteArray from_memory = dump(f.path("memory/bank.bin"));
    EXPECT_EQ(from_memory, dump(f.path("PROJECTS/Hall/bin/bank.bin")));
    EXPECT_TRUE(from_memory.contains("DALI Channel 3: 0x8000 enabled")) << from_memory.constData();
}
