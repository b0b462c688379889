// ICMP echo requests for the update window's presence check. The system client
// uses the operating system: on Linux an unprivileged ICMP datagram socket, with a
// raw socket as fallback; on Windows the ICMP API.
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace UBoot {

class Echo_Client {
public:
    virtual ~Echo_Client() = default;
    // Sends one echo request with `size` data bytes to `address` (first byte most
    // significant). False with the system's reason when it cannot be sent, for
    // example when the system allows no ICMP socket.
    virtual bool Send_Request(quint32 address, int size, QString* reason) = 0;
    // Waits at most `max_ms` for the reply to the last request: the reply's size in
    // bytes, 0 when none has arrived (yet).
    virtual int Wait_Reply(int max_ms) = 0;
};

// The operating system's client.
std::unique_ptr<Echo_Client> Make_System_Echo_Client();

using Echo_Client_Factory = std::function<std::unique_ptr<Echo_Client>()>;

} // namespace UBoot
