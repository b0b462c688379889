#include "update/Boot_Protocol.h"

#include <array>
#include <cstring>

namespace UBoot {

namespace {

constexpr std::array<quint32, 256> Make_Crc_Table() {
    std::array<quint32, 256> t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}
constexpr std::array<quint32, 256> Crc_Table = Make_Crc_Table();

} // namespace

quint32 Crc32(const char* data, qsizetype size, quint32 crc) {
    crc = ~crc;
    for (qsizetype i = 0; i < size; ++i)
        crc = Crc_Table[(crc ^ quint8(data[i])) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

QByteArray Encode_Packet(const Packet& p) {
    Payload_Writer w;
    w.raw(QByteArray(Packet_Magic, 4))
        .u8(Protocol_Version)
        .u8(p.code)
        .u16(quint16(p.payload.size()))
        .u32(p.seq);
    w.raw(p.payload);
    w.u32(Crc32(w.bytes));
    return w.bytes;
}

bool Decode_Packet(const QByteArray& d, Packet& p) {
    if (d.size() < Header_Size + Crc_Size || std::memcmp(d.constData(), Packet_Magic, 4) != 0)
        return false;
    Payload_Reader r(d);
    r.raw(4);
    if (r.u8() != Protocol_Version)
        return false;
    const quint8 code = r.u8();
    const quint16 length = r.u16();
    const quint32 seq = r.u32();
    if (length > Max_Payload || d.size() != Header_Size + length + Crc_Size)
        return false;
    const QByteArray payload = r.raw(length);
    const quint32 crc = r.u32();
    if (!r.at_end() || crc != Crc32(d.constData(), Header_Size + length))
        return false;
    p.code = code;
    p.seq = seq;
    p.payload = payload;
    return true;
}

const char* Status_Text(quint8 status) {
    switch (status) {
    case St_Ok:
        return "done";
    case St_Out_Of_Range:
        return "the address lies outside the converter's memory";
    case St_No_Session:
        return "no session is open";
    case St_Bad_Memory_Type:
        return "the converter has no memory of that type";
    case St_Bad_Request:
        return "the converter did not understand the request";
    case St_Protected:
        return "the memory there is protected";
    case St_Wrong_Port:
        return "the request is not served on that port";
    }
    return "unknown status";
}

const char* Command_Name(quint8 code) {
    switch (code & ~Reply_Flag) {
    case Cmd_Query:
        return "query";
    case Cmd_Enter_Boot:
        return "enter boot loader";
    case Cmd_Open:
        return "open";
    case Cmd_Erase:
        return "erase";
    case Cmd_Write:
        return "write";
    case Cmd_Read:
        return "read";
    case Cmd_Control:
        return "control record";
    case Cmd_Start:
        return "start application";
    }
    return "unknown";
}

} // namespace UBoot
