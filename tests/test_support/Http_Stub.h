// A one-thread HTTP server on 127.0.0.1 for tests: answers each request with a
// fixed response (optionally after a delay) and keeps the requests it received.
#pragma once

#include <QByteArray>
#include <QList>

#include <atomic>
#include <mutex>
#include <thread>

class Http_Stub {
public:
    // `response` is sent as is (status line, headers and body).
    explicit Http_Stub(QByteArray response, int delay_ms = 0);
    ~Http_Stub();
    int port() const { return port_; }
    QList<QByteArray> requests() const;
    // A response with status 200 and `body`.
    static QByteArray Ok(const QByteArray& body);

private:
    void Serve();
    QByteArray response_;
    int delay_ms_;
    int listen_fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    QList<QByteArray> requests_;
    std::thread thread_;
};
