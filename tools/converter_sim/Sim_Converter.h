// The converter as the simulator plays it: memory, boot loader and application
// state, and the answer to each datagram. No sockets here.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <map>
#include <optional>

namespace Sim {

inline constexpr quint32 Memory_Size = 0x1000000; // 16 MiB
inline constexpr quint32 Page_Size = 4096;

class Memory {
public:
    // Bytes never written read 0xFF.
    QByteArray Read(quint32 address, quint32 length) const;
    void Write(quint32 address, const QByteArray& data);
    void Erase(quint32 address, quint32 length);
    // Ranges written so far (merged), as start -> end (exclusive).
    const std::map<quint32, quint32>& Written() const { return written_; }
    bool Is_Written(quint32 address, quint32 length) const;

private:
    std::map<quint32, QByteArray> pages_;
    std::map<quint32, quint32> written_;
    void Mark_Written(quint32 start, quint32 end);
    void Unmark(quint32 start, quint32 end);
};

enum class Port_Kind { Application, Boot };

struct Peer {
    quint32 address = 0;
    quint16 port = 0;
    quint16 local_port = 0;
    bool operator==(const Peer&) const = default;
};
inline size_t qHash(const Peer& p, size_t seed = 0) {
    return ::qHash((quint64(p.address) << 32) | (quint64(p.port) << 16) | p.local_port, seed);
}

class Converter {
public:
    explicit Converter(bool esp32, bool start_in_boot = false);

    // The reply datagram to a received one; none for a datagram that is not ours or
    // a request this port does not answer.
    std::optional<QByteArray> Handle(Port_Kind kind, const Peer& from, const QByteArray& datagram);

    // Makes the byte at `address` read back inverted.
    void Corrupt_At(quint32 address) { corrupt_.append(address); }

    const Memory& memory() const { return memory_; }
    bool esp32() const { return esp32_; }
    bool in_boot() const { return boot_; }
    // What happened, one line per event worth telling (sessions, erases, starts, records).
    QStringList events;
    int executed = 0; // requests carried out
    int replayed = 0; // retries answered from the kept replies

private:
    std::optional<QByteArray> Execute(Port_Kind kind, quint8 code, quint32 seq, const QByteArray& payload);
    bool Protected(quint32 address, quint32 length) const;

    bool esp32_;
    bool boot_;
    bool session_ = false;
    bool protection_ = false;
    quint32 protection_address_ = 0;
    Memory memory_;
    QList<quint32> corrupt_;
    struct Kept {
        quint32 seq;
        QByteArray request;
        std::optional<QByteArray> reply;
    };
    QHash<Peer, std::deque<Kept>> kept_;
};

} // namespace Sim
