#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/login_context.h"
#include "interfaces/recordset.h"

namespace korvel {

// Reads a query's rows as they come (never all held at once), handing each to row; false when
// the query could not be run or its rows stopped coming, with failure set to the user's words.
bool StreamRows(const LoginContext& login, const std::string& sql,
                const std::function<void(const zel::IRecordset&)>& row, std::string& failure);

// A field of the current row as text; "" for Null.
std::string FieldText(const zel::IRecordset& rows, int index);

// Codes are keyed as the database compares them: without surrounding blanks and case.
std::string CodeKey(std::string_view code);

}  // namespace korvel
