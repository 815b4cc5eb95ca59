#include "host/database/recordset_filter.h"

#include <algorithm>
#include <charconv>

#include "host/database/recordset_columns.h"
#include "host/database/sql_tokenizer.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

using Kind = SqlToken::Kind;

std::optional<RecordsetFilter::Op> OpOf(const SqlToken& token) {
    using Op = RecordsetFilter::Op;
    static const std::pair<std::string_view, Op> kOps[] = {
        {"=", Op::Equal},      {"<>", Op::NotEqual}, {"!=", Op::NotEqual},    {"<", Op::Less},
        {"<=", Op::LessEqual}, {">", Op::Greater},   {">=", Op::GreaterEqual}};
    for (const auto& [text, op] : kOps) {
        if (token.IsSymbol(text)) {
            return op;
        }
    }
    return std::nullopt;
}

std::string Unquoted(const std::string& quoted) {
    std::string text;
    const char quote = quoted.front();
    const char close = quote == '[' ? ']' : quote;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        text += quoted[i];
        if (quoted[i] == close && quoted[i + 1] == close) {
            ++i;
        }
    }
    return text;
}

bool IsClosedQuote(const SqlToken& token) {
    const char close = token.kind == Kind::BracketName ? ']' : token.text.front();
    return token.text.size() >= 2 && token.text.back() == close;
}

std::optional<double> NumberOf(std::string_view text) {
    double number = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

bool Holds(RecordsetFilter::Op op, int order) {
    using Op = RecordsetFilter::Op;
    switch (op) {
        case Op::Equal:
            return order == 0;
        case Op::NotEqual:
            return order != 0;
        case Op::Less:
            return order < 0;
        case Op::LessEqual:
            return order <= 0;
        case Op::Greater:
            return order > 0;
        case Op::GreaterEqual:
            return order >= 0;
    }
    return false;
}

int Order(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// A number on either side makes it a comparison of numbers when the other side reads as one;
// two texts compare as host texts, so that the code '01' is not the code '1'.
bool Compare(const Variant& value, RecordsetFilter::Op op, const Variant& literal) {
    if (value.IsNull()) {
        return false;
    }
    const bool numeric = !value.IsText() || !literal.IsText();
    const auto left = value.ToDouble();
    const auto right = literal.ToDouble();
    if (numeric && left && right) {
        return Holds(op, Order(*left, *right));
    }
    return Holds(op, CompareHostText(value.ToString(), literal.ToString()));
}

}  // namespace

class RecordsetFilter::Parser {
public:
    Parser(std::string_view condition, const RecordsetColumns& columns, std::vector<Node>& nodes)
        : columns_(columns), nodes_(nodes) {
        for (auto& token : SqlTokenizer::Tokenize(condition)) {
            if (!token.IsGap()) {
                tokens_.push_back(std::move(token));
            }
        }
    }

    // The root node, or -1 when the text is not a whole condition.
    int Run() {
        const int root = Disjunction();
        return position_ == tokens_.size() ? root : -1;
    }

private:
    const SqlToken* Peek() const {
        return position_ < tokens_.size() ? &tokens_[position_] : nullptr;
    }

    int Add(Node node) {
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size()) - 1;
    }

    int Joined(Node::Kind kind, std::string_view word, int (Parser::*operand)()) {
        Node node;
        node.kind = kind;
        node.operands.push_back((this->*operand)());
        while (node.operands.back() >= 0 && Peek() != nullptr && Peek()->IsWord(word)) {
            ++position_;
            node.operands.push_back((this->*operand)());
        }
        if (node.operands.back() < 0) {
            return -1;
        }
        return node.operands.size() == 1 ? node.operands.front() : Add(std::move(node));
    }

    int Disjunction() { return Joined(Node::Kind::Or, "or", &Parser::Conjunction); }
    int Conjunction() { return Joined(Node::Kind::And, "and", &Parser::Factor); }

    int Factor() {
        if (Peek() != nullptr && Peek()->IsSymbol("(")) {
            if (nesting_ == kMaxNesting) {
                return -1;
            }
            ++position_;
            ++nesting_;
            const int inner = Disjunction();
            --nesting_;
            if (inner < 0 || Peek() == nullptr || !Peek()->IsSymbol(")")) {
                return -1;
            }
            ++position_;
            return inner;
        }
        return Comparison();
    }

    int Comparison() {
        const int column = Column();
        const auto op = Peek() != nullptr ? OpOf(*Peek()) : std::nullopt;
        if (column < 0 || !op) {
            return -1;
        }
        ++position_;
        const auto literal = Literal();
        if (!literal) {
            return -1;
        }
        Node node;
        node.kind = Node::Kind::Compare;
        node.column = column;
        node.op = *op;
        node.literal = *literal;
        return Add(std::move(node));
    }

    int Column() {
        std::string name;
        while (const SqlToken* token = Peek()) {
            if (token->kind == Kind::Word) {
                name += token->text;
            } else if ((token->kind == Kind::QuotedName || token->kind == Kind::BracketName) &&
                       IsClosedQuote(*token)) {
                name += Unquoted(token->text);
            } else {
                return -1;
            }
            ++position_;
            if (Peek() == nullptr || !Peek()->IsSymbol(".")) {
                break;
            }
            name += '.';
            ++position_;
        }
        return columns_.Index(name);
    }

    std::optional<Variant> Literal() {
        const SqlToken* token = Peek();
        bool negative = false;
        if (token != nullptr && (token->IsSymbol("-") || token->IsSymbol("+"))) {
            negative = token->IsSymbol("-");
            ++position_;
            token = Peek();
        }
        if (token == nullptr) {
            return std::nullopt;
        }
        ++position_;
        if (token->kind == Kind::Number) {
            const auto number = NumberOf(token->text);
            if (!number) {
                return std::nullopt;
            }
            return Variant(negative ? -*number : *number);
        }
        if (token->kind == Kind::Text && !negative && IsClosedQuote(*token)) {
            return Variant(Unquoted(token->text));
        }
        return std::nullopt;
    }

    const RecordsetColumns& columns_;
    std::vector<Node>& nodes_;
    std::vector<SqlToken> tokens_;
    std::size_t position_ = 0;
    int nesting_ = 0;
};

std::optional<RecordsetFilter> RecordsetFilter::Parse(std::string_view condition,
                                                      const RecordsetColumns& columns) {
    RecordsetFilter filter;
    filter.root_ = Parser(condition, columns, filter.nodes_).Run();
    if (filter.root_ < 0) {
        return std::nullopt;
    }
    return filter;
}

bool RecordsetFilter::Matches(const std::function<Variant(int)>& cell) const {
    return Evaluate(root_, cell);
}

bool RecordsetFilter::Evaluate(int index, const std::function<Variant(int)>& cell) const {
    const Node& node = nodes_[static_cast<std::size_t>(index)];
    switch (node.kind) {
        case Node::Kind::And:
            return std::all_of(node.operands.begin(), node.operands.end(),
                               [&](int operand) { return Evaluate(operand, cell); });
        case Node::Kind::Or:
            return std::any_of(node.operands.begin(), node.operands.end(),
                               [&](int operand) { return Evaluate(operand, cell); });
        case Node::Kind::Compare:
            return Compare(cell(node.column), node.op, node.literal);
    }
    return false;
}

}  // namespace zel
