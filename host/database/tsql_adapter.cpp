#include "host/database/tsql_adapter.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "host/database/sql_tokenizer.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

using Tokens = std::vector<SqlToken>;
using Kind = SqlToken::Kind;

std::size_t NextMeaningful(const Tokens& tokens, std::size_t index) {
    ++index;
    while (index < tokens.size() && tokens[index].IsGap()) {
        ++index;
    }
    return index;
}

std::size_t FirstMeaningful(const Tokens& tokens) {
    std::size_t index = 0;
    while (index < tokens.size() && tokens[index].IsGap()) {
        ++index;
    }
    return index;
}

bool IsSymbolAt(const Tokens& tokens, std::size_t index, std::string_view symbol) {
    return index < tokens.size() && tokens[index].IsSymbol(symbol);
}

bool IsWordAt(const Tokens& tokens, std::size_t index, std::string_view word) {
    return index < tokens.size() && tokens[index].IsWord(word);
}

bool IsNameAt(const Tokens& tokens, std::size_t index) {
    return index < tokens.size() &&
           (tokens[index].kind == Kind::Word || tokens[index].kind == Kind::QuotedName);
}

// The name a Word or "quoted" token stands for, letter case folded for comparison.
std::string NameKey(const SqlToken& token) {
    std::string name = token.text;
    if (token.kind == Kind::QuotedName && name.size() >= 2) {
        name = name.substr(1, name.size() - 2);
    }
    return AsciiLower(name);
}

std::string JoinRange(const Tokens& tokens, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i < last && i < tokens.size(); ++i) {
        text += tokens[i].text;
    }
    return text;
}

// [a]]b] → "a]b"
void QuoteBracketNames(Tokens& tokens) {
    for (auto& token : tokens) {
        if (token.kind != Kind::BracketName) {
            continue;
        }
        const bool closed = token.text.size() >= 2 && token.text.back() == ']';
        if (!closed) {
            continue;  // left for the engine to refuse
        }
        std::string quoted = "\"";
        const std::string_view inner(token.text.data() + 1, token.text.size() - 2);
        for (std::size_t i = 0; i < inner.size(); ++i) {
            if (inner[i] == ']' && i + 1 < inner.size() && inner[i + 1] == ']') {
                ++i;
            }
            quoted += inner[i] == '"' ? "\"\"" : std::string(1, inner[i]);
        }
        token = {Kind::QuotedName, quoted + "\""};
    }
}

// Index just past the select that starts at `from`: its closing parenthesis, the ';' that ends
// the statement, or the end of the text.
std::size_t EndOfSelect(const Tokens& tokens, std::size_t from) {
    int depth = 0;
    for (std::size_t i = from; i < tokens.size(); ++i) {
        if (tokens[i].IsSymbol("(")) {
            ++depth;
        } else if (tokens[i].IsSymbol(")")) {
            if (depth == 0) {
                return i;
            }
            --depth;
        } else if (depth == 0 && tokens[i].IsSymbol(";")) {
            return i;
        }
    }
    return tokens.size();
}

struct TopClause {
    std::size_t first;  // the word "top"
    std::size_t last;   // the count, or the ")" around it
    std::string count;
};

std::optional<TopClause> TopAfterSelect(const Tokens& tokens, std::size_t select) {
    std::size_t index = NextMeaningful(tokens, select);
    if (IsWordAt(tokens, index, "distinct") || IsWordAt(tokens, index, "all")) {
        index = NextMeaningful(tokens, index);
    }
    if (!IsWordAt(tokens, index, "top")) {
        return std::nullopt;
    }
    const std::size_t top = index;
    index = NextMeaningful(tokens, index);
    const bool parenthesised = IsSymbolAt(tokens, index, "(");
    if (parenthesised) {
        index = NextMeaningful(tokens, index);
    }
    if (index >= tokens.size() || tokens[index].kind != Kind::Number) {
        return std::nullopt;
    }
    const std::string count = tokens[index].text;
    if (parenthesised) {
        index = NextMeaningful(tokens, index);
        if (!IsSymbolAt(tokens, index, ")")) {
            return std::nullopt;
        }
    }
    return TopClause{top, index, count};
}

void MoveTopToLimit(Tokens& tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].IsWord("select")) {
            continue;
        }
        const auto top = TopAfterSelect(tokens, i);
        if (!top) {
            continue;
        }
        const std::size_t end = EndOfSelect(tokens, top->last + 1);
        std::size_t lastWord = end;
        while (lastWord > top->last + 1 && tokens[lastWord - 1].IsGap()) {
            --lastWord;
        }
        const Tokens limit = {{Kind::Space, " "},
                              {Kind::Word, "limit"},
                              {Kind::Space, " "},
                              {Kind::Number, top->count}};
        tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(lastWord), limit.begin(),
                      limit.end());
        std::size_t eraseEnd = top->last + 1;
        if (eraseEnd < tokens.size() && tokens[eraseEnd].kind == Kind::Space) {
            ++eraseEnd;
        }
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(top->first),
                     tokens.begin() + static_cast<std::ptrdiff_t>(eraseEnd));
    }
}

// The parts of "update T set ... [from ...] [where ...]" found at parenthesis depth 0.
struct UpdateShape {
    std::size_t target = 0;
    std::size_t set = 0;
    std::size_t from = 0;                  // 0: none
    std::size_t end = 0;                   // the ';' or the end of the text
    std::vector<std::size_t> assignments;  // first token of each "column = value"
};

std::optional<UpdateShape> ShapeOfUpdate(const Tokens& tokens) {
    UpdateShape shape;
    const std::size_t update = FirstMeaningful(tokens);
    if (!IsWordAt(tokens, update, "update")) {
        return std::nullopt;
    }
    shape.target = NextMeaningful(tokens, update);
    if (!IsNameAt(tokens, shape.target)) {
        return std::nullopt;
    }
    shape.set = NextMeaningful(tokens, shape.target);
    if (!IsWordAt(tokens, shape.set, "set")) {
        return std::nullopt;
    }
    shape.assignments.push_back(NextMeaningful(tokens, shape.set));
    shape.end = tokens.size();
    int depth = 0;
    bool inSetList = true;
    for (std::size_t i = shape.set + 1; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.IsSymbol("(")) {
            ++depth;
        } else if (token.IsSymbol(")")) {
            --depth;
        } else if (depth == 0 && token.IsSymbol(";")) {
            shape.end = i;
            break;
        } else if (depth == 0 && inSetList && token.IsSymbol(",")) {
            shape.assignments.push_back(NextMeaningful(tokens, i));
        } else if (depth == 0 && (token.IsWord("from") || token.IsWord("where"))) {
            if (inSetList && token.IsWord("from")) {
                shape.from = i;
            }
            inSetList = false;
        }
    }
    return shape;
}

// "T.column = ..." → "column = ..."; SQLite takes no qualified column on the left.
void UnqualifyAssignments(Tokens& tokens, const UpdateShape& shape) {
    for (const std::size_t first : shape.assignments) {
        const std::size_t dot = NextMeaningful(tokens, first);
        if (IsNameAt(tokens, first) && IsSymbolAt(tokens, dot, ".") &&
            IsNameAt(tokens, NextMeaningful(tokens, dot))) {
            for (std::size_t i = first; i <= dot; ++i) {
                tokens[i] = {Kind::Space, ""};
            }
        }
    }
}

bool IsClauseWord(const SqlToken& token) {
    static constexpr std::array<std::string_view, 16> kWords = {
        "on",    "join",    "inner", "left",  "right", "full",  "outer", "cross",
        "where", "natural", "using", "group", "order", "limit", "union", "set"};
    return std::any_of(kWords.begin(), kWords.end(),
                       [&](std::string_view word) { return token.IsWord(word); });
}

// How the statement names the target inside its from clause.
struct TargetInFrom {
    std::string qualifier;  // its alias, or the table itself
    std::string aliased;    // the table the alias stands for; empty when there is no alias
};

std::optional<TargetInFrom> FindTargetInFrom(const Tokens& tokens, const UpdateShape& shape) {
    const std::string target = NameKey(tokens[shape.target]);
    int depth = 0;
    for (std::size_t i = shape.from; i < shape.end; ++i) {
        const SqlToken& token = tokens[i];
        if (token.IsSymbol("(")) {
            ++depth;
            continue;
        }
        if (token.IsSymbol(")")) {
            --depth;
            continue;
        }
        if (depth == 0 && token.IsWord("where")) {
            break;
        }
        const bool startsReference =
            depth == 0 && (i == shape.from || token.IsWord("join") || token.IsSymbol(","));
        if (!startsReference) {
            continue;
        }
        std::size_t name = NextMeaningful(tokens, i);
        if (IsSymbolAt(tokens, NextMeaningful(tokens, name), ".")) {
            name = NextMeaningful(tokens, NextMeaningful(tokens, name));
        }
        if (!IsNameAt(tokens, name)) {
            continue;
        }
        std::size_t alias = NextMeaningful(tokens, name);
        if (IsWordAt(tokens, alias, "as")) {
            alias = NextMeaningful(tokens, alias);
        }
        const bool hasAlias = IsNameAt(tokens, alias) && !IsClauseWord(tokens[alias]);
        if (hasAlias && NameKey(tokens[alias]) == target) {
            return TargetInFrom{tokens[alias].text, tokens[name].text};
        }
        if (!hasAlias && NameKey(tokens[name]) == target) {
            return TargetInFrom{tokens[name].text, {}};
        }
    }
    return std::nullopt;
}

bool IsComparison(const Tokens& tokens, std::size_t index) {
    return IsSymbolAt(tokens, index, "=") || IsSymbolAt(tokens, index, "<>") ||
           IsSymbolAt(tokens, index, "!=");
}

// 'A001  ' → 'A001'; an unterminated text is left for the engine to refuse.
void DropTrailingBlanks(SqlToken& text) {
    if (text.text.size() < 2 || text.text.back() != '\'') {
        return;
    }
    std::string inner = text.text.substr(1, text.text.size() - 2);
    inner.erase(inner.find_last_not_of(' ') + 1);
    text.text = "'" + inner + "'";
}

// Walks the statement once: which parentheses open an "in" list, and whether a text is a value
// assigned by "set" (stored as written, never compared) or compared.
void TrimComparedTexts(Tokens& tokens) {
    std::vector<bool> inListAtDepth = {false};
    bool inSetList = false;
    std::size_t previous = tokens.size();  // the last meaningful token
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        SqlToken& token = tokens[i];
        if (token.IsGap()) {
            continue;
        }
        if (token.IsSymbol("(")) {
            inListAtDepth.push_back(previous < tokens.size() && tokens[previous].IsWord("in"));
        } else if (token.IsSymbol(")") && inListAtDepth.size() > 1) {
            inListAtDepth.pop_back();
        } else if (token.IsWord("set")) {
            inSetList = true;
        } else if (token.IsWord("from") || token.IsWord("where") || token.IsSymbol(";")) {
            inSetList = false;
        } else if (token.kind == Kind::Text) {
            const bool listed = inListAtDepth.back() && previous < tokens.size() &&
                                (tokens[previous].IsSymbol("(") || tokens[previous].IsSymbol(","));
            const bool compared = (!inSetList && IsComparison(tokens, previous)) ||
                                  IsComparison(tokens, NextMeaningful(tokens, i));
            if (listed || compared) {
                DropTrailingBlanks(token);
            }
        }
        previous = i;
    }
}

std::string TrimmedTail(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

// rowIdentity names the engine's own identity of a table row ("rowid", "ctid").
std::string AdaptUpdate(Tokens& tokens, std::string_view rowIdentity) {
    const auto shape = ShapeOfUpdate(tokens);
    if (!shape) {
        return SqlTokenizer::Join(tokens);
    }
    UnqualifyAssignments(tokens, *shape);
    if (shape->from == 0) {
        return SqlTokenizer::Join(tokens);
    }
    const auto target = FindTargetInFrom(tokens, *shape);
    if (!target) {
        // T is not part of the join: SQLite's UPDATE ... FROM means the same as the host's.
        return SqlTokenizer::Join(tokens);
    }
    if (!target->aliased.empty()) {
        tokens[shape->target].text = target->aliased;
    }
    const std::string identity(rowIdentity);
    return TrimmedTail(JoinRange(tokens, 0, shape->from)) + " where " + identity + " in (select " +
           target->qualifier + "." + identity + " " +
           TrimmedTail(JoinRange(tokens, shape->from, shape->end)) + ")" +
           JoinRange(tokens, shape->end, tokens.size());
}

// The host's names for what each engine names its own way, given for one engine.
struct EngineNames {
    // The identity of a table row: "rowid" on SQLite, "ctid" on PostgreSQL.
    std::string_view rowIdentity;
    // object_id('T') as the engine writes it, given the quoted name.
    std::string (*tableNumber)(const std::string& quotedName);
};

// sqlite_master's own rowid numbers the tables; letter case does not tell names apart.
std::string SqliteTableNumber(const std::string& quotedName) {
    return "(select min(rowid) from sqlite_master where type in ('table', 'view') and name = " +
           quotedName + " collate nocase)";
}

// An unquoted name folds to lower case here, as it did when the table was made.
std::string PostgresTableNumber(const std::string& quotedName) {
    return "(to_regclass(" + quotedName + ")::oid::bigint)";
}

// "object_id('T')" becomes the engine's number of table T, NULL when the account has no such
// table, so that asking whether a table is there never fails; "rowid" becomes the engine's row
// identity. An object_id of anything but one quoted text is left for the engine to refuse.
void AdaptEngineNames(Tokens& tokens, const EngineNames& names) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].IsWord("rowid")) {
            tokens[i].text = names.rowIdentity;
            continue;
        }
        if (!tokens[i].IsWord("object_id")) {
            continue;
        }
        const std::size_t open = NextMeaningful(tokens, i);
        const std::size_t name = NextMeaningful(tokens, open);
        const std::size_t close = NextMeaningful(tokens, name);
        if (!IsSymbolAt(tokens, open, "(") || name >= tokens.size() ||
            tokens[name].kind != Kind::Text || !IsSymbolAt(tokens, close, ")")) {
            continue;
        }
        Tokens number = SqlTokenizer::Tokenize(names.tableNumber(tokens[name].text));
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                     tokens.begin() + static_cast<std::ptrdiff_t>(close) + 1);
        tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(i), number.begin(),
                      number.end());
        i += number.size() - 1;
    }
}

// Whether any rewrite could change the statement: a [name], the words top, rowid or object_id, a
// statement that starts with update, a quoted text that ends in a blank, or a comment (which the
// rewrites must step over). Most statements have none, and one pass over their bytes spares
// tokenizing them.
bool MayNeedAdapting(std::string_view sql) {
    bool firstWord = true;
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (c == '[' || (c == '-' && sql.substr(i, 2) == "--") ||
            (c == '/' && sql.substr(i, 2) == "/*")) {
            return true;
        }
        if (c == '\'' || c == '"') {
            const std::size_t length = SqlTokenizer::QuotedLength(sql, i, c);
            const bool closed = length >= 2 && sql[i + length - 1] == c;
            if (c == '\'' && closed && length > 2 && sql[i + length - 2] == ' ') {
                return true;
            }
            i += length;
            continue;
        }
        if (!SqlTokenizer::IsWordByte(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < sql.size() && SqlTokenizer::IsWordByte(static_cast<unsigned char>(sql[end]))) {
            ++end;
        }
        const std::string_view word = sql.substr(i, end - i);
        if (AsciiEqualIgnoringCase(word, "top") || AsciiEqualIgnoringCase(word, "rowid") ||
            AsciiEqualIgnoringCase(word, "object_id") ||
            (firstWord && AsciiEqualIgnoringCase(word, "update"))) {
            return true;
        }
        firstWord = false;
        i = end;
    }
    return false;
}

std::string Adapt(std::string_view hostSql, const EngineNames& names) {
    if (!MayNeedAdapting(hostSql)) {
        return std::string(hostSql);
    }
    Tokens tokens = SqlTokenizer::Tokenize(hostSql);
    QuoteBracketNames(tokens);
    AdaptEngineNames(tokens, names);
    TrimComparedTexts(tokens);
    MoveTopToLimit(tokens);
    return AdaptUpdate(tokens, names.rowIdentity);
}

}  // namespace

std::string TsqlAdapter::ToSqlite(std::string_view hostSql) {
    return Adapt(hostSql, {"rowid", SqliteTableNumber});
}

std::string TsqlAdapter::ToPostgres(std::string_view hostSql) {
    return Adapt(hostSql, {"ctid", PostgresTableNumber});
}

}  // namespace zel
