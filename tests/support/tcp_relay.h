#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zel::test {

// A TCP relay on 127.0.0.1 between a client and a server, which a test can cut or silence to
// play a server that went away or froze, and restore:
//
//   TcpRelay relay("127.0.0.1", 55432);
//   backend.Open(conninfo + " host=127.0.0.1 port=" + std::to_string(relay.Port()));
//   relay.Cut();      // every open connection dropped, new ones refused
//   relay.Silence();  // connections stay open, nothing passes; new ones accepted, never answered
//   relay.Pass();     // new connections reach the server again
//
// A change has taken effect when its call returns.
class TcpRelay {
public:
    TcpRelay(const std::string& serverHost, int serverPort);
    TcpRelay(const TcpRelay&) = delete;
    TcpRelay& operator=(const TcpRelay&) = delete;
    ~TcpRelay();

    int Port() const { return port_; }

    void Pass() { Switch(Mode::Passing); }
    void Cut() { Switch(Mode::Cut); }
    void Silence() { Switch(Mode::Silent); }

private:
    enum class Mode { Passing, Cut, Silent, Stopped };
    // Bytes read from one side wait here until the other side takes them, so that a client that
    // stops reading never blocks the relay.
    struct Link {
        int client;
        int server;
        std::string toClient;
        std::string toServer;
    };

    void Switch(Mode mode);
    void Run();
    // Applies the mode asked for, under the lock; false once stopped.
    bool TakeMode();
    void Accept();
    // Reads what one side sent, to pass it on; false when it closed.
    static bool Receive(int from, std::string& pending);
    // Passes on what the other side can take now; false when it closed.
    static bool Deliver(int to, std::string& pending);
    // Serves a link's events; false when it closed.
    static bool Serve(Link& link, short clientEvents, short serverEvents);
    int ConnectToServer() const;
    void CloseAll();

    std::string serverHost_;
    int serverPort_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};
    Mode mode_ = Mode::Passing;
    std::vector<Link> links_;
    std::vector<int> unanswered_;

    std::mutex mutex_;
    std::condition_variable switched_;
    Mode asked_ = Mode::Passing;
    int asks_ = 0;
    int applied_ = 0;
    std::thread thread_;
};

}  // namespace zel::test
