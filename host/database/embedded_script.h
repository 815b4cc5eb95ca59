#pragma once

#include <string>

namespace zel {

// The text of one of the host's embedded SQL scripts (":/host/schema/sqlite.sql"); false with
// the reason in error when the program carries no such script.
bool ReadEmbeddedScript(const char* name, std::string& text, std::string& error);

}  // namespace zel
