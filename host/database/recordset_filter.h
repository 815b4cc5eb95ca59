#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "interfaces/variant.h"

namespace zel {

class RecordsetColumns;

// A recordset filter such as "cWhCode='01' and (iDays=3 or cFrequency<>'周')": comparisons of a
// column with a quoted text or a number (=, <>, !=, <, <=, >, >=), joined by and / or, in
// parentheses. Texts compare like the host's codes: letter case and trailing blanks ignored. A
// null value matches no comparison.
class RecordsetFilter {
public:
    // Parentheses nest at most this deep; the program's own filters nest two or three levels,
    // and each level costs the parser and the matcher a few stack frames.
    static constexpr int kMaxNesting = 200;

    // nullopt when the condition cannot be read, names a column the result does not have or
    // nests parentheses deeper than kMaxNesting.
    static std::optional<RecordsetFilter> Parse(std::string_view condition,
                                                const RecordsetColumns& columns);

    // cell(column) gives the value of that column in the row under test.
    bool Matches(const std::function<Variant(int)>& cell) const;

    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
    struct Node {
        enum class Kind { And, Or, Compare } kind = Kind::Compare;
        std::vector<int> operands;  // And / Or: a whole chain, so that only parentheses nest
        int column = -1;            // Compare
        Op op = Op::Equal;
        Variant literal;  // a text or a real
    };

private:
    class Parser;
    bool Evaluate(int node, const std::function<Variant(int)>& cell) const;

    std::vector<Node> nodes_;
    int root_ = -1;
};

}  // namespace zel
