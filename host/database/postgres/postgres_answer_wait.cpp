#include "host/database/postgres/postgres_answer_wait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <future>
#include <memory>
#include <thread>

namespace zel {

bool AwaitAnswer(PGconn* connection, std::chrono::milliseconds silence) {
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + silence;
    while (PQisBusy(connection) == 1) {
        pollfd socket{PQsocket(connection), POLLIN, 0};
        if (socket.fd < 0) {
            return true;
        }
        int timeout = -1;
        if (silence.count() > 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        const int ready = poll(&socket, 1, timeout);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready == 0) {
            return false;
        }
        if (ready < 0 || PQconsumeInput(connection) == 0) {
            return true;
        }
        deadline = Clock::now() + silence;
    }
    return true;
}

void CancelStatement(PGconn* connection, std::chrono::milliseconds wait) {
    PGcancel* cancel = PQgetCancel(connection);
    if (cancel == nullptr) {
        return;
    }
    auto taken = std::make_shared<std::promise<void>>();
    const std::future<void> sent = taken->get_future();
    std::thread([cancel, taken] {
        char error[256];
        PQcancel(cancel, error, sizeof error);
        PQfreeCancel(cancel);
        taken->set_value();
    }).detach();
    sent.wait_for(wait);
}

}  // namespace zel
