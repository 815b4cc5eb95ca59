#pragma once

#include <memory>
#include <string>

#include "core/login_context.h"
#include "interfaces/recordset.h"

namespace korvel {

// Tells the user that the database service could not do what was asked, with the service's own
// reason (LastError: a lost connection names the account). Called where a call returned nullptr
// or false, or where a result's rows stopped coming.
void TellDatabaseFailure(const LoginContext& login);

// Where a failure may be the user's own (a condition the database rejects) or the database's:
// tells the user, as TellDatabaseFailure, and returns true when the connection is lost.
bool TellIfDisconnected(const LoginContext& login);

// The rows of the query; nullptr, after the user was told why, when the service could not run it.
// A window keeps what it shows rather than show an empty list as if nothing matched.
std::shared_ptr<zel::IRecordset> OpenOrTell(const LoginContext& login, const std::string& sql);

// Whether the rows read from the result were all it had: a result that failed while it was read
// is closed (IsOpen false) when its rows end. The user is told why when they were not.
bool ReadWholeOrTell(const LoginContext& login, const zel::IRecordset& rows);

}  // namespace korvel
