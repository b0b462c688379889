#include "update/Icmp_Echo.h"

#include <QElapsedTimer>

#ifdef Q_OS_WIN
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on
#else
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <vector>

namespace UBoot {

#ifdef Q_OS_WIN

namespace {

class Windows_Echo_Client final : public Echo_Client {
public:
    ~Windows_Echo_Client() override {
        if (event_)
            CloseHandle(event_);
        if (icmp_ != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(icmp_);
    }
    bool Send_Request(quint32 address, int size, QString* reason) override {
        if (icmp_ == INVALID_HANDLE_VALUE) {
            icmp_ = IcmpCreateFile();
            event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
            if (icmp_ == INVALID_HANDLE_VALUE || !event_) {
                if (reason)
                    *reason = System_Text(GetLastError());
                return false;
            }
        }
        request_.assign(size_t(size), 'D');
        reply_.assign(sizeof(ICMP_ECHO_REPLY) + request_.size() + 8 + 64, 0);
        ResetEvent(event_);
        const DWORD r =
            IcmpSendEcho2(icmp_, event_, nullptr, nullptr, htonl(address), request_.data(),
                          WORD(request_.size()), nullptr, reply_.data(), DWORD(reply_.size()), 400);
        if (r == 0 && GetLastError() != ERROR_IO_PENDING) {
            if (reason)
                *reason = System_Text(GetLastError());
            return false;
        }
        return true;
    }
    int Wait_Reply(int max_ms) override {
        if (WaitForSingleObject(event_, DWORD(max_ms)) != WAIT_OBJECT_0)
            return 0;
        if (IcmpParseReplies(reply_.data(), DWORD(reply_.size())) == 0)
            return 0;
        const auto* r = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply_.data());
        return r->Status == IP_SUCCESS ? int(r->DataSize) + 8 : 0;
    }

private:
    static QString System_Text(DWORD code) {
        wchar_t* buf = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
        const QString s = buf ? QString::fromWCharArray(buf).trimmed() : QString::number(code);
        LocalFree(buf);
        return s;
    }
    HANDLE icmp_ = INVALID_HANDLE_VALUE;
    HANDLE event_ = nullptr;
    std::vector<char> request_;
    std::vector<char> reply_;
};

} // namespace

std::unique_ptr<Echo_Client> Make_System_Echo_Client() { return std::make_unique<Windows_Echo_Client>(); }

#else

namespace {

quint16 Icmp_Checksum(const unsigned char* p, size_t n) {
    quint32 sum = 0;
    for (size_t i = 0; i + 1 < n; i += 2)
        sum += quint32(p[i] << 8 | p[i + 1]);
    if (n & 1)
        sum += quint32(p[n - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

class Posix_Echo_Client final : public Echo_Client {
public:
    ~Posix_Echo_Client() override {
        if (fd_ >= 0)
            ::close(fd_);
    }

    bool Send_Request(quint32 address, int size, QString* reason) override {
        if (fd_ < 0 && !Open(reason))
            return false;
        target_ = address;
        ++seq_;
        replied_ = 0;
        std::vector<unsigned char> packet(8 + size_t(size));
        packet[0] = ICMP_ECHO;
        packet[1] = 0;
        packet[4] = quint8(id_ >> 8);
        packet[5] = quint8(id_);
        packet[6] = quint8(seq_ >> 8);
        packet[7] = quint8(seq_);
        for (size_t i = 8; i < packet.size(); ++i)
            packet[i] = quint8(i);
        const quint16 sum = Icmp_Checksum(packet.data(), packet.size());
        packet[2] = quint8(sum >> 8);
        packet[3] = quint8(sum);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(address);
        if (::sendto(fd_, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
            if (reason)
                *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        return true;
    }

    int Wait_Reply(int max_ms) override {
        QElapsedTimer t;
        t.start();
        while (replied_ == 0) {
            const int left = max_ms - int(t.elapsed());
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, left > 0 ? left : 0) <= 0)
                break;
            Read_One();
            if (left <= 0)
                break;
        }
        return replied_;
    }

private:
    bool Open(QString* reason) {
        // The datagram kind needs no privilege where the system allows it to the
        // user's group; the raw kind needs the right to open raw sockets.
        fd_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
        if (fd_ >= 0) {
            raw_ = false;
        } else {
            const int dgram_errno = errno;
            fd_ = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
            if (fd_ < 0) {
                if (reason)
                    *reason = QStringLiteral("ICMP datagram socket: %1; raw ICMP socket: %2")
                                  .arg(QString::fromLocal8Bit(std::strerror(dgram_errno)),
                                       QString::fromLocal8Bit(std::strerror(errno)));
                return false;
            }
            raw_ = true;
        }
        id_ = quint16(::getpid() ^ quintptr(this));
        return true;
    }

    void Read_One() {
        unsigned char buf[4096];
        sockaddr_in from{};
        socklen_t from_len = sizeof from;
        const ssize_t n =
            ::recvfrom(fd_, buf, sizeof buf, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &from_len);
        if (n <= 0 || ntohl(from.sin_addr.s_addr) != target_)
            return;
        const unsigned char* icmp = buf;
        ssize_t len = n;
        if (raw_) {
            // A raw socket sees every ICMP message of the host, with its IP header.
            const size_t ihl = size_t(buf[0] & 0x0F) * 4;
            if (len < ssize_t(ihl + 8))
                return;
            icmp += ihl;
            len -= ssize_t(ihl);
        }
        if (len < 8 || icmp[0] != ICMP_ECHOREPLY)
            return;
        const quint16 seq = quint16(icmp[6] << 8 | icmp[7]);
        const quint16 id = quint16(icmp[4] << 8 | icmp[5]);
        if (seq != seq_ || (raw_ && id != id_)) // the datagram kind has its id set by the system
            return;
        replied_ = int(len);
    }

    int fd_ = -1;
    bool raw_ = false;
    quint16 id_ = 0;
    quint16 seq_ = 0;
    quint32 target_ = 0;
    int replied_ = 0;
};

} // namespace

std::unique_ptr<Echo_Client> Make_System_Echo_Client() { return std::make_unique<Posix_Echo_Client>(); }

#endif

} // namespace UBoot
