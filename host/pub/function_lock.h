#pragma once

#include <string>

#include "interfaces/cls_common.h"

namespace zel {

// The host's function lock (modes 1 / -1) and edit lock (2 / -2) of one function. Both live in
// the database session of the service that takes them, so a program that ends gives them back.
struct FunctionLockResult {
    enum class Outcome { Taken, Released, Refused, Unavailable };
    Outcome outcome = Outcome::Unavailable;
    std::string holder;  // who holds the lock, when refused
};

FunctionLockResult ApplyFunctionLock(IClsCommon& db, const std::string& function,
                                     const std::string& holder, short mode);

// Who takes a lock, as the refusal shown to another user names it: user, computer and process.
std::string FunctionLockHolder(const std::string& userId);

}  // namespace zel
