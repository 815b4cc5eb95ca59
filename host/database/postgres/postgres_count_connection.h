#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

struct pg_cancel;

namespace zel {

class PostgresConnection;

// The one connection beside an account's connection that counts run on, kept for the next count.
// Counts run one at a time; a count started while another runs cancels that one, whose result
// nobody waits for any more.
class PostgresCountConnection {
public:
    explicit PostgresCountConnection(std::string conninfo) : conninfo_(std::move(conninfo)) {}
    PostgresCountConnection(const PostgresCountConnection&) = delete;
    PostgresCountConnection& operator=(const PostgresCountConnection&) = delete;

    // A new count's turn: the count still running is cancelled.
    unsigned Enter();
    // Cancels the count of that turn, running or waiting to run; a later turn is left alone.
    void Cancel(unsigned turn);
    // On the count's own thread: the first value of a query that gives one number; nullopt when
    // it failed or a later count took its turn.
    std::optional<long> Count(unsigned turn, const std::string& sql);

private:
    bool Connected();
    bool Start(unsigned turn);
    void CancelRunning();

    std::string conninfo_;
    std::mutex counting_;  // held by the count using the connection
    std::shared_ptr<PostgresConnection> connection_;
    std::mutex guard_;  // the turns and the cancel handle, between threads
    unsigned latest_ = 0;
    unsigned running_ = 0;
    // Shared with the thread that sends a cancel, which may still be on its way when the
    // connection is made again.
    std::shared_ptr<pg_cancel> cancel_;
};

}  // namespace zel
