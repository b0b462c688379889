// Asks the maker's web site whether a newer version of the program exists.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace UComon {

// Host (optionally with ":port") that the question is sent to; the maker's host
// unless a test points it elsewhere.
extern QString Version_Check_Host;

// The maker's home page and the download page of the converter.
QUrl Home_Page_Url();
QUrl Download_Page_Url();

// Address of the question.
QString Version_Check_Url();

// Version number of a text such as "VER. 1.502" (1502), or -1.
int Conv_Version(const QString& Ver_str);

// Whether the site's answer names a newer version than this program's.
bool Answer_Is_Newer(const QByteArray& answer);

// One HTTP/1.0 GET; the body on success, an empty text on any failure (network,
// name, HTTP status, time-out: 10 s to connect, 15 s in all, or an answer over 4 KB).
QByteArray Http_Get(const QString& url);

// True when the maker offers a newer version; false when not, or when the question
// cannot be answered. While it waits, the program's windows keep painting but take
// no input.
bool Check_Version();

} // namespace UComon
