#pragma once

#include <libpq-fe.h>

#include <chrono>

namespace zel {

// Reads what the server sends until a result can be taken without blocking. False when the
// server stayed silent for longer than silence (0: waits for as long as it takes); a connection
// that broke meanwhile is ready, with its failure as the next result.
bool AwaitAnswer(PGconn* connection, std::chrono::milliseconds silence);

// Asks the server to end the connection's current statement, and waits up to wait for the
// request to be taken. The request is a connection of its own that waits for the server to close
// it, so it goes from a thread of its own: a server that does not answer must not hold the
// caller for longer. Taken, it ends the statement it was meant for; one still travelling when
// the caller goes on could end the next, so a caller that goes on with the connection waits.
void CancelStatement(PGconn* connection, std::chrono::milliseconds wait);

}  // namespace zel
