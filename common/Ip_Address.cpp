#include "common/Ip_Address.h"

#include "common/Comon_State.h"

namespace UComon {

namespace {

// The part before the first "." into `head`, the rest after it into `rest`, both
// trimmed; false when there is no ".".
bool Split_At_Point(const QString& text, QString& head, QString& rest) {
    const qsizetype p = text.indexOf(QLatin1Char('.'));
    if (p < 0)
        return false;
    head = Trim(text.left(p));
    rest = Trim(text.mid(p + 1));
    return true;
}

} // namespace

bool Split_IP_Address(const QString& text, QString& ip1, QString& ip2, QString& ip3, QString& ip4) {
    QString rest = Trim(text);
    if (!Split_At_Point(rest, ip1, rest))
        return false;
    if (!Split_At_Point(rest, ip2, rest))
        return false;
    if (!Split_At_Point(rest, ip3, ip4))
        return false;
    for (const QString* part : {&ip1, &ip2, &ip3, &ip4}) {
        const int v = Str_To_Int_Def(*part, 1000);
        if (v < 0 || v > 255)
            return false;
    }
    return true;
}

bool Parse_IP_Address(const QString& text, quint32& address) {
    QString parts[4];
    if (!Split_IP_Address(text, parts[0], parts[1], parts[2], parts[3]))
        return false;
    quint32 a = 0;
    for (const QString& p : parts)
        a = (a << 8) | quint32(Str_To_Int_Def(p, 0));
    address = a;
    return true;
}

QString IP_Address_Text(quint32 a) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(a >> 24)
        .arg((a >> 16) & 0xFF)
        .arg((a >> 8) & 0xFF)
        .arg(a & 0xFF);
}

} // namespace UComon
