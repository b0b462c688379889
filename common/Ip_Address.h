// The converter's IP address as the update window shows it: four byte texts.
#pragma once

#include <QString>
#include <QtGlobal>

namespace UComon {

// Splits a dotted address text into its four byte texts (trimmed, as typed: "010"
// stays "010"; the fourth text is everything after the third point). True when
// each of the four converts as a whole with the program's integer conversion to a
// value 0..255. The outputs are written as the split goes, so after a false result
// they may hold partial texts.
bool Split_IP_Address(const QString& text, QString& ip1, QString& ip2, QString& ip3, QString& ip4);

// The address as a 32-bit number, first byte most significant (the byte texts read
// as Split_IP_Address reads them). False when the text is not such an address; host
// names are never looked up.
bool Parse_IP_Address(const QString& text, quint32& address);

// "a.b.c.d" of a 32-bit address.
QString IP_Address_Text(quint32 address);

// 127.0.0.0/8.
inline bool Is_Loopback_Address(quint32 address) { return (address >> 24) == 127; }

} // namespace UComon
