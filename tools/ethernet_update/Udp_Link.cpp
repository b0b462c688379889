#include "tools/ethernet_update/Udp_Link.h"

#include "common/Ip_Address.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QUdpSocket>

#include <algorithm>
#include <cmath>

using namespace UBoot;

Udp_Link::Udp_Link(const Link_Timing& timing)
    : timing_(timing), next_seq_(QRandomGenerator::global()->generate()) {}

Udp_Link::~Udp_Link() = default;

bool Udp_Link::Open(QString* error) {
    socket_ = std::make_unique<QUdpSocket>();
    if (!socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        if (error)
            *error = QStringLiteral("no UDP socket: %1").arg(socket_->errorString());
        return false;
    }
    return true;
}

int Udp_Link::Timeout_Ms() const {
    if (srtt_us_ < 0)
        return timing_.initial_timeout_ms;
    const double rto_ms = (srtt_us_ + std::max(1000.0, 4 * rttvar_us_)) / 1000.0;
    return std::clamp(int(std::ceil(rto_ms)), timing_.min_timeout_ms, timing_.max_timeout_ms);
}

void Udp_Link::Sample(qint64 rtt_us) {
    const double r = double(rtt_us);
    if (srtt_us_ < 0) {
        srtt_us_ = r;
        rttvar_us_ = r / 2;
    } else {
        rttvar_us_ = 0.75 * rttvar_us_ + 0.25 * std::abs(srtt_us_ - r);
        srtt_us_ = 0.875 * srtt_us_ + 0.125 * r;
    }
}

bool Udp_Link::Exchange(quint32 address, quint16 port, quint8 code, const QByteArray& payload, Packet& reply,
                        QString* error, int attempts) {
    if (attempts <= 0)
        attempts = timing_.attempts;
    Packet request;
    request.code = code;
    request.seq = next_seq_++;
    request.payload = payload;
    const QByteArray datagram = Encode_Packet(request);
    const QHostAddress to(address);
    ++stats_.requests;
    int timeout = Timeout_Ms();
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (attempt > 1)
            ++stats_.retries;
        QElapsedTimer t;
        t.start();
        socket_->writeDatagram(datagram, to, port);
        for (;;) {
            const qint64 left = timeout - t.elapsed();
            if (!socket_->hasPendingDatagrams() && (left <= 0 || !socket_->waitForReadyRead(int(left))))
                break;
            while (socket_->hasPendingDatagrams()) {
                const QNetworkDatagram d = socket_->receiveDatagram();
                Packet p;
                if (d.senderAddress().toIPv4Address() != address || d.senderPort() != port ||
                    !Decode_Packet(d.data(), p) || p.seq != request.seq || p.code != (code | Reply_Flag))
                    continue;     // a late reply to an earlier request, or not ours
                if (attempt == 1) // only the first send gives a clear round trip
                    Sample(t.nsecsElapsed() / 1000);
                reply = p;
                return true;
            }
        }
        timeout = std::min(timeout * 2, timing_.max_timeout_ms);
    }
    if (error)
        *error = QStringLiteral("the converter at %1 does not answer on port %2 (%3, %4 attempts)")
                     .arg(UComon::IP_Address_Text(address))
                     .arg(port)
                     .arg(QLatin1String(Command_Name(code)))
                     .arg(attempts);
    return false;
}
