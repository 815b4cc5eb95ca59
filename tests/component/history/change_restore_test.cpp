#include "history/change_restore.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

constexpr std::nullopt_t kNone = std::nullopt;

RecordedValue Value(long long change, const char* item, const char* field, RestoreValue oldValue,
                    RestoreValue newValue, bool selected = true) {
    return {.change = change,
            .row = {"01", item},
            .field = field,
            .oldValue = std::move(oldValue),
            .newValue = std::move(newValue),
            .selected = selected};
}

// The row's key and the values named; every other field empty.
CurrentRow Row(const char* warehouse, const char* item,
               const std::vector<std::pair<std::string, std::string>>& values = {}) {
    CurrentRow row{.row = {warehouse, item}, .values = {}};
    for (const CorrespondenceField* field : RestorableFields()) {
        RestoreValue value;
        if (field->column == "cWhCode") {
            value = warehouse;
        } else if (field->column == "cInvCode") {
            value = item;
        }
        for (const auto& [name, text] : values) {
            if (field->column == name) {
                value = text;
            }
        }
        row.values.push_back(value);
    }
    return row;
}

std::vector<RecordedValue> Added(long long change, const char* item, const char* topSum) {
    return {Value(change, item, "cWhCode", kNone, "01"),
            Value(change, item, "cInvCode", kNone, item),
            Value(change, item, "iTopSum", kNone, topSum)};
}

std::vector<RecordedValue> Deleted(long long change, const char* item, const char* topSum) {
    return {Value(change, item, "cWhCode", "01", kNone),
            Value(change, item, "cInvCode", item, kNone),
            Value(change, item, "iTopSum", topSum, kNone)};
}

std::vector<RecordedValue> Joined(std::vector<RecordedValue> first,
                                  const std::vector<RecordedValue>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// "7:u(iTopSum) 6,5:d,i | 01/A002" : each step's entries and writes, then the rows refused.
std::string Summary(const RestoreDecision& decision) {
    std::string text;
    for (const RestoreStep& step : decision.steps) {
        std::vector<std::string> writes;
        if (step.deletesMade) {
            writes.emplace_back("d");
        }
        if (!step.updatedFields.empty()) {
            std::string fields;
            for (const int index : step.updatedFields) {
                fields += (fields.empty() ? "" : ",") +
                          std::string(RestorableFields()[static_cast<std::size_t>(index)]->column);
            }
            writes.push_back("u(" + fields + ")");
        }
        if (step.insertsRemoved) {
            writes.emplace_back("i");
        }
        std::string joined;
        for (const std::string& write : writes) {
            joined += (joined.empty() ? "" : ",") + write;
        }
        std::string changes;
        for (const long long change : step.changes) {
            changes += (changes.empty() ? "" : ",") + std::to_string(change);
        }
        text += changes + ":" + joined + " ";
    }
    text += "|";
    for (const RestoreRowKey& row : decision.changedSince) {
        text += " " + row.warehouse + "/" + row.inventory;
    }
    return text;
}

struct DecisionCase {
    const char* name;
    std::vector<RecordedValue> values;
    std::vector<CurrentRow> current;
    long long restorable;
    const char* summary;
};

class DecideRestoreTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(DecideRestoreTest, DecidesWhatToWriteAndWhatToRefuse) {
    const DecisionCase& c = GetParam();
    const RestoreDecision decision = DecideRestore(c.values, c.current);
    EXPECT_EQ(Summary(decision), c.summary);
    EXPECT_EQ(decision.restorable, c.restorable);
}

const DecisionCase kCases[] = {
    {"SetUpdateGoesBackWhereTheNewValueStands",
     {Value(5, "A001", "iTopSum", "12.345678", "9"), Value(5, "A002", "iTopSum", kNone, "9")},
     {Row("01", "A001", {{"iTopSum", "9"}}), Row("01", "A002", {{"iTopSum", "9"}})},
     2,
     "5:u(iTopSum) |"},
    {"RowChangedSinceIsRefusedTheRestGoesBack",
     {Value(5, "A001", "iTopSum", "1", "9"), Value(5, "A002", "iTopSum", "1", "9")},
     {Row("01", "A001", {{"iTopSum", "9"}}), Row("01", "A002", {{"iTopSum", "8"}})},
     1,
     "5:u(iTopSum) | 01/A002"},
    {"EntriesOfOneFieldGoBackNewestFirst",
     {Value(5, "A001", "iTopSum", "1", "2"), Value(7, "A001", "iTopSum", "2", "3")},
     {Row("01", "A001", {{"iTopSum", "3"}})},
     2,
     "7:u(iTopSum) 5:u(iTopSum) |"},
    {"AnEntryNotChosenInBetweenStopsTheOlderOne",
     {Value(5, "A001", "iTopSum", "1", "2"), Value(9, "A001", "iTopSum", "3", "4")},
     {Row("01", "A001", {{"iTopSum", "4"}})},
     1,
     "9:u(iTopSum) | 01/A001"},
    {"RowStillAsAddedIsDeleted",
     Added(5, "A001", "7"),
     {Row("01", "A001", {{"iTopSum", "7"}})},
     1,
     "5:d |"},
    {"RowGivenAValueSinceItWasAddedStays",
     Added(5, "A001", "7"),
     {Row("01", "A001", {{"iTopSum", "7"}, {"dLastDate", "2024-01-01"}})},
     0,
     "| 01/A001"},
    {"RowDeletedSinceItWasAddedIsRefused", Added(5, "A001", "7"), {}, 0, "| 01/A001"},
    {"DeletedRowComesBackWhereItsKeyIsFree", Deleted(5, "A001", "7"), {}, 1, "5:i |"},
    {"DeletedRowWhoseKeyIsTakenAgainIsRefused",
     Deleted(5, "A001", "7"),
     {Row("01", "a001")},
     0,
     "| 01/A001"},
    // The server records a key change as the row left and the row made.
    {"KeyChangeOfTheServerDeletesTheNewRowThenInsertsTheOld",
     Joined(Deleted(5, "A001", "7"), Added(5, "a001", "7")),
     {Row("01", "a001", {{"iTopSum", "7"}})},
     2,
     "5:d,i |"},
    // A file records it as a change of the code under the new key.
    {"KeyChangeOfAFileMovesTheRowBackForOlderEntries",
     {Value(5, "A002", "cInvCode", "A001", "A002"), Value(3, "A001", "iTopSum", "1", "2")},
     {Row("01", "A002", {{"iTopSum", "2"}})},
     2,
     "5:u(cInvCode) 3:u(iTopSum) |"},
    {"BookkeepingAndValuesNotChosenAskForNothing",
     {Value(5, "A001", "dModifyDate", "2024-01-01 10:00:00", "2024-02-01 10:00:00"),
      Value(5, "A001", "cModifyPerson", "demo", "boss"),
      Value(5, "A001", "iTopSum", "1", "2", false)},
     {Row("01", "A001", {{"iTopSum", "3"}})},
     0,
     "|"},
    {"OnlyTheChosenValuesOfARowAreCompared",
     {Value(5, "A001", "iTopSum", "1", "2"), Value(5, "A001", "iLowSum", "1", "2", false)},
     {Row("01", "A001", {{"iTopSum", "2"}, {"iLowSum", "5"}})},
     1,
     "5:u(iTopSum) |"},
    {"CodesCompareWithoutLetterCase",
     {Value(5, "A001", "cWhPersonCode", "P01", "p02"), Value(5, "A001", "cFrequency", "月", "周")},
     {Row("01", "a001", {{"cWhPersonCode", "P02"}, {"cFrequency", "周"}})},
     1,
     "5:u(cFrequency,cWhPersonCode) |"},
    {"EntriesOfDifferentRowsGoBackInOneStep",
     Joined(Added(5, "A001", "7"), Joined(Added(6, "A002", "7"), Added(7, "A003", "7"))),
     {Row("01", "A001", {{"iTopSum", "7"}}), Row("01", "A002", {{"iTopSum", "8"}}),
      Row("01", "A003", {{"iTopSum", "7"}})},
     2,
     "7,6,5:d | 01/A002"},
    {"AnEntryReachingTheKeyAnotherSetsBackStartsAStepOfItsOwn",
     {Value(6, "A002", "cInvCode", "A001", "A002"), Value(5, "A001", "iTopSum", "1", "2"),
      Value(4, "A003", "iTopSum", "1", "2")},
     {Row("01", "A002", {{"iTopSum", "2"}}), Row("01", "A003", {{"iTopSum", "2"}})},
     3,
     "6:u(cInvCode) 5,4:u(iTopSum) |"},
    {"ADateComparesExactly",
     {Value(5, "A001", "dLastDate", "2024-01-01", "2024-02-01")},
     {Row("01", "A001", {{"dLastDate", "2024-02-02"}})},
     0,
     "| 01/A001"},
};

INSTANTIATE_TEST_SUITE_P(Cases, DecideRestoreTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvel
