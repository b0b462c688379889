// Request and reply over UDP with sequence numbers, adaptive time-outs and retries.
#pragma once

#include "update/Boot_Protocol.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QUdpSocket;

struct Link_Timing {
    int initial_timeout_ms = 250; // before the first measured round trip
    int min_timeout_ms = 10;
    int max_timeout_ms = 2000;
    int attempts = 10;
};

struct Link_Stats {
    int requests = 0;
    int retries = 0;
};

class Udp_Link {
public:
    explicit Udp_Link(const Link_Timing& timing);
    ~Udp_Link();
    bool Open(QString* error);

    // Sends the request and waits for its reply (at most `attempts` sends, or the
    // timing's attempts when 0). False with a message when none came.
    bool Exchange(quint32 address, quint16 port, quint8 code, const QByteArray& payload, UBoot::Packet& reply,
                  QString* error, int attempts = 0);

    const Link_Stats& stats() const { return stats_; }
    int Timeout_Ms() const;

private:
    void Sample(qint64 rtt_us);
    Link_Timing timing_;
    std::unique_ptr<QUdpSocket> socket_;
    quint32 next_seq_;
    double srtt_us_ = -1, rttvar_us_ = 0;
    Link_Stats stats_;
};
