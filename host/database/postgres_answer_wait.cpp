#include "host/database/postgres_answer_wait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
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

void CancelInBackground(PGconn* connection) {
    PGcancel* cancel = PQgetCancel(connection);
    if (cancel == nullptr) {
        return;
    }
    std::thread([cancel] {
        char error[256];
        PQcancel(cancel, error, sizeof error);
        PQfreeCancel(cancel);
    }).detach();
}

}  // namespace zel
