#include "host/database/literal_parameters.h"

#include "host/database/sql_tokenizer.h"

namespace zel {
namespace {

bool IsParameter(const SqlToken& token) {
    return token.IsSymbol("?") || token.IsSymbol(":") ||
           (token.kind == SqlToken::Kind::Word &&
            (token.text.front() == '@' || token.text.front() == '$'));
}

// A whole 'text': not one whose quote never closes, nor one written straight after a word, as
// the bytes of x'0A' are.
bool IsPlainText(const SqlToken& token, const SqlToken* adjacent) {
    return token.kind == SqlToken::Kind::Text && token.text.size() >= 2 &&
           token.text.back() == '\'' &&
           (adjacent == nullptr || adjacent->kind != SqlToken::Kind::Word);
}

std::string Unquoted(const std::string& quoted) {
    std::string text;
    text.reserve(quoted.size() - 2);
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        text += quoted[i];
        if (quoted[i] == '\'') {
            ++i;  // the second quote of a doubled one
        }
    }
    return text;
}

}  // namespace

std::optional<LiteralParameters> LiteralParameters::Of(std::string_view sql) {
    std::vector<SqlToken> tokens = SqlTokenizer::Tokenize(sql);
    LiteralParameters result;
    const SqlToken* adjacent = nullptr;
    bool started = false;
    int depth = 0;
    bool inCondition = false;
    for (SqlToken& token : tokens) {
        if (IsParameter(token)) {
            return std::nullopt;
        }
        if (!started && !token.IsGap()) {
            // An update or delete has no result columns a text could name: every text is a value.
            if (token.IsWord("update") || token.IsWord("delete")) {
                inCondition = true;
            } else if (!token.IsWord("select")) {
                return std::nullopt;
            }
        }
        if (token.IsSymbol("(")) {
            ++depth;
        } else if (token.IsSymbol(")")) {
            --depth;
        } else if (depth == 0 && token.IsWord("where")) {
            inCondition = true;
        } else if (inCondition && IsPlainText(token, adjacent)) {
            result.texts.push_back(Unquoted(token.text));
            token.text = "?";
        }
        started = started || !token.IsGap();
        adjacent = &token;
    }
    if (result.texts.empty()) {
        return std::nullopt;
    }
    result.sql = SqlTokenizer::Join(tokens);
    return result;
}

}  // namespace zel
