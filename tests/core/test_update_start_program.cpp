// Starting the updater and waiting for it: a short program, a missing one, and one
// that outlives the wait.
#include "test_support/Temp_Program.h"
#include "update/Run_Program.h"

#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace UBoot;

#ifdef Q_OS_UNIX

namespace {

QString Script(const Temp_Program& p, const QString& name, const QByteArray& body) {
    p.write(name, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(p.path(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return p.path(name);
}

struct Limit {
    explicit Limit(int ms) { Start_Program_Limit_Ms = ms; }
    ~Limit() { Start_Program_Limit_Ms = 150000; }
};

} // namespace

TEST(Update_Start_Program, WaitsForAShortProgramAndPassesItsParameters) {
    Temp_Program p;
    const QString out = p.path("args.txt");
    const QString prog =
        Script(p, "Ethernet_Update", "echo \"$#:$1\" > \"$(dirname \"$0\")/args.txt\"; exit 3");
    Program_Run r = Start_Program(prog, QString(), 0);
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.finished); // the wait ends with the program
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_EQ(p.read("args.txt"), "0:\n"); // no parameters at all

    r = Start_Program(prog, QStringLiteral("\"one two\""), 1);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(p.read("args.txt"), "1:one two\n");
}

TEST(Update_Start_Program, AMissingProgramIsNotStarted) {
    Temp_Program p;
    const Program_Run r = Start_Program(p.path("Ethernet_Update"), QString(), 0);
    EXPECT_FALSE(r.started);
    EXPECT_FALSE(r.error.isEmpty());
    p.write("not_a_program", "text");
    const Program_Run n = Start_Program(p.path("not_a_program"), QString(), 0);
    EXPECT_FALSE(n.started);
    EXPECT_FALSE(n.error.isEmpty());
}

TEST(Update_Start_Program, AProgramThatOutlivesTheLimitKeepsRunning) {
    Temp_Program p;
    const QString prog = Script(p, "slow", "exec sleep 30");
    const Limit limit(300);
    const Program_Run r = Start_Program(prog, QString(), 0);
    EXPECT_TRUE(r.started);
    EXPECT_FALSE(r.finished);
    ASSERT_GT(r.pid, 0);
    EXPECT_EQ(::kill(pid_t(r.pid), 0), 0); // still there
    ::kill(pid_t(r.pid), SIGKILL);
}

#endif
