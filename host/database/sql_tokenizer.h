#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zel {

struct SqlToken {
    enum class Kind {
        Word,         // keyword or plain name (letters, digits, _, @, #, $, non-ASCII bytes)
        Number,       // 12, 1.5, 1e3
        Text,         // 'literal' with '' inside
        QuotedName,   // "name" with "" inside
        BracketName,  // [name] with ]] inside
        Symbol,       // one operator or punctuation: = <> <= >= != || ( ) , . ; ...
        Space,        // blanks and line breaks
        Comment,      // -- to the end of the line, or /* ... */
    };
    Kind kind;
    std::string text;  // exactly as written, quotes included

    bool IsWord(std::string_view word) const;  // a Word equal to word, letter case ignored
    bool IsSymbol(std::string_view symbol) const { return kind == Kind::Symbol && text == symbol; }
    // Space and comments: what may lie between the tokens that carry meaning.
    bool IsGap() const { return kind == Kind::Space || kind == Kind::Comment; }
};

// Splits SQL text into tokens whose texts, joined, give the input back unchanged. Quoted texts
// and names are single tokens, so nothing that rewrites tokens can reach inside them; an
// unterminated quote runs to the end of the text.
class SqlTokenizer {
public:
    static std::vector<SqlToken> Tokenize(std::string_view sql);
    static std::string Join(const std::vector<SqlToken>& tokens);

    // A byte of a Word: letters, digits, _, @, #, $ and every byte of a non-ASCII character.
    static bool IsWordByte(unsigned char c);
    // The length of the quoted token that starts at `start` and closes with `close` (doubled
    // inside); an unterminated quote runs to the end of the text.
    static std::size_t QuotedLength(std::string_view sql, std::size_t start, char close);
};

}  // namespace zel
