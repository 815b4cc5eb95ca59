#pragma once

#include <string>
#include <string_view>

namespace zel {

// Appends UTF-8 text as XML character data or attribute value: markup characters escaped, and
// the characters XML 1.0 does not allow anywhere (most control characters, U+FFFE, U+FFFF)
// dropped, since a single one makes the whole document unreadable.
void AppendXmlText(std::string& out, std::string_view text);

// Whether a reader would drop the text's leading or trailing white space unless told to keep it.
bool HasOuterWhiteSpace(std::string_view text);

// The bytes of the UTF-8 sequence that starts with lead.
std::size_t Utf8SequenceLength(char lead);

}  // namespace zel
