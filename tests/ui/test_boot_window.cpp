// The update window: address boxes, presence check, job and updater start.
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "common/UStyle.h"
#include "test_support/Recorder.h"
#include "test_support/Temp_Program.h"
#include "update/Run_Program.h"
#include "update/UBoot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

struct Program : Temp_Program {
    Program() {}
    void start() {
        Forms::Create_All(dir());
        boot()->Ping_Reply_Wait_Ms = 20;
        boot()->Ping_Check_Ms = 150;
    }
    ~Program() { Forms::Destroy_All(); }
    TFBoot* boot() const { return Forms::FBoot; }
    // An updater that notes each run, its arguments and the job it found.
    void add_updater(const QByteArray& extra = {}) const {
        write("Ethernet_Update", "#!/bin/sh\nd=\"$(dirname \"$0\")\"\necho \"$#\" >> \"$d/runs.txt\"\n"
                                 "cp \"$d/Ethernet_Update.xml\" \"$d/job_seen.xml\"\n" +
                                     extra + "\n");
        QFile::setPermissions(path("Ethernet_Update"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// Stands in for the system's ICMP client: replies as told, request by request.
struct Echo_Script {
    QList<bool> replies = {true}; // the last one repeats
    QString send_error;
    int requests = 0;
    QList<quint32> addresses;
    std::function<void()> while_waiting; // runs during the first wait for a reply
};

struct Fake_Echo : UBoot::Echo_Client {
    explicit Fake_Echo(Echo_Script* s) : s(s) {}
    bool Send_Request(quint32 address, int size, QString* reason) override {
        EXPECT_EQ(size, 1024);
        if (!s->send_error.isEmpty()) {
            *reason = s->send_error;
            return false;
        }
        ++s->requests;
        s->addresses << address;
        return true;
    }
    int Wait_Reply(int) override {
        if (auto f = std::exchange(s->while_waiting, nullptr))
            f();
        const bool reply = s->replies[std::min<qsizetype>(s->requests - 1, s->replies.size() - 1)];
        return reply ? 1032 : 0;
    }
    Echo_Script* s;
};

void Use(TFBoot* boot, Echo_Script& s) {
    boot->Ping_Factory = [&s] { return std::make_unique<Fake_Echo>(&s); };
}

void Set_Boxes(TFBoot* b, const QStringList& t) {
    b->E_IP1->setText(t[0]);
    b->E_IP2->setText(t[1]);
    b->E_IP3->setText(t[2]);
    b->E_IP4->setText(t[3]);
}

QStringList Boxes(TFBoot* b) {
    return {b->E_IP1->text(), b->E_IP2->text(), b->E_IP3->text(), b->E_IP4->text()};
}

// Shows the window modally and plays the user inside it.
void In_Window(Recorder& r, std::function<void(TFBoot*)> play) {
    r.next_modal([play](QDialog* d) {
        play(static_cast<TFBoot*>(d));
        return int(QDialog::Rejected);
    });
    Show_Modal(Forms::FBoot);
}

} // namespace

TEST(Boot_Window, BoxesFilledFromTheStoredAddress) {
    struct Case {
        const char* device_ip;
        QStringList boxes;
    } cases[] = {
        {"192.168.2.205", {"192", "168", "2", "205"}},
        {"010.001.000.009", {"010", "001", "000", "009"}},
        {"192.168.2", {"7", "7", "7", "7"}}, // does not split: the boxes keep their texts
        {"", {"7", "7", "7", "7"}},
    };
    for (const Case& c : cases) {
        Program p;
        Recorder r;
        p.start();
        Set_Boxes(p.boot(), {"7", "7", "7", "7"});
        Device_IP = c.device_ip;
        In_Window(r, [&](TFBoot* b) { EXPECT_EQ(Boxes(b), c.boxes) << c.device_ip; });
    }
}

TEST(Boot_Window, TypingAnAddressMovesThroughTheBoxes) {
    Program p;
    Recorder r;
    p.start();
    In_Window(r, [](TFBoot* b) {
        Set_Boxes(b, {"", "", "", ""});
        b->E_IP1->setFocus();
        for (const QChar c : QStringLiteral("192.168.2.205.")) // the last point is dropped too
            QTest::keyClick(b->focusWidget(), c.toLatin1());
        EXPECT_EQ(Boxes(b), (QStringList{"192", "168", "2", "205"}));
        EXPECT_EQ(b->focusWidget(), b->E_IP4);
        // Any other key is taken as it is: no digit filter, no length limit.
        QTest::keyClicks(b->E_IP4, "x1234");
        EXPECT_EQ(b->E_IP4->text(), "205x1234");
    });
}

TEST(Boot_Window, FormAndTexts) {
    Program p;
    Recorder r;
    p.start();
    Update_Option = 2;
    Read_Back = false;
    In_Window(r, [](TFBoot* b) {
        EXPECT_EQ(b->windowTitle(), "Update Device by Ethernet (UDP)");
        EXPECT_EQ(b->L_SW_Desc->text(), "Update Device Using the Ethernet Port");
        EXPECT_EQ(b->size(), QSize(449, 230));
        EXPECT_TRUE(b->P_IP_Address->isVisible());
        EXPECT_TRUE(b->P_Options->isVisible());
        EXPECT_FALSE(b->P_Serial->isVisible());
        EXPECT_FALSE(b->P_Eth_Search->isVisible());
        EXPECT_FALSE(b->L_Update_Running->isVisible());
        EXPECT_EQ(b->CB_Update_Options->count(), 3);
        EXPECT_EQ(b->CB_Update_Options->itemText(1), "Firmware");
        EXPECT_EQ(b->CB_Update_Options->currentIndex(), 2);
        EXPECT_FALSE(b->CB_Update_Option_Read_Back->isChecked());
        EXPECT_EQ(b->Btn_Update->text(), "Execute Update Firmware");
        EXPECT_EQ(b->E_IP3->toolTip(), "Insert third byte of IP Address");
    });
    // A language change refills the option list.
    Text_Table[816] = QStringLiteral("Nur Firmware");
    Text_Table[820] = QStringLiteral("Aktualisieren");
    Forms::FDravianFirmWare->Change_Language();
    EXPECT_EQ(p.boot()->CB_Update_Options->itemText(1), "Nur Firmware");
    EXPECT_EQ(p.boot()->Btn_Update->text(), "Aktualisieren");
}

TEST(Boot_Ping, OutcomesOfTheCheck) {
    struct Case {
        QList<bool> replies;
        bool result;
        int ping_res;
    } cases[] = {
        {{true}, true, 1},         // two replies end the check at once
        {{false}, false, 2},       // nothing until the check's time is up
        {{true, false}, false, 2}, // the last request decides
        {{false, true, true}, true, 1},
    };
    Program p;
    p.start();
    for (const Case& c : cases) {
        Echo_Script s;
        s.replies = c.replies;
        Use(p.boot(), s);
        Set_Boxes(p.boot(), {"127", "0", "0", "010"});
        EXPECT_EQ(p.boot()->Send_Ping(), c.result);
        EXPECT_EQ(p.boot()->ping_res, c.ping_res);
        EXPECT_EQ(s.addresses.value(0), 0x7F00000Au); // the boxes read as decimal numbers
        if (c.replies == QList<bool>{true})
            EXPECT_EQ(s.requests, 2);
        else
            EXPECT_GE(s.requests, 2);
    }
    // The system refuses the request: no outcome, and its reason is kept.
    Echo_Script refused;
    refused.send_error = QStringLiteral("Operation not permitted");
    Use(p.boot(), refused);
    EXPECT_FALSE(p.boot()->Send_Ping());
    EXPECT_EQ(p.boot()->ping_res, 0);
    EXPECT_EQ(p.boot()->Ping_Error, "Operation not permitted");
    // Boxes that make no address: nothing is sent.
    Echo_Script none;
    Use(p.boot(), none);
    Set_Boxes(p.boot(), {"127", "0", "zero", "1"});
    EXPECT_FALSE(p.boot()->Send_Ping());
    EXPECT_EQ(p.boot()->ping_res, 0);
    EXPECT_EQ(none.requests, 0);
}

TEST(Boot_Ping, ARealEchoFromTheLoopbackAddress) {
    Program p;
    p.start();
    p.boot()->Ping_Reply_Wait_Ms = 400;
    p.boot()->Ping_Check_Ms = 5000;
    Set_Boxes(p.boot(), {"127", "0", "0", "1"});
    const bool answered = p.boot()->Send_Ping();
    if (!answered && !p.boot()->Ping_Error.isEmpty())
        GTEST_SKIP() << "the system allows no ICMP here: " << p.boot()->Ping_Error.toStdString();
    EXPECT_TRUE(answered);
    EXPECT_EQ(p.boot()->ping_res, 1);
}

TEST(Boot_Update, NoAnswerWarnsAndChangesNothing) {
    Program p;
    Recorder r;
    p.start();
    p.add_updater();
    Echo_Script s;
    s.replies = {false};
    Use(p.boot(), s);
    Device_IP = "192.168.2.205";
    In_Window(r, [](TFBoot* b) {
        Set_Boxes(b, {"127", "0", "0", "9"});
        QTest::mouseClick(b->Btn_Update, Qt::LeftButton);
        EXPECT_TRUE(b->isVisible()); // the window stays open
    });
    EXPECT_EQ(r.lines(), QList<int>{836});
    EXPECT_EQ(r.messages.value(0).kind, Msg_Kind::Warning);
    EXPECT_EQ(Device_IP, "192.168.2.205");
    EXPECT_FALSE(QFile::exists(p.path("Ethernet_Update.xml")));
    EXPECT_FALSE(QFile::exists(p.path("runs.txt")));
}

TEST(Boot_Update, RefusedIcmpNamesTheSystemsReason) {
    Program p;
    Recorder r;
    p.start();
    Echo_Script s;
    s.send_error =
        QStringLiteral("ICMP datagram socket: Permission denied; raw ICMP socket: Operation not permitted");
    Use(p.boot(), s);
    In_Window(r, [](TFBoot* b) { b->Btn_UpdateClick(); });
    ASSERT_EQ(r.lines(), QList<int>{837});
    EXPECT_EQ(r.messages[0].kind, Msg_Kind::Error);
    EXPECT_TRUE(r.messages[0].text.startsWith("Error!!! Check the Ip Address\n"));
    EXPECT_TRUE(r.messages[0].text.contains("raw ICMP socket: Operation not permitted"));
    // An address that cannot be used at all: the line alone.
    Echo_Script ok;
    Use(p.boot(), ok);
    In_Window(r, [](TFBoot* b) {
        Set_Boxes(b, {"300", "0", "0", "1"});
        b->Btn_UpdateClick();
    });
    EXPECT_EQ(r.messages.last().text, "Error!!! Check the Ip Address");
    EXPECT_FALSE(QFile::exists(p.path("Ethernet_Update.xml")));
}

TEST(Boot_Update, AnAnswerStoresTheChoiceWritesTheJobAndRunsTheUpdater) {
    Program p;
    Recorder r;
    p.start();
    p.add_updater();
    Echo_Script s;
    Use(p.boot(), s);
    In_Window(r, [](TFBoot* b) {
        Set_Boxes(b, {"127", "0", "0", "010"});
        b->CB_Update_Options->setCurrentIndex(2);
        b->CB_Update_Option_Read_Back->setChecked(false);
        b->Btn_UpdateClick();
        b->Btn_UpdateClick(); // the same job again, the updater again
        EXPECT_TRUE(b->isVisible());
    });
    EXPECT_TRUE(r.lines().isEmpty());
    EXPECT_EQ(Device_IP, "127.0.0.010"); // as typed
    EXPECT_EQ(Update_Option, 2);
    EXPECT_FALSE(Read_Back);
    EXPECT_EQ(p.read("runs.txt"), "0\n0\n"); // twice, with no arguments
    const QByteArray job = p.read("job_seen.xml");
    EXPECT_TRUE(job.contains("<IP_Address_Dev>127.0.0.010</IP_Address_Dev>"));
    EXPECT_TRUE(job.contains("<Ope_Read_Back>0</Ope_Read_Back>"));
    EXPECT_FALSE(job.contains("Sim51730.sim")); // configuration only
}

TEST(Boot_Update, WhileTheUpdaterRunsTheWindowPaintsButTakesNoInput) {
    Program p;
    Recorder r;
    p.start();
    p.add_updater("sleep 1");
    Echo_Script s;
    Use(p.boot(), s);
    bool running_shown = false, timer_ran = false;
    In_Window(r, [&](TFBoot* b) {
        QTimer::singleShot(300, b, [&, b] {
            timer_ran = true; // the event loop goes on
            running_shown = b->L_Update_Running->isVisible();
            QTest::mouseClick(b->Btn_Cancel, Qt::LeftButton);
            QTest::keyClick(b, Qt::Key_Escape);
        });
        b->Btn_UpdateClick();
        QApplication::processEvents();
        EXPECT_TRUE(b->isVisible()); // neither the click nor the key arrived, not even late
        EXPECT_FALSE(b->L_Update_Running->isVisible());
    });
    EXPECT_TRUE(timer_ran);
    EXPECT_TRUE(running_shown);
    EXPECT_EQ(p.read("runs.txt"), "0\n");
}

TEST(Boot_Update, AJobThatCannotBeWrittenIsReportedAndNothingStarts) {
    Program p;
    Recorder r;
    p.start();
    p.add_updater();
    QDir().mkpath(p.path("Ethernet_Update.xml")); // a folder where the job should go
    Echo_Script s;
    Use(p.boot(), s);
    In_Window(r, [](TFBoot* b) { b->Btn_UpdateClick(); });
    ASSERT_EQ(r.lines(), QList<int>{903});
    EXPECT_TRUE(r.messages[0].text.contains(QDir::toNativeSeparators(p.path("Ethernet_Update.xml"))));
    EXPECT_FALSE(QFile::exists(p.path("runs.txt")));
}

TEST(Boot_Update, AMissingUpdaterIsReported) {
    Program p;
    Recorder r;
    p.start();
    Echo_Script s;
    Use(p.boot(), s);
    In_Window(r, [](TFBoot* b) { b->Btn_UpdateClick(); });
    ASSERT_EQ(r.lines(), QList<int>{861});
    EXPECT_TRUE(r.messages[0].text.contains(QDir::toNativeSeparators(p.path("Ethernet_Update"))));
    EXPECT_TRUE(QFile::exists(p.path("Ethernet_Update.xml"))); // the job was written
}

TEST(Boot_Update, PressingAgainOrClosingDuringTheCheck) {
    Program p;
    Recorder r;
    p.start();
    p.add_updater();
    Echo_Script s;
    Use(p.boot(), s);
    s.while_waiting = [&] { p.boot()->Btn_UpdateClick(); }; // a second press while the check runs
    In_Window(r, [](TFBoot* b) { b->Btn_UpdateClick(); });
    EXPECT_EQ(s.requests, 2); // one check
    EXPECT_EQ(p.read("runs.txt"), "0\n");

    // The window is closed while the converter is looked for: no job, no updater.
    QFile::remove(p.path("runs.txt"));
    QFile::remove(p.path("Ethernet_Update.xml"));
    s.requests = 0;
    s.while_waiting = [&] { p.boot()->reject(); };
    In_Window(r, [](TFBoot* b) { b->Btn_UpdateClick(); });
    EXPECT_TRUE(r.lines().isEmpty());
    EXPECT_FALSE(QFile::exists(p.path("Ethernet_Update.xml")));
    EXPECT_FALSE(QFile::exists(p.path("runs.txt")));
}
