#include "history/change_restore.h"

#include <algorithm>
#include <tuple>

#include "core/text_case.h"

namespace korvel {
namespace {

// The key fields: a row whose entry holds one of them without an old value was made, without a
// new value was removed.
constexpr std::string_view kWarehouseField = "cWhCode";
constexpr std::string_view kInventoryField = "cInvCode";

using RowValues = std::map<std::string, RestoreValue>;
// The rows as the restore has left them so far, by key; a key without a row maps to nullopt.
using RowStates = std::map<std::string, std::optional<RowValues>>;

std::string KeyOf(const RestoreRowKey& row) {
    return AsciiLower(row.warehouse) + '\n' + AsciiLower(row.inventory);
}

const CorrespondenceField* RestorableNamed(std::string_view column) {
    const CorrespondenceField* field = FieldNamed(column);
    return field != nullptr && field->recordXml.order != kNoPosition ? field : nullptr;
}

// As the table compares them: codes without regard to letter case.
bool SameValue(const CorrespondenceField& field, const RestoreValue& left,
               const RestoreValue& right) {
    if (!left || !right) {
        return !left && !right;
    }
    const bool code = field.kind == FieldKind::kCode || field.kind == FieldKind::kUnit;
    return code ? EqualsNoCase(*left, *right) : *left == *right;
}

// The value rows of one row in one entry.
struct RecordedRow {
    long long change = 0;
    RestoreRowKey row;
    RecordedRowKind kind = RecordedRowKind::kChanged;
    std::vector<const RecordedValue*> values;

    const RecordedValue* ValueOf(std::string_view column) const {
        const auto found = std::find_if(values.begin(), values.end(), [&](const RecordedValue* v) {
            return EqualsNoCase(v->field, column);
        });
        return found == values.end() ? nullptr : *found;
    }
};

RecordedRowKind KindOf(const RecordedRow& row) {
    const RecordedValue* warehouse = row.ValueOf(kWarehouseField);
    if (warehouse != nullptr && !warehouse->oldValue) {
        return RecordedRowKind::kMade;
    }
    if (warehouse != nullptr && !warehouse->newValue) {
        return RecordedRowKind::kRemoved;
    }
    return RecordedRowKind::kChanged;
}

// Newest entry first; within an entry in the order its statements run: deletes, updates, inserts
// (a key change on the server left one row and made another, whose key may be the same but for
// letter case).
std::vector<RecordedRow> GroupByRow(const std::vector<RecordedValue>& values) {
    std::map<std::tuple<long long, std::string>, RecordedRow> rows;
    for (const RecordedValue& value : values) {
        RecordedRow& row = rows[{value.change, KeyOf(value.row)}];
        row.change = value.change;
        row.row = value.row;
        row.values.push_back(&value);
    }
    std::vector<RecordedRow> ordered;
    for (auto& [key, row] : rows) {
        row.kind = KindOf(row);
        ordered.push_back(std::move(row));
    }
    std::stable_sort(
        ordered.begin(), ordered.end(), [](const RecordedRow& left, const RecordedRow& right) {
            return std::tie(right.change, left.kind) < std::tie(left.change, right.kind);
        });
    return ordered;
}

class RestoreSimulation {
public:
    explicit RestoreSimulation(const std::vector<CurrentRow>& current) {
        for (const CurrentRow& row : current) {
            states_[KeyOf(row.row)] = row.values;
        }
    }

    // Whether the row can be put back; if so, the state it leaves.
    bool PutBack(const RecordedRow& row, EntryRestore& entry) {
        switch (row.kind) {
            case RecordedRowKind::kMade:
                return DeleteMade(row, entry);
            case RecordedRowKind::kRemoved:
                return InsertRemoved(row, entry);
            case RecordedRowKind::kChanged:
                return UpdateChanged(row, entry);
        }
        return false;
    }

private:
    std::optional<RowValues>& State(const RestoreRowKey& key) { return states_[KeyOf(key)]; }

    bool DeleteMade(const RecordedRow& row, EntryRestore& entry) {
        std::optional<RowValues>& state = State(row.row);
        if (!state) {
            return false;
        }
        for (const CorrespondenceField* field : RestorableFields()) {
            const RecordedValue* made = row.ValueOf(field->column);
            const RestoreValue now = (*state)[std::string(field->column)];
            if (!SameValue(*field, now, made != nullptr ? made->newValue : std::nullopt)) {
                return false;
            }
        }
        state.reset();
        entry.deletesMade = true;
        return true;
    }

    bool InsertRemoved(const RecordedRow& row, EntryRestore& entry) {
        std::optional<RowValues>& state = State(row.row);
        if (state) {
            return false;
        }
        state.emplace();
        for (const RecordedValue* value : row.values) {
            if (const CorrespondenceField* field = RestorableNamed(value->field)) {
                (*state)[std::string(field->column)] = value->oldValue;
            }
        }
        entry.insertsRemoved = true;
        return true;
    }

    bool UpdateChanged(const RecordedRow& row, EntryRestore& entry) {
        std::vector<std::pair<const CorrespondenceField*, const RecordedValue*>> chosen;
        for (const RecordedValue* value : row.values) {
            const CorrespondenceField* field = RestorableNamed(value->field);
            if (field != nullptr && value->selected) {
                chosen.emplace_back(field, value);
            }
        }
        std::optional<RowValues>& state = State(row.row);
        const bool holdsNew =
            state && std::all_of(chosen.begin(), chosen.end(), [&](const auto& change) {
                return SameValue(*change.first, (*state)[std::string(change.first->column)],
                                 change.second->newValue);
            });
        if (!holdsNew) {
            return false;
        }
        RowValues values = std::move(*state);
        state.reset();
        for (const auto& [field, value] : chosen) {
            values[std::string(field->column)] = value->oldValue;
            NoteUpdated(entry, *field);
        }
        // A key set back moves the row to its old key.
        State({values[std::string(kWarehouseField)].value_or(row.row.warehouse),
               values[std::string(kInventoryField)].value_or(row.row.inventory)}) =
            std::move(values);
        return true;
    }

    static void NoteUpdated(EntryRestore& entry, const CorrespondenceField& field) {
        auto& fields = entry.updatedFields;
        if (std::find(fields.begin(), fields.end(), field.column) != fields.end()) {
            return;
        }
        fields.emplace_back(field.column);
        std::sort(fields.begin(), fields.end(),
                  [](const std::string& left, const std::string& right) {
                      return IndexOf(*FieldNamed(left)) < IndexOf(*FieldNamed(right));
                  });
    }

    RowStates states_;
};

// A row of an entry whose selected values are all bookkeeping asks for nothing.
bool AsksForAnything(const RecordedRow& row) {
    return row.kind != RecordedRowKind::kChanged ||
           std::any_of(row.values.begin(), row.values.end(), [](const RecordedValue* value) {
               return value->selected && RestorableNamed(value->field) != nullptr;
           });
}

}  // namespace

std::vector<const CorrespondenceField*> RestorableFields() {
    std::vector<const CorrespondenceField*> fields;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.recordXml.order != kNoPosition) {
            fields.push_back(&field);
        }
    }
    return fields;
}

RestoreDecision DecideRestore(std::vector<RecordedValue> values,
                              const std::vector<CurrentRow>& current) {
    RestoreDecision decision;
    RestoreSimulation simulation(current);
    for (const RecordedRow& row : GroupByRow(values)) {
        if (!AsksForAnything(row)) {
            continue;
        }
        if (decision.entries.empty() || decision.entries.back().change != row.change) {
            decision.entries.emplace_back().change = row.change;
        }
        if (simulation.PutBack(row, decision.entries.back())) {
            ++decision.restorable;
        } else {
            decision.changedSince.push_back(row.row);
        }
    }
    std::erase_if(decision.entries, [](const EntryRestore& entry) {
        return !entry.deletesMade && !entry.insertsRemoved && entry.updatedFields.empty();
    });
    return decision;
}

}  // namespace korvel
