#include "test_support/Http_Stub.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

Http_Stub::Http_Stub(QByteArray response, int delay_ms)
    : response_(std::move(response)), delay_ms_(delay_ms) {
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listen_fd_, 4);
    socklen_t len = sizeof a;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

Http_Stub::~Http_Stub() {
    stop_ = true;
    thread_.join();
    ::close(listen_fd_);
}

QList<QByteArray> Http_Stub::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

QByteArray Http_Stub::Ok(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

void Http_Stub::Serve() {
    while (!stop_) {
        pollfd p{listen_fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept(listen_fd_, nullptr, nullptr);
        if (fd < 0)
            continue;
        QByteArray request;
        char buf[2048];
        while (!request.contains("\r\n\r\n")) {
            pollfd q{fd, POLLIN, 0};
            if (::poll(&q, 1, 2000) <= 0)
                break;
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            request.append(buf, n);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.append(request);
        }
        if (delay_ms_ > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms_));
        qsizetype sent = 0;
        while (sent < response_.size()) {
            const ssize_t n =
                ::send(fd, response_.constData() + sent, size_t(response_.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += n;
        }
        ::shutdown(fd, SHUT_WR);
        ::close(fd);
    }
}
