#include "tools/converter_sim/Sim_Converter.h"

#include "update/Boot_Protocol.h"

#include <algorithm>

using namespace UBoot;

namespace Sim {

QByteArray Memory::Read(quint32 address, quint32 length) const {
    QByteArray out(qsizetype(length), char(0xFF));
    for (quint32 i = 0; i < length;) {
        const quint32 a = address + i;
        const quint32 page = a / Page_Size, offset = a % Page_Size;
        const quint32 n = std::min(length - i, Page_Size - offset);
        const auto it = pages_.find(page);
        if (it != pages_.end())
            std::copy_n(it->second.constData() + offset, n, out.data() + i);
        i += n;
    }
    return out;
}

void Memory::Write(quint32 address, const QByteArray& data) {
    const quint32 length = quint32(data.size());
    for (quint32 i = 0; i < length;) {
        const quint32 a = address + i;
        const quint32 page = a / Page_Size, offset = a % Page_Size;
        const quint32 n = std::min(length - i, Page_Size - offset);
        auto it = pages_.find(page);
        if (it == pages_.end())
            it = pages_.emplace(page, QByteArray(Page_Size, char(0xFF))).first;
        std::copy_n(data.constData() + i, n, it->second.data() + offset);
        i += n;
    }
    if (length)
        Mark_Written(address, address + length);
}

void Memory::Erase(quint32 address, quint32 length) {
    for (quint32 i = 0; i < length;) {
        const quint32 a = address + i;
        const quint32 page = a / Page_Size, offset = a % Page_Size;
        const quint32 n = std::min(length - i, Page_Size - offset);
        const auto it = pages_.find(page);
        if (it != pages_.end())
            std::fill_n(it->second.data() + offset, n, char(0xFF));
        i += n;
    }
    if (length)
        Unmark(address, address + length);
}

void Memory::Mark_Written(quint32 start, quint32 end) {
    // Merge with every range that touches [start, end).
    auto it = written_.upper_bound(start);
    if (it != written_.begin() && std::prev(it)->second >= start)
        --it;
    while (it != written_.end() && it->first <= end) {
        start = std::min(start, it->first);
        end = std::max(end, it->second);
        it = written_.erase(it);
    }
    written_.emplace(start, end);
}

void Memory::Unmark(quint32 start, quint32 end) {
    auto it = written_.upper_bound(start);
    if (it != written_.begin())
        --it;
    while (it != written_.end() && it->first < end) {
        const quint32 s = it->first, e = it->second;
        if (e <= start) {
            ++it;
            continue;
        }
        it = written_.erase(it);
        if (s < start)
            written_.emplace(s, start);
        if (e > end)
            it = written_.emplace(end, e).first;
    }
}

bool Memory::Is_Written(quint32 address, quint32 length) const {
    auto it = written_.upper_bound(address);
    if (it == written_.begin())
        return false;
    --it;
    return it->first <= address && quint64(it->second) >= quint64(address) + length;
}

Converter::Converter(bool esp32, bool start_in_boot) : esp32_(esp32), boot_(start_in_boot) {}

bool Converter::Protected(quint32 address, quint32 length) const {
    if (!protection_)
        return false;
    const quint32 sector = protection_address_ & ~(Page_Size - 1);
    return quint64(address) < quint64(sector) + Page_Size && quint64(address) + length > sector;
}

std::optional<QByteArray> Converter::Handle(Port_Kind kind, const Peer& from, const QByteArray& datagram) {
    Packet p;
    if (!Decode_Packet(datagram, p) || (p.code & Reply_Flag))
        return std::nullopt;
    std::deque<Kept>& kept = kept_[from];
    for (const Kept& k : kept)
        if (k.seq == p.seq && k.request == datagram) {
            ++replayed;
            return k.reply;
        }
    std::optional<QByteArray> reply = Execute(kind, p.code, p.seq, p.payload);
    kept.push_back({p.seq, datagram, reply});
    if (kept.size() > 32)
        kept.pop_front();
    return reply;
}

std::optional<QByteArray> Converter::Execute(Port_Kind kind, quint8 code, quint32 seq,
                                             const QByteArray& payload) {
    Payload_Reader in(payload);
    Payload_Writer out;
    auto reply = [&](quint8 status) {
        Packet r;
        r.code = code | Reply_Flag;
        r.seq = seq;
        r.payload = Payload_Writer().u8(status).raw(out.bytes).bytes;
        return std::optional<QByteArray>(Encode_Packet(r));
    };
    const char* hardware = esp32_ ? "ESP32" : "standard";

    if (kind == Port_Kind::Application) {
        if (boot_)
            return std::nullopt; // no application runs to answer
        ++executed;
        if (code == Cmd_Query) {
            const QByteArray text = QByteArray("converter-sim ") + hardware + " application";
            out.u8(esp32_ ? Hw_ESP32 : Hw_Standard)
                .u8(Mode_Application)
                .u16(Max_Chunk)
                .u8(quint8(text.size()));
            out.raw(text);
            return reply(St_Ok);
        }
        if (code == Cmd_Enter_Boot) {
            boot_ = true;
            session_ = false;
            events << QStringLiteral("restart into the boot loader");
            return reply(St_Ok);
        }
        return reply(St_Wrong_Port);
    }

    ++executed;
    switch (code) {
    case Cmd_Query: {
        const QByteArray text =
            QByteArray("converter-sim ") + hardware + (boot_ ? " boot loader" : " application");
        out.u8(esp32_ ? Hw_ESP32 : Hw_Standard).u8(boot_ ? Mode_Boot : Mode_Application).u16(Max_Chunk);
        out.u8(quint8(text.size())).raw(text);
        return reply(St_Ok);
    }
    case Cmd_Open: {
        const quint8 flags = in.u8();
        const quint32 address = in.u32();
        const quint8 count = in.u8();
        QStringList words;
        for (int i = 0; i < count; ++i)
            words << QStringLiteral("0x%1").arg(in.u32(), 0, 16);
        if (!in.at_end())
            return reply(St_Bad_Request);
        if (!boot_)
            events << QStringLiteral("the application hands over to the boot loader");
        boot_ = true;
        session_ = true;
        protection_ = flags & 1;
        protection_address_ = address;
        events << QStringLiteral("session opened, protection %1 at 0x%2 (%3)")
                      .arg(protection_ ? "on" : "off")
                      .arg(address, 0, 16)
                      .arg(words.join(QLatin1Char(' ')));
        out.u8(esp32_ ? Hw_ESP32 : Hw_Standard).u16(Max_Chunk);
        return reply(St_Ok);
    }
    case Cmd_Start:
        if (!in.at_end())
            return reply(St_Bad_Request);
        boot_ = false;
        session_ = false;
        protection_ = false;
        events << QStringLiteral("application started");
        return reply(St_Ok);
    default:
        break;
    }

    if (!session_)
        return reply(St_No_Session);
    switch (code) {
    case Cmd_Erase: {
        const quint8 type = in.u8();
        const quint32 address = in.u32(), length = in.u32();
        if (!in.at_end())
            return reply(St_Bad_Request);
        if (type != 0)
            return reply(St_Bad_Memory_Type);
        if (quint64(address) + length > Memory_Size)
            return reply(St_Out_Of_Range);
        if (Protected(address, length))
            return reply(St_Protected);
        memory_.Erase(address, length);
        events << QStringLiteral("erased 0x%1, %2 bytes").arg(address, 0, 16).arg(length);
        return reply(St_Ok);
    }
    case Cmd_Write: {
        const quint8 type = in.u8();
        in.u8(); // bank type
        const quint32 address = in.u32();
        const quint16 length = in.u16();
        const QByteArray data = in.raw(length);
        if (!in.at_end() || length > Max_Chunk)
            return reply(St_Bad_Request);
        if (type != 0)
            return reply(St_Bad_Memory_Type);
        if (quint64(address) + length > Memory_Size)
            return reply(St_Out_Of_Range);
        if (Protected(address, length))
            return reply(St_Protected);
        memory_.Write(address, data);
        out.u32(address).u16(length);
        return reply(St_Ok);
    }
    case Cmd_Read: {
        const quint8 type = in.u8();
        const quint32 address = in.u32();
        const quint16 length = in.u16();
        if (!in.at_end() || length > Max_Chunk)
            return reply(St_Bad_Request);
        if (type != 0)
            return reply(St_Bad_Memory_Type);
        if (quint64(address) + length > Memory_Size)
            return reply(St_Out_Of_Range);
        QByteArray data = memory_.Read(address, length);
        for (quint32 c : std::as_const(corrupt_))
            if (c >= address && c < address + length)
                data[qsizetype(c - address)] = char(~data[qsizetype(c - address)]);
        out.u32(address).u16(length).raw(data);
        return reply(St_Ok);
    }
    case Cmd_Control: {
        const quint8 command = in.u8();
        const quint32 address = in.u32();
        const quint16 length = in.u16();
        const QByteArray data = in.raw(length);
        if (!in.at_end() || length > Max_Chunk)
            return reply(St_Bad_Request);
        if (quint64(address) + length > Memory_Size)
            return reply(St_Out_Of_Range);
        if (Protected(address, length))
            return reply(St_Protected);
        memory_.Write(address, data);
        events << QStringLiteral("control record 0x%1 at 0x%2: %3")
                      .arg(command, 2, 16, QLatin1Char('0'))
                      .arg(address, 0, 16)
                      .arg(QString::fromLatin1(data.toHex(' ')));
        return reply(St_Ok);
    }
    default:
        return reply(St_Bad_Request);
    }
}

} // namespace Sim
