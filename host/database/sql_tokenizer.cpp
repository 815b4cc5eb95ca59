#include "host/database/sql_tokenizer.h"

#include <algorithm>

#include "host/objects/host_text.h"

namespace zel {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

std::size_t NumberLength(std::string_view sql, std::size_t start) {
    std::size_t i = start;
    while (i < sql.size() && IsDigit(sql[i])) {
        ++i;
    }
    if (i + 1 < sql.size() && sql[i] == '.' && IsDigit(sql[i + 1])) {
        ++i;
        while (i < sql.size() && IsDigit(sql[i])) {
            ++i;
        }
    }
    if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-')) {
            ++j;
        }
        if (j < sql.size() && IsDigit(sql[j])) {
            i = j;
            while (i < sql.size() && IsDigit(sql[i])) {
                ++i;
            }
        }
    }
    return i - start;
}

std::size_t SymbolLength(std::string_view sql, std::size_t start) {
    static constexpr std::string_view kPairs[] = {"<>", "<=", ">=", "!=", "||", "=="};
    const std::string_view rest = sql.substr(start, 2);
    for (const auto pair : kPairs) {
        if (rest == pair) {
            return 2;
        }
    }
    return 1;
}

SqlToken Next(std::string_view sql, std::size_t start) {
    using Kind = SqlToken::Kind;
    const char c = sql[start];
    const std::string_view rest = sql.substr(start);
    auto take = [&](Kind kind, std::size_t length) {
        return SqlToken{kind, std::string(sql.substr(start, length))};
    };
    if (IsSpace(c)) {
        std::size_t i = start;
        while (i < sql.size() && IsSpace(sql[i])) {
            ++i;
        }
        return take(Kind::Space, i - start);
    }
    if (rest.starts_with("--")) {
        const auto end = rest.find('\n');
        return take(Kind::Comment, end == std::string_view::npos ? rest.size() : end);
    }
    if (rest.starts_with("/*")) {
        const auto end = rest.find("*/", 2);
        return take(Kind::Comment, end == std::string_view::npos ? rest.size() : end + 2);
    }
    switch (c) {
        case '\'':
            return take(Kind::Text, SqlTokenizer::QuotedLength(sql, start, '\''));
        case '"':
            return take(Kind::QuotedName, SqlTokenizer::QuotedLength(sql, start, '"'));
        case '[':
            return take(Kind::BracketName, SqlTokenizer::QuotedLength(sql, start, ']'));
        default:
            break;
    }
    if (IsDigit(c)) {
        return take(Kind::Number, NumberLength(sql, start));
    }
    if (SqlTokenizer::IsWordByte(static_cast<unsigned char>(c))) {
        std::size_t i = start;
        while (i < sql.size() && SqlTokenizer::IsWordByte(static_cast<unsigned char>(sql[i]))) {
            ++i;
        }
        return take(Kind::Word, i - start);
    }
    return take(Kind::Symbol, SymbolLength(sql, start));
}

}  // namespace

bool SqlTokenizer::IsWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '@' || c == '#' || c == '$' || c >= 0x80;
}

std::size_t SqlTokenizer::QuotedLength(std::string_view sql, std::size_t start, char close) {
    std::size_t i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1 - start;
        }
        ++i;
    }
    return sql.size() - start;
}

bool SqlToken::IsWord(std::string_view word) const {
    return kind == Kind::Word && text.size() == word.size() &&
           std::equal(text.begin(), text.end(), word.begin(),
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

std::vector<SqlToken> SqlTokenizer::Tokenize(std::string_view sql) {
    std::vector<SqlToken> tokens;
    // About one token in four bytes of ordinary SQL: the vector rarely has to grow.
    tokens.reserve(sql.size() / 4 + 4);
    std::size_t position = 0;
    while (position < sql.size()) {
        tokens.push_back(Next(sql, position));
        position += tokens.back().text.size();
    }
    return tokens;
}

std::string SqlTokenizer::Join(const std::vector<SqlToken>& tokens) {
    std::string sql;
    for (const auto& token : tokens) {
        sql += token.text;
    }
    return sql;
}

}  // namespace zel
