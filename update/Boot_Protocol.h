// The datagrams between the updater and the converter (docs/update-protocol.md):
// a header with a sequence number, a payload, and a CRC-32 over both.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace UBoot {

inline constexpr char Packet_Magic[4] = {'D', 'R', 'V', 'U'};
inline constexpr quint8 Protocol_Version = 1;
inline constexpr int Header_Size = 12;
inline constexpr int Crc_Size = 4;
inline constexpr int Max_Chunk = 1024; // data bytes of one write or read
inline constexpr int Max_Payload = Max_Chunk + 16;
inline constexpr quint8 Reply_Flag = 0x80;

enum Command : quint8 {
    Cmd_Query = 0x01,      // which hardware, which mode (application and boot ports)
    Cmd_Enter_Boot = 0x02, // application port: restart into the boot loader
    Cmd_Open = 0x10,       // boot port: start a session
    Cmd_Erase = 0x11,
    Cmd_Write = 0x12,
    Cmd_Read = 0x13,
    Cmd_Control = 0x14, // a control record (file check record, internal data)
    Cmd_Start = 0x15,   // start the application
};

enum Status : quint8 {
    St_Ok = 0,
    St_Out_Of_Range = 1,
    St_No_Session = 2,
    St_Bad_Memory_Type = 3,
    St_Bad_Request = 4,
    St_Protected = 5,
    St_Wrong_Port = 6, // the command is not served on this port
};

enum Hardware : quint8 { Hw_Standard = 0, Hw_ESP32 = 1 };
enum Device_Mode : quint8 { Mode_Application = 0, Mode_Boot = 1 };

struct Packet {
    quint8 code = 0;
    quint32 seq = 0;
    QByteArray payload;
};

// CRC-32 (polynomial 0xEDB88320, initial and final value 0xFFFFFFFF).
quint32 Crc32(const char* data, qsizetype size, quint32 crc = 0);
inline quint32 Crc32(const QByteArray& b) { return Crc32(b.constData(), b.size()); }

QByteArray Encode_Packet(const Packet& p);
// False for a datagram that is not one of ours, has another version, a length that
// does not match, or a wrong checksum.
bool Decode_Packet(const QByteArray& datagram, Packet& p);

const char* Status_Text(quint8 status);
const char* Command_Name(quint8 code);

// Little-endian building and reading of payloads.
struct Payload_Writer {
    QByteArray bytes;
    Payload_Writer& u8(quint8 v) {
        bytes.append(char(v));
        return *this;
    }
    Payload_Writer& u16(quint16 v) { return u8(quint8(v)).u8(quint8(v >> 8)); }
    Payload_Writer& u32(quint32 v) { return u16(quint16(v)).u16(quint16(v >> 16)); }
    Payload_Writer& raw(const QByteArray& b) {
        bytes.append(b);
        return *this;
    }
};

struct Payload_Reader {
    explicit Payload_Reader(const QByteArray& b) : bytes(b) {}
    const QByteArray& bytes;
    qsizetype at = 0;
    bool ok = true;
    bool need(qsizetype n) {
        ok = ok && at + n <= bytes.size();
        return ok;
    }
    quint8 u8() { return need(1) ? quint8(bytes[at++]) : 0; }
    quint16 u16() {
        const quint16 lo = u8();
        return quint16(lo | (quint16(u8()) << 8));
    }
    quint32 u32() {
        const quint32 lo = u16();
        return lo | (quint32(u16()) << 16);
    }
    QByteArray raw(qsizetype n) {
        if (!need(n))
            return {};
        const QByteArray b = bytes.mid(at, n);
        at += n;
        return b;
    }
    bool at_end() const { return ok && at == bytes.size(); }
};

} // namespace UBoot
