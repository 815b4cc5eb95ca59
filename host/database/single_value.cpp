#include "host/database/single_value.h"

namespace zel {

SingleValue ReadSingleValue(SqlBackend& backend, std::string_view sql,
                            const std::vector<Variant>& values) {
    auto statement = backend.Prepare(sql);
    if (!statement) {
        return {};
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!statement->Bind(static_cast<int>(i) + 1, values[i])) {
            return {};
        }
    }
    switch (statement->Step()) {
        case StepResult::Row:
            return {true, statement->ColumnValue(0)};
        case StepResult::Done:
            return {true, std::nullopt};
        case StepResult::Error:
            break;
    }
    return {};
}

}  // namespace zel
