#pragma once

#include <string>

namespace zel {

// What keeps an account file from being opened, in the user's words: the file, the step that
// cannot be taken and what to do. Empty when nothing does.
struct AccountFileProblem {
    std::string message;
    // For a log or a script's standard error.
    std::string detail;

    bool Found() const { return !message.empty(); }
};

// Looks at the file before the engine opens it, without writing anything: a missing file, one that
// is not a SQLite database or has none of an account's tables, one a newer program made, and one
// that cannot be written where the program must write (the upgrade, the journal and the locks
// beside the file). A file that is not an account is never made into one.
AccountFileProblem CheckAccountFile(const std::string& path);

// After the engine failed to open a file that passed CheckAccountFile: another program holding
// the file past the wait, or the upgrade refused with its reason. Empty when the failure is
// neither.
AccountFileProblem ExplainAccountFileFailure(const std::string& path, bool schemaRefused,
                                             const std::string& engineReason);

}  // namespace zel
