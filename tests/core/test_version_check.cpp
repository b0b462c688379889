#include "common/Comon_State.h"
#include "options/Version_Check.h"
#include "test_support/Http_Stub.h"

#include <gtest/gtest.h>

using namespace UComon;

namespace {

// Points the question at a local server for the length of a test.
struct Local_Host {
    explicit Local_Host(int port) { Version_Check_Host = QStringLiteral("127.0.0.1:%1").arg(port); }
    ~Local_Host() { Version_Check_Host = QString::fromLatin1(Maker_Web_Host); }
};

// A port on which nothing listens.
int Closed_Port() {
    int port;
    {
        Http_Stub s(Http_Stub::Ok("x"));
        port = s.port();
    }
    return port;
}

} // namespace

TEST(Options_ConvVersion, Texts) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"1.501", 1501},     {"VER. 1.502", 1502}, {"VER. 2.100 and more words", 2100},
        {"VER. 2.0", -1},    {"VER. ", -1},        {"", -1},
        {"VER. 12.345", -1}, {"VER. 1.5a1", -1},   {"VER.   1.600  ", 1600},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Conv_Version(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(Options_CheckVersion, AnswersOfTheSite) {
    struct Case {
        QByteArray response;
        bool newer;
    } cases[] = {
        {Http_Stub::Ok("VER. 1.502"), true},
        {Http_Stub::Ok("VER. 1.501"), false},
        {Http_Stub::Ok("VER. 1.500"), false},
        {Http_Stub::Ok("ver. 0.000"), false},
        {Http_Stub::Ok("  VER. 0.000\r\n"), false},
        {Http_Stub::Ok("1.600"), true},
        {Http_Stub::Ok("VER. 2.0"), false},
        {Http_Stub::Ok(""), false},
        {Http_Stub::Ok("   "), false},
        {"HTTP/1.0 404 Not Found\r\nContent-Length: 10\r\n\r\nVER. 9.999", false},
        {"HTTP/1.0 500 Internal Server Error\r\n\r\nVER. 9.999", false},
        {Http_Stub::Ok("VER. 1.502 " + QByteArray(1 << 20, 'x')), false}, // not a version answer
        {"garbage without a status line", false},
    };
    for (const Case& c : cases) {
        Http_Stub server(c.response);
        Local_Host host(server.port());
        EXPECT_EQ(Check_Version(), c.newer) << c.response.left(60).constData();
    }
}

TEST(Options_CheckVersion, SlowServerAndNoServer) {
    {
        Http_Stub slow(Http_Stub::Ok("VER. 1.700"), 1500);
        Local_Host host(slow.port());
        EXPECT_TRUE(Check_Version());
    }
    Local_Host none(Closed_Port());
    EXPECT_FALSE(Check_Version());
}

TEST(Options_CheckVersion, RequestAsTheSiteExpectsIt) {
    Http_Stub server(Http_Stub::Ok("VER. 1.501"));
    Local_Host host(server.port());
    Check_Version();
    ASSERT_EQ(server.requests().size(), 1);
    const QByteArray r = server.requests().first();
    const QList<QByteArray> lines = r.split('\n');
    EXPECT_EQ(lines[0], "GET /home/download/GetversionSW.asp?nomesw=CF51730 HTTP/1.0\r");
    EXPECT_TRUE(
        r.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    EXPECT_TRUE(r.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_TRUE(r.contains("\r\nHost: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\n"));
    EXPECT_FALSE(r.toLower().contains("cookie"));
}

TEST(Options_CheckVersion, LinksOfTheMaker) {
    EXPECT_EQ(Home_Page_Url().toString(), "http://www.dravian.example/HOME/default.asp?frompg=CF51730");
    EXPECT_EQ(Download_Page_Url().toString(),
              "http://www.dravian.example/Home/download/download.asp#GW51730");
    EXPECT_TRUE(Version_Check_Url().startsWith("http://www.dravian.example/"));
}
