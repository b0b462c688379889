#include "options/Version_Check.h"

#include "common/Comon_State.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QUrlQuery>

#include <curl/curl.h>

#include <atomic>
#include <thread>

namespace UComon {

QString Version_Check_Host = QString::fromLatin1(Maker_Web_Host);

namespace {

constexpr qsizetype Max_Answer = 4096;

size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<QByteArray*>(user);
    const size_t n = size * count;
    if (body->size() + qsizetype(n) > Max_Answer)
        return 0; // too long for a version answer: stop reading
    body->append(data, qsizetype(n));
    return n;
}

QByteArray Upper_Ascii_Trimmed(const QByteArray& answer) {
    QByteArray a = answer;
    for (char& c : a)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return Trim(QString::fromLatin1(a)).toLatin1();
}

} // namespace

QUrl Home_Page_Url() {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(Maker_Web_Host));
    url.setPath(QStringLiteral("/HOME/default.asp"));
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("frompg"), QString::fromLatin1(Software_Code));
    url.setQuery(q);
    return url;
}

QUrl Download_Page_Url() {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(Maker_Web_Host));
    url.setPath(QStringLiteral("/Home/download/download.asp"));
    url.setFragment(QString::fromLatin1(Device_Order_Code));
    return url;
}

QString Version_Check_Url() {
    return QStringLiteral("http://") + Version_Check_Host +
           QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + QString::fromLatin1(Software_Code);
}

int Conv_Version(const QString& Ver_str) {
    const qsizetype blank = Ver_str.indexOf(QLatin1Char(' '));
    const QString v = Trim(blank >= 0 ? Ver_str.mid(blank + 1) : Ver_str);
    if (v.size() < 5)
        return -1;
    const QString digits = QString(v.at(0)) + v.at(2) + v.at(3) + v.at(4);
    return Str_To_Int_Def(digits, -1);
}

bool Answer_Is_Newer(const QByteArray& answer) {
    const QByteArray upper = Upper_Ascii_Trimmed(answer);
    if (upper.isEmpty() || upper == "VER. 0.000")
        return false;
    const int own = Conv_Version(QString::fromLatin1(Software_Version));
    const int site = Conv_Version(Trim(QString::fromLatin1(answer)));
    return own != -1 && site != -1 && site > own;
}

QByteArray Http_Get(const QString& url) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised)
        return {};
    CURL* curl = curl_easy_init();
    if (!curl)
        return {};
    QByteArray body;
    const QByteArray u = url.toUtf8();
    curl_slist* headers =
        curl_slist_append(nullptr, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    curl_easy_setopt(curl, CURLOPT_URL, u.constData());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 15L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode rc = curl_easy_perform(curl);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    if (rc != CURLE_OK)
        return {};
    return body;
}

bool Check_Version() {
    const QString url = Version_Check_Url();
    if (!QCoreApplication::instance())
        return Answer_Is_Newer(Http_Get(url));

    // The question runs beside the user-interface thread, which keeps painting.
    QByteArray answer;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = Http_Get(url);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    worker.join();
    return Answer_Is_Newer(answer);
}

} // namespace UComon
