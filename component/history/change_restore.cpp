#include "history/change_restore.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "core/text_case.h"

namespace korvel {
namespace {

constexpr int kNotRestorable = -1;

// A row's restorable values, in RestorableFields()'s order.
using RowValues = std::vector<RestoreValue>;
// The rows as the restore has left them so far, by key; a key without a row maps to nullopt.
using RowStates = std::map<std::string, std::optional<RowValues>>;

std::string KeyOf(const RestoreRowKey& row) {
    return AsciiLower(row.warehouse) + '\n' + AsciiLower(row.inventory);
}

int RestorableIndex(std::string_view column) {
    const auto& fields = RestorableFields();
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const auto* field) {
        return EqualsNoCase(field->column, column);
    });
    return found == fields.end() ? kNotRestorable : static_cast<int>(found - fields.begin());
}

// The key fields: a row whose entry holds the warehouse without an old value was made, without
// a new value was removed.
const int kWarehouseIndex = RestorableIndex("cWhCode");
const int kInventoryIndex = RestorableIndex("cInvCode");

// As the table compares them: codes without regard to letter case.
bool SameValue(int index, const RestoreValue& left, const RestoreValue& right) {
    if (!left || !right) {
        return !left && !right;
    }
    return ComparesWithoutCase(*RestorableFields()[static_cast<std::size_t>(index)])
               ? EqualsNoCase(*left, *right)
               : *left == *right;
}

// One recorded value of a restorable field.
struct RecordedField {
    int index = kNotRestorable;
    const RecordedValue* value = nullptr;
};

// The value rows of one row in one entry.
struct RecordedRow {
    long long change = 0;
    RestoreRowKey row;
    std::string key;
    RecordedRowKind kind = RecordedRowKind::kChanged;
    std::vector<RecordedField> fields;

    const RecordedValue* ValueOf(int index) const {
        const auto found =
            std::find_if(fields.begin(), fields.end(),
                         [&](const RecordedField& field) { return field.index == index; });
        return found == fields.end() ? nullptr : found->value;
    }
};

RecordedRowKind KindOf(const RecordedRow& row) {
    const RecordedValue* warehouse = row.ValueOf(kWarehouseIndex);
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
// letter case). The bookkeeping fields take no part.
std::vector<RecordedRow> GroupByRow(const std::vector<RecordedValue>& values) {
    // Keyed by the negated entry, so that the newest comes first.
    std::map<std::tuple<long long, std::string>, RecordedRow> rows;
    for (const RecordedValue& value : values) {
        const int index = RestorableIndex(value.field);
        if (index == kNotRestorable) {
            continue;
        }
        // By the key as written: on the server a change of a code's letter case leaves one row
        // and makes another whose keys differ in nothing else.
        RecordedRow& row = rows[{-value.change, value.row.warehouse + '\n' + value.row.inventory}];
        if (row.fields.empty()) {
            row.change = value.change;
            row.row = value.row;
            row.key = KeyOf(value.row);
        }
        row.fields.push_back({index, &value});
    }
    for (auto& [key, row] : rows) {
        row.kind = KindOf(row);
    }
    std::vector<RecordedRow> ordered;
    ordered.reserve(rows.size());
    for (auto entry = rows.begin(); entry != rows.end();) {
        const auto next = std::find_if(entry, rows.end(), [&](const auto& row) {
            return row.second.change != entry->second.change;
        });
        for (const RecordedRowKind kind :
             {RecordedRowKind::kMade, RecordedRowKind::kChanged, RecordedRowKind::kRemoved}) {
            for (auto row = entry; row != next; ++row) {
                if (row->second.kind == kind) {
                    ordered.push_back(std::move(row->second));
                }
            }
        }
        entry = next;
    }
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
    bool PutBack(const RecordedRow& row, RestoreStep& step) {
        switch (row.kind) {
            case RecordedRowKind::kMade:
                return DeleteMade(row, step);
            case RecordedRowKind::kRemoved:
                return InsertRemoved(row, step);
            case RecordedRowKind::kChanged:
                return UpdateChanged(row, step);
        }
        return false;
    }

private:
    bool DeleteMade(const RecordedRow& row, RestoreStep& step) {
        std::optional<RowValues>& state = states_[row.key];
        if (!state) {
            return false;
        }
        for (std::size_t index = 0; index < state->size(); ++index) {
            const RecordedValue* made = row.ValueOf(static_cast<int>(index));
            if (!SameValue(static_cast<int>(index), (*state)[index],
                           made != nullptr ? made->newValue : std::nullopt)) {
                return false;
            }
        }
        state.reset();
        step.deletesMade = true;
        return true;
    }

    bool InsertRemoved(const RecordedRow& row, RestoreStep& step) {
        std::optional<RowValues>& state = states_[row.key];
        if (state) {
            return false;
        }
        state.emplace(RestorableFields().size());
        for (const RecordedField& field : row.fields) {
            (*state)[static_cast<std::size_t>(field.index)] = field.value->oldValue;
        }
        step.insertsRemoved = true;
        return true;
    }

    bool UpdateChanged(const RecordedRow& row, RestoreStep& step) {
        std::optional<RowValues>& state = states_[row.key];
        const bool holdsNew =
            state &&
            std::all_of(row.fields.begin(), row.fields.end(), [&](const RecordedField& field) {
                return !field.value->selected ||
                       SameValue(field.index, (*state)[static_cast<std::size_t>(field.index)],
                                 field.value->newValue);
            });
        if (!holdsNew) {
            return false;
        }
        bool movesKey = false;
        for (const RecordedField& field : row.fields) {
            if (field.value->selected) {
                (*state)[static_cast<std::size_t>(field.index)] = field.value->oldValue;
                step.updatedFields.push_back(field.index);
                movesKey =
                    movesKey || field.index == kWarehouseIndex || field.index == kInventoryIndex;
            }
        }
        if (movesKey) {
            RowValues values = std::move(*state);
            state.reset();
            const RestoreRowKey old{values[static_cast<std::size_t>(kWarehouseIndex)].value_or(""),
                                    values[static_cast<std::size_t>(kInventoryIndex)].value_or("")};
            states_[KeyOf(old)] = std::move(values);
        }
        return true;
    }

    RowStates states_;
};

// A changed row of which only bookkeeping was chosen asks for nothing.
bool AsksForAnything(const RecordedRow& row) {
    return row.kind != RecordedRowKind::kChanged ||
           std::any_of(row.fields.begin(), row.fields.end(),
                       [](const RecordedField& field) { return field.value->selected; });
}

// The keys the row's restore reads and writes: its own, and the old one a code set back moves
// it to.
std::vector<std::string> TouchedKeys(const RecordedRow& row) {
    RestoreRowKey old = row.row;
    for (const RecordedField& field : row.fields) {
        if (row.kind == RecordedRowKind::kChanged && field.value->selected &&
            field.value->oldValue) {
            if (field.index == kWarehouseIndex) {
                old.warehouse = *field.value->oldValue;
            } else if (field.index == kInventoryIndex) {
                old.inventory = *field.value->oldValue;
            }
        }
    }
    return {row.key, KeyOf(old)};
}

void SortUnique(std::vector<int>& indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
}

}  // namespace

const std::vector<const CorrespondenceField*>& RestorableFields() {
    static const std::vector<const CorrespondenceField*> fields = [] {
        std::vector<const CorrespondenceField*> saved;
        for (const CorrespondenceField& field : kCorrespondenceFields) {
            if (field.recordXml.order != kNoPosition) {
                saved.push_back(&field);
            }
        }
        return saved;
    }();
    return fields;
}

RestoreDecision DecideRestore(const std::vector<RecordedValue>& values,
                              const std::vector<CurrentRow>& current) {
    RestoreDecision decision;
    RestoreSimulation simulation(current);
    const std::vector<RecordedRow> rows = GroupByRow(values);
    // The keys the current step touches: an entry that touches none of them joins it.
    std::set<std::string> stepKeys;
    for (auto first = rows.begin(); first != rows.end();) {
        const auto next = std::find_if(
            first, rows.end(), [&](const RecordedRow& row) { return row.change != first->change; });
        std::vector<const RecordedRow*> asking;
        std::vector<std::string> keys;
        for (auto row = first; row != next; ++row) {
            if (AsksForAnything(*row)) {
                asking.push_back(&*row);
                const auto touched = TouchedKeys(*row);
                keys.insert(keys.end(), touched.begin(), touched.end());
            }
        }
        first = next;
        if (asking.empty()) {
            continue;
        }
        const bool overlaps = std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
            return stepKeys.contains(key);
        });
        if (decision.steps.empty() || overlaps) {
            decision.steps.emplace_back();
            stepKeys.clear();
        }
        RestoreStep& step = decision.steps.back();
        step.changes.push_back(asking.front()->change);
        stepKeys.insert(keys.begin(), keys.end());
        for (const RecordedRow* row : asking) {
            if (simulation.PutBack(*row, step)) {
                ++decision.restorable;
            } else {
                decision.changedSince.push_back(row->row);
            }
        }
    }
    std::erase_if(decision.steps, [](RestoreStep& step) {
        SortUnique(step.updatedFields);
        return !step.deletesMade && !step.insertsRemoved && step.updatedFields.empty();
    });
    return decision;
}

}  // namespace korvel
