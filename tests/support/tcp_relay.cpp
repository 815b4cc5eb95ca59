#include "support/tcp_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace zel::test {
namespace {

sockaddr_in Address(const std::string& host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, host.c_str(), &address.sin_addr);
    return address;
}

short EventsFor(const std::string& sending, const std::string& receiving) {
    return static_cast<short>((sending.empty() ? POLLIN : 0) | (receiving.empty() ? 0 : POLLOUT));
}

}  // namespace

TcpRelay::TcpRelay(const std::string& serverHost, int serverPort)
    : serverHost_(serverHost), serverPort_(serverPort) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Address("127.0.0.1", 0);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        pipe(wake_) != 0) {
        throw std::runtime_error("the relay cannot listen");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

TcpRelay::~TcpRelay() {
    Switch(Mode::Stopped);
    thread_.join();
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

void TcpRelay::Switch(Mode mode) {
    std::unique_lock lock(mutex_);
    asked_ = mode;
    const int ask = ++asks_;
    const char byte = 0;
    if (write(wake_[1], &byte, 1) != 1) {
        return;
    }
    switched_.wait(lock, [&] { return applied_ >= ask; });
}

bool TcpRelay::TakeMode() {
    std::lock_guard lock(mutex_);
    if (applied_ != asks_) {
        char bytes[16];
        [[maybe_unused]] const ssize_t drained = read(wake_[0], bytes, sizeof bytes);
        mode_ = asked_;
        if (mode_ == Mode::Cut || mode_ == Mode::Stopped) {
            CloseAll();
        }
        applied_ = asks_;
        switched_.notify_all();
    }
    return mode_ != Mode::Stopped;
}

void TcpRelay::Run() {
    while (TakeMode()) {
        std::vector<pollfd> watched{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        // A silent relay reads nothing: what either side sends waits in the sockets.
        if (mode_ == Mode::Passing) {
            for (const Link& link : links_) {
                watched.push_back({link.client, EventsFor(link.toServer, link.toClient), 0});
                watched.push_back({link.server, EventsFor(link.toClient, link.toServer), 0});
            }
        }
        if (poll(watched.data(), watched.size(), -1) <= 0) {
            continue;
        }
        for (std::size_t i = 2; i < watched.size(); i += 2) {
            Link& link = links_[(i - 2) / 2];
            if (!Serve(link, watched[i].revents, watched[i + 1].revents)) {
                close(link.client);
                close(link.server);
                link.client = -1;
            }
        }
        std::erase_if(links_, [](const Link& link) { return link.client < 0; });
        if (watched[1].revents != 0) {
            Accept();
        }
    }
}

void TcpRelay::Accept() {
    const int client = accept(listener_, nullptr, nullptr);
    if (client < 0) {
        return;
    }
    if (mode_ == Mode::Silent) {
        unanswered_.push_back(client);
        return;
    }
    const int server = mode_ == Mode::Passing ? ConnectToServer() : -1;
    if (server < 0) {
        close(client);
        return;
    }
    links_.push_back({client, server, {}, {}});
}

bool TcpRelay::Serve(Link& link, short clientEvents, short serverEvents) {
    const auto readable = [](short events) { return (events & (POLLIN | POLLHUP | POLLERR)) != 0; };
    return (!readable(clientEvents) || Receive(link.client, link.toServer)) &&
           (!readable(serverEvents) || Receive(link.server, link.toClient)) &&
           Deliver(link.server, link.toServer) && Deliver(link.client, link.toClient);
}

bool TcpRelay::Receive(int from, std::string& pending) {
    char buffer[65536];
    const ssize_t read = recv(from, buffer, sizeof buffer, MSG_DONTWAIT);
    if (read <= 0) {
        return read < 0 && errno == EAGAIN;
    }
    pending.append(buffer, static_cast<std::size_t>(read));
    return true;
}

bool TcpRelay::Deliver(int to, std::string& pending) {
    if (pending.empty()) {
        return true;
    }
    const ssize_t sent = send(to, pending.data(), pending.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (sent < 0) {
        return errno == EAGAIN;
    }
    pending.erase(0, static_cast<std::size_t>(sent));
    return true;
}

int TcpRelay::ConnectToServer() const {
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Address(serverHost_, serverPort_);
    if (server >= 0 &&
        connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(server);
        return -1;
    }
    return server;
}

void TcpRelay::CloseAll() {
    for (const Link& link : links_) {
        close(link.client);
        close(link.server);
    }
    links_.clear();
    for (const int client : unanswered_) {
        close(client);
    }
    unanswered_.clear();
}

}  // namespace zel::test
