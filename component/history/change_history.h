#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zel {
class IClsCommon;
class IPub;
class IRecordset;
struct PrintData;
}  // namespace zel

namespace korvel {

struct LoginContext;

// Which history entries a list covers besides the user's read rights; an empty member does not
// narrow it. The members start empty, so that a designated initialiser names only those it sets.
struct ChangeHistoryFilter {
    std::string warehouse{};
    std::string inventory{};  // with warehouse: the history of one row
    // Days inclusive, in a form the host reads as a date; a bound that is no date lets no entry
    // through.
    std::string from{};
    std::string to{};
    std::string user{};
    std::string field{};  // a correspondence column name, e.g. "iSafeNum"
    std::string kind{};   // "add", "change", "delete" or "import"
};

// One changed field of one row in one history entry, as the table holds it.
struct ChangeHistoryEntry {
    long long change = 0;  // the entry: one statement
    std::string when{};    // 'yyyy-mm-dd hh:mm:ss'
    std::string user{};    // empty: a write from outside the program
    std::string kind{};    // "add", "change", "delete" or "import"
    std::string warehouseCode{};
    std::string warehouseName{};
    std::string inventoryCode{};
    std::string inventoryName{};
    std::string field{};  // the correspondence column name
    std::optional<std::string> oldValue{};
    std::optional<std::string> newValue{};
};

// The changed fields of the rows the login may read (the inventory and warehouse read rights, as
// the grid and the due list), narrowed by the filter, newest entry first: by time over a date
// range of all warehouses, which the time's index reaches at once, else by entry, which the
// warehouse's index does.
std::string ChangeHistoryQuery(const LoginContext& login, const ChangeHistoryFilter& filter);

// The rows a window reads before it shows them: few enough to come at once on a long history.
inline constexpr std::size_t kChangeHistorySlice = 1000;

// Reads the rows of that query a slice at a time, so that a window can show the first ones while
// the rest are still read. A query over the whole history would make the server plan for all of
// it (hashing and sorting a million rows before the first comes); the reader asks for it in
// pages of the newest entries instead, each of which the server starts on at once, and reads an
// entry that a page cut off by itself, so that no entry comes twice or in part.
class ChangeHistoryReader {
public:
    // query: one of ChangeHistoryQuery, whose shape the pages keep.
    ChangeHistoryReader(zel::IClsCommon& db, std::string query);

    // Reads up to `records` more rows of the query and appends the entries that it completed to
    // entries, in the query's order.
    void ReadSome(std::size_t records, std::vector<ChangeHistoryEntry>& entries);
    bool AtEnd() const;
    // The query failed, or the read broke off part way: what was read is not the whole list.
    bool Failed() const;

private:
    enum class Part { kPage, kEntry, kDone };
    // Where the next page starts: below this entry, in the query's order.
    struct Position {
        long long change = 0;
        std::string when;  // as the database gave it, fractions of a second and zone included
    };

    void OpenPage();
    void OpenEntry(long long change);
    void Open(const std::string& sql, Part part);
    // At the end of a page or an entry: what comes next.
    void Continue(std::vector<ChangeHistoryEntry>& entries);
    void TakeRow(std::vector<ChangeHistoryEntry>& entries);

    zel::IClsCommon& db_;
    std::string select_;  // the query without "select" and its order
    std::string order_;
    bool byTime_ = false;
    std::shared_ptr<zel::IRecordset> rows_;
    Part part_ = Part::kPage;
    bool failed_ = false;
    std::size_t pageSize_ = kChangeHistorySlice;
    std::size_t pageRows_ = 0;
    std::optional<Position> below_;
    // The rows of the page's last entry so far, which the page may have cut off, and its time.
    std::vector<ChangeHistoryEntry> held_;
    std::string heldWhen_;
};

// All rows of that query in its order. Empty with ok false when the query fails or its read
// breaks off.
std::vector<ChangeHistoryEntry> ReadChangeHistory(zel::IClsCommon& db, const std::string& query,
                                                  bool& ok);

// The list as a table for printing and export: when, user, kind, warehouse code and name, item
// code and name, field, old value, new value.
struct ChangeHistoryCaptions {
    std::vector<std::string> columns;  // ten, in the order above
    std::string add;                   // the kinds as a user reads them
    std::string change;
    std::string remove;
    std::string imported;
    std::string outsideUser;  // the user of a write from outside the program
    // The fields' captions as the grid heads their columns, by column name.
    std::map<std::string, std::string> fields;
    // The cycle units' list texts by their stored codes.
    std::map<std::string, std::string> units;
};
// The captions in the host's resource texts and the account's column dictionary.
ChangeHistoryCaptions ChangeHistoryCaptionsOf(zel::IPub& pub, zel::IClsCommon& db);
// An entry's kind as stored, and as a user reads it.
struct ChangeKindChoice {
    std::string kind;
    std::string caption;
};
// Every kind of entry, in the order a list offers them to choose from.
std::vector<ChangeKindChoice> ChangeKindChoices(const ChangeHistoryCaptions& captions);
// A field's caption; the column name itself for a field the captions lack.
std::string FieldCaptionOf(const ChangeHistoryCaptions& captions, const std::string& column);
// A value as the grid shows that field: numbers with all their decimals and no trailing zeros,
// a cycle unit by its list text, other values as stored; empty for no value.
std::string ShownValue(const ChangeHistoryCaptions& captions, const std::string& column,
                       const std::optional<std::string>& value);
// A query of no rows whose columns are those of the table, each named and sized as the field its
// cells come from, so that an export knows the texts, dates and numbers apart.
std::string ChangeHistoryColumnsQuery();
// One row's cells in the table's columns; the field as its caption.
std::vector<std::string> ChangeHistoryCells(const ChangeHistoryEntry& row,
                                            const ChangeHistoryCaptions& captions);
zel::PrintData ChangeHistoryTable(const std::vector<ChangeHistoryEntry>& rows,
                                  const ChangeHistoryCaptions& captions);

}  // namespace korvel
