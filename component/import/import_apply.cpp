#include "import/import_apply.h"

#include <charconv>
#include <chrono>
#include <ctime>

#include "core/change_step.h"
#include "core/correspondence_fields.h"
#include "core/form_key.h"
#include "core/host_lock.h"
#include "core/login_context.h"
#include "core/text_escaping.h"
#include "core/transaction.h"
#include "import/import_apply_statements.h"

namespace korvel {
namespace {

using Rows = std::vector<const ImportRowOutcome*>;

// Rows per statement: the statement's text stays well within what both engines parse quickly.
constexpr std::size_t kChunkRows = 500;

std::string Now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[20];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// A decimal number as the preview hands it: a cast of anything else gives 0 on a file.
bool IsNumber(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && text.find_first_of("eEinfaINFA") == text.npos;
}

// Why the all-or-nothing import wrote nothing, naming the row.
std::string RowFailure(zel::IPub& pub, const ImportRowOutcome& row, const std::string& reason) {
    return pub.GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.row_failed",
        {std::to_string(row.sourceRow), row.warehouseCode, row.inventoryCode, reason});
}

// What one chunk's rows are found to be, by the state query.
struct RowState {
    bool there = false;
    bool writable = false;
    bool before = false;
    bool after = false;
};

class ImportWriter {
public:
    ImportWriter(const LoginContext& login, ImportApplyMode mode, ImportApplyResult& result)
        : login_(login),
          db_(*login.db),
          pub_(*login.pub),
          mode_(mode),
          result_(result),
          user_(login.login->cUserId()),
          now_(Now()) {}

    // False when the import is to stop: a failure in all-or-nothing, or the database failing.
    bool Write(const Rows& rows, bool adding) {
        std::vector<RowState> states;
        if (!ReadStates(rows, states)) {
            return false;
        }
        Rows accepted;
        for (std::size_t n = 0; n < rows.size(); ++n) {
            const std::string reason = Refusal(states[n], adding);
            if (reason.empty()) {
                accepted.push_back(rows[n]);
            } else if (!Refuse(*rows[n], reason)) {
                return false;
            }
        }
        if (accepted.empty()) {
            return true;
        }
        const std::string sql = adding ? ImportApplyStatements::Insert(accepted, user_, now_)
                                       : ImportApplyStatements::Update(accepted, user_, now_);
        if (!db_.ExecuteX(sql)) {
            // One row spoilt the statement, which took back only itself: find it row by row.
            if (accepted.size() > 1) {
                for (const ImportRowOutcome* row : accepted) {
                    if (!Write({row}, adding)) {
                        return false;
                    }
                }
                return true;
            }
            return Refuse(*accepted.front(), db_.LastError());
        }
        return Verify(accepted, adding);
    }

    // The one entry every written row joined: the latest of the row written last.
    bool ReadHistoryEntry() {
        if (lastWritten_ == nullptr) {
            return true;
        }
        const auto entry = db_.OpenX("select max(iChange) from whinv_change_value where cWhCode=" +
                                     SqlQuoted(lastWritten_->warehouseCode) +
                                     " and cInvCode=" + SqlQuoted(lastWritten_->inventoryCode));
        if (!entry || entry->Eof()) {
            return Fail(db_.LastError());
        }
        result_.historyEntries.push_back(std::stoll(entry->Fields(0)->ToString()));
        return true;
    }

    // The failure of the database itself, not of a row.
    bool Fail(const std::string& reason) {
        result_.error =
            pub_.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.failed", {reason});
        return false;
    }

private:
    bool ReadStates(const Rows& rows, std::vector<RowState>& states) {
        const auto found = db_.OpenX(ImportApplyStatements::StateQuery(rows, login_));
        if (!found) {
            return Fail(db_.LastError());
        }
        states.assign(rows.size(), RowState{});
        for (; !found->Eof(); found->MoveNext()) {
            const auto flag = [&](int column) { return found->Fields(column)->ToString() == "1"; };
            const auto n = static_cast<std::size_t>(std::stoul(found->Fields(0)->ToString()));
            states.at(n) = {flag(1), flag(2), flag(3), flag(4)};
        }
        return true;
    }

    std::string Refusal(const RowState& state, bool adding) {
        const char* key = nullptr;
        if (adding && state.there) {
            key = "added_since";
        } else if (!adding && !state.there) {
            key = "deleted_since";
        } else if (!adding && !state.before) {
            key = "changed_since";
        } else if (!state.writable) {
            key = "no_right";
        }
        return key ? Text(key) : std::string();
    }

    // Rows the statement passed over without an error: a server's row policy, or another user's
    // change in between.
    bool Verify(const Rows& rows, bool adding) {
        std::vector<RowState> states;
        if (!ReadStates(rows, states)) {
            return false;
        }
        for (std::size_t n = 0; n < rows.size(); ++n) {
            if (!states[n].there || !states[n].after) {
                if (!Refuse(*rows[n], Text("not_written"))) {
                    return false;
                }
                continue;
            }
            ++(adding ? result_.added : result_.changed);
            lastWritten_ = rows[n];
        }
        return true;
    }

    bool Refuse(const ImportRowOutcome& row, const std::string& reason) {
        result_.refused.push_back({row.sourceRow, row.warehouseCode, row.inventoryCode, reason});
        if (mode_ == ImportApplyMode::kValidRowsOnly) {
            return true;
        }
        result_.error = RowFailure(pub_, row, reason);
        return false;
    }

    std::string Text(const char* key) {
        return pub_.GetResString(std::string("Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.") + key);
    }

    const LoginContext& login_;
    zel::IClsCommon& db_;
    zel::IPub& pub_;
    ImportApplyMode mode_;
    ImportApplyResult& result_;
    std::string user_;
    std::string now_;
    const ImportRowOutcome* lastWritten_ = nullptr;
};

// A number field whose text is no number; nullptr when every one is.
const ImportFieldValue* NotANumber(const ImportRowOutcome& row) {
    for (const ImportFieldValue& value : row.fields) {
        if (value.field && HoldsNumber(*value.field) && !value.after.empty() &&
            !IsNumber(value.after)) {
            return &value;
        }
    }
    return nullptr;
}

// The rows to write, added ones first: the history's step then holds one entry of each kind.
bool Sort(zel::IPub& pub, const std::vector<ImportRowOutcome>& outcomes, ImportApplyMode mode,
          Rows& added, Rows& changed, ImportApplyResult& result) {
    for (const ImportRowOutcome& row : outcomes) {
        if (row.verdict != ImportVerdict::kNew && row.verdict != ImportVerdict::kChanged) {
            continue;
        }
        if (const ImportFieldValue* wrong = NotANumber(row)) {
            const std::string reason =
                pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.not_a_number",
                                       {std::string(wrong->field->column), wrong->after});
            result.refused.push_back({row.sourceRow, row.warehouseCode, row.inventoryCode, reason});
            if (mode == ImportApplyMode::kAllOrNothing) {
                result.error = RowFailure(pub, row, reason);
                return false;
            }
            continue;
        }
        (row.verdict == ImportVerdict::kNew ? added : changed).push_back(&row);
    }
    return true;
}

ImportApplyEnd WriteInChunks(ImportWriter& writer, const Rows& added, const Rows& changed,
                             const ImportApplyCallbacks& callbacks) {
    const std::size_t total = added.size() + changed.size();
    std::size_t done = 0;
    for (const Rows* rows : {&added, &changed}) {
        for (std::size_t first = 0; first < rows->size(); first += kChunkRows) {
            if (callbacks.cancelRequested && callbacks.cancelRequested()) {
                return ImportApplyEnd::kCancelled;
            }
            const std::size_t count = std::min(kChunkRows, rows->size() - first);
            const Rows chunk(rows->begin() + static_cast<std::ptrdiff_t>(first),
                             rows->begin() + static_cast<std::ptrdiff_t>(first + count));
            if (!writer.Write(chunk, rows == &added)) {
                return ImportApplyEnd::kFailed;
            }
            done += count;
            if (callbacks.progress) {
                callbacks.progress(done, total);
            }
        }
    }
    return ImportApplyEnd::kApplied;
}

}  // namespace

ImportApplyResult ApplyImport(const LoginContext& login,
                              const std::vector<ImportRowOutcome>& outcomes, ImportApplyMode mode,
                              const ImportApplyCallbacks& callbacks) {
    ImportApplyResult result;
    if (!login.db || !login.pub || !login.login) {
        return result;
    }
    zel::IPub& pub = *login.pub;
    Rows added;
    Rows changed;
    if (!Sort(pub, outcomes, mode, added, changed, result)) {
        return result;
    }
    // The other changing windows wait meanwhile, so that the rows judged are the rows written.
    const auto lock = HostLock::Take(login.pub, login.db, login.login, kFormKey, zel::kLockEdit);
    if (!lock) {
        result.error = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.IMPORT_APPLY.locked");
        return result;
    }
    ImportWriter writer(login, mode, result);
    const ImportStep step(*login.db);
    Transaction transaction(*login.db);
    if (!transaction.Open()) {
        writer.Fail(login.db->LastError());
        return result;
    }
    result.end = WriteInChunks(writer, added, changed, callbacks);
    if (result.end == ImportApplyEnd::kApplied && !writer.ReadHistoryEntry()) {
        result.end = ImportApplyEnd::kFailed;
    }
    if (result.end == ImportApplyEnd::kApplied && !transaction.Commit()) {
        result.end = ImportApplyEnd::kFailed;
        writer.Fail(login.db->LastError());
    }
    if (result.end != ImportApplyEnd::kApplied) {
        result.added = 0;
        result.changed = 0;
        result.historyEntries.clear();
    }
    return result;
}

}  // namespace korvel
