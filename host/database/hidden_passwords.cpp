#include "host/database/hidden_passwords.h"

#include <regex>

namespace zel {

std::string HiddenPasswords(const std::string& text) {
    // A keyword's value is a word, or quoted with \' and \\ inside it as libpq reads them; a
    // URI's ends at the next parameter.
    static const std::regex keyword(R"((password\s*=\s*)('(\\.|[^'\\])*'?|[^\s&']*))",
                                    std::regex::icase);
    static const std::regex userInfo(R"((://[^:/@\s]*:)[^@\s]*@)");
    return std::regex_replace(std::regex_replace(text, keyword, "$1***"), userInfo, "$1***@");
}

}  // namespace zel
