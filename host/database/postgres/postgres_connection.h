#pragma once

#include <libpq-fe.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/database/column_catalogue.h"
#include "host/database/postgres/postgres_connect.h"
#include "host/database/postgres/pq_result.h"
#include "host/database/sql_backend.h"

namespace zel {

class PostgresStatement;

// One libpq connection, shared by the backend and the statements it handed out, so that a
// statement stays usable after its backend object is gone.
//
// A statement streams its rows one by one as the server sends them, which keeps the connection
// busy until its last row is read. Before anything else is sent, the statement still streaming
// takes the rest of its rows into memory: several results can be read side by side, as on SQLite,
// and only the one overtaken pays for it.
//
// Every wait for the server ends within the connection's limits (see ConnectWithinLimits): a
// server silent for longer is given up, and the connection with it. A connection lost either way
// stays lost: every later statement fails at once, with the reason it was lost.
class PostgresConnection {
public:
    // nullptr with the server's reason when the connection cannot be made; the reason never
    // holds a password.
    static std::shared_ptr<PostgresConnection> Open(
        const std::string& conninfo, std::string& error,
        ReadingPattern reading = ReadingPattern::kBrowsing);
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;
    ~PostgresConnection();

    // nullptr once the connection was given up.
    PGconn* Handle() const { return connection_; }
    bool Lost() const { return connection_ == nullptr || PQstatus(connection_) == CONNECTION_BAD; }
    const std::string& Conninfo() const { return conninfo_; }
    // How the program reads its lists: the session was set up for it.
    ReadingPattern Reading() const { return reading_; }
    // The schema's column a result column is read from (PQftable, PQftablecol); nullptr for an
    // expression or a table the schema does not describe.
    const ColumnCatalogue::Column* Origin(Oid table, int column) const;
    // Learns the tables' columns again, after a script changed them.
    void ReadOrigins();

    // Called before sending: the statement still streaming reads its rows to the end first.
    void MakeReady(const PostgresStatement* sender);
    void StartStreaming(PostgresStatement* statement) { streaming_ = statement; }
    // Called once a statement has read the end of its results.
    void StopStreaming(const PostgresStatement* statement);

    // The next result of what was sent; nullptr at the end of them, or when the server stayed
    // silent beyond the limit (the connection is then given up, and Lost()).
    PqResult NextResult();
    // The last result of what was just sent (sent: whether the sending worked), the failure if
    // one came; nullptr with the failure noted when nothing could be sent or no answer came.
    PqResult AnswerTo(bool sent);
    // Asks the server to end the statement still sending its rows, waiting for that no longer
    // than connecting may take.
    void CancelStatement();

    // Sends a statement with its values ($1 … in order; nullptr for null) and leaves its results
    // to be read one row at a time. False with the failure noted.
    bool Send(const std::string& sql, const std::vector<const char*>& values);

    // A transaction opened here reaches the server with the next statement sent, in the same
    // round trip: a save's begin costs no wait of its own. Nothing a transaction protects can
    // happen on this connection before that statement, so it begins in time.
    void BeginWithNextStatement() {
        beginWaits_ = true;
        carriedCommit_ = CarriedCommit::kNone;
    }
    // The transaction's last statement takes its commit along, in the same round trip. When the
    // statement fails the server skips the commit, and the rollback that follows is sent.
    void CommitWithNextStatement() { commitWaits_ = true; }
    enum class TransactionEnd { kCommit, kRollback };
    // A transaction no statement ran in has nothing to end, one whose commit went with its last
    // statement ended with it.
    bool EndTransaction(TransactionEnd end);

    // What the last statement told: rows it changed, or why it failed.
    void NoteChanges(long rows) { changes_ = rows; }
    void NoteFailure(const PGresult* result);
    void NoteFailure(std::string message);
    long Changes() const { return changes_; }
    const std::string& LastError() const { return lastError_; }
    SchemaRefusal LastRefusal() const { return refusal_; }
    // The constraint, table or column the last refusal names, as the schema spells it.
    const std::string& RefusedSubject() const { return refusedSubject_; }
    void ClearFailure();

    // Runs a statement without parameters or rows (begin, commit, a script); false with the
    // failure noted.
    bool Run(const std::string& sql);
    // Runs a command of the connection's own between the caller's statements (closing a cursor):
    // a transaction the caller opened and has not sent yet is not begun for it, and the failure
    // of the caller's last statement stays the one noted.
    bool RunAside(const char* command);
    // Sends a statement of the connection's own without parameters, its rows to be read one at a
    // time, as Send does; a transaction waiting to begin or to commit is left to the caller's
    // next statement.
    bool SendAside(const std::string& sql);
    // Whether a transaction is open, or opened and to begin with the next statement.
    bool InTransaction() const;
    // Whether the next statement takes its transaction's commit along.
    bool CommitWaits() const { return commitWaits_; }

private:
    // Texts beyond this many are sent unnamed: they are the one-off ones.
    static constexpr std::size_t kMostPrepared = 256;

    struct Prepared {
        int uses = 0;
        std::string name;
    };
    // How a statement goes to the server: under the name it is prepared with on the text's second
    // use, so that a statement run again and again (a save's look-ups, a batch's inserts) is
    // parsed and planned once; or unnamed. The preparing travels with the run, so that it costs
    // no round trip of its own.
    struct Sending {
        const std::string* name = nullptr;
        bool prepareFirst = false;
    };
    Sending HowToSend(const std::string& sql);
    // A name the server did not take is made again, under another name, at the next use.
    void ForgetName(const std::string& sql);

    PostgresConnection(PGconn* connection, std::string conninfo, PostgresLimits limits,
                       ReadingPattern reading);

    // Gives a silent server up: its statement is cancelled and the connection closed.
    void GiveUp();

    // How the commit sent with a transaction's last statement ended.
    enum class CarriedCommit { kNone, kAwaited, kCommitted, kSkipped, kRolledBack };

    bool SendCommand(const char* command);
    bool SendCommitBehind();
    // Reads the answer of a command sent ahead of the statement; on a refusal, which made the
    // server skip the rest, notes it and ends the pipeline.
    bool ReadAhead();
    bool FailSending();
    // Reads the results still due up to the pipeline's end, and leaves pipeline mode.
    void EndPipeline();
    void NoteCarriedCommit(const PGresult* result);

    PGconn* connection_;
    std::string conninfo_;
    PostgresLimits limits_;
    ReadingPattern reading_;
    std::map<std::pair<Oid, int>, const ColumnCatalogue::Column*> origins_;
    PostgresStatement* streaming_ = nullptr;
    bool beginWaits_ = false;
    bool commitWaits_ = false;
    CarriedCommit carriedCommit_ = CarriedCommit::kNone;
    long changes_ = 0;
    std::string lastError_;
    SchemaRefusal refusal_ = SchemaRefusal::None;
    std::string refusedSubject_;
    std::unordered_map<std::string, Prepared> prepared_;
    int preparedNames_ = 0;
};

}  // namespace zel
