#pragma once

#include <string>
#include <vector>

#include "host/controls/find/find_field.h"
#include "host/controls/find/find_row.h"

namespace zel {

// The SQL condition a find dialog's lines make over the columns of the grid's query, or the
// message that tells the user which value cannot be used.
class FindCondition {
public:
    struct Result {
        bool ok = false;
        std::string sql;      // when ok
        std::string message;  // when not: the resource text for the user
    };

    explicit FindCondition(std::vector<FindField> fields);

    // Each line's comparison in parentheses, the lines joined by their "and"/"or" (SQL's own
    // precedence: "and" before "or"), the whole in parentheses, so that a caller may append it
    // with " and ". Numbers are checked and written in canonical form, every other value quoted;
    // the patterns of "contains" and "begins with" match % and _ literally. No lines give
    // "(1=1)"; a line of a field the condition does not know is left out.
    Result Build(const std::vector<FindRow>& rows) const;
    // The same lines for a caller that takes the condition as it stands: a line in parentheses
    // only where it is an "or" of its own ("<>", a text "is empty"), the whole in parentheses
    // only when lines are joined by "or"; no lines give "1=1".
    Result Joined(const std::vector<FindRow>& rows) const;

    // A value the user gives a field outside a comparison: a number in canonical form, a date
    // as yyyy-mm-dd, a text as typed; blank stays empty. Not quoted.
    static Result Checked(const FindField& field, const std::string& value);

private:
    struct Joining {
        Result result;
        bool byOr = false;  // some lines are joined by "or"
    };
    Joining Join(const std::vector<FindRow>& rows, bool bracketEveryLine) const;
    const FindField* FieldNamed(const std::string& name) const;

    std::vector<FindField> fields_;
};

}  // namespace zel
