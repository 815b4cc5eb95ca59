#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zel {

class SqlStatement;

// The columns of a query result: names as the engine reports them and declared text sizes.
class RecordsetColumns {
public:
    RecordsetColumns() = default;
    explicit RecordsetColumns(const SqlStatement& statement);

    int Count() const { return static_cast<int>(names_.size()); }
    bool Contains(int index) const { return index >= 0 && index < Count(); }
    const std::string& Name(int index) const { return names_[static_cast<std::size_t>(index)]; }
    int DefinedSize(int index) const { return sizes_[static_cast<std::size_t>(index)]; }
    const std::string& Source(int index) const { return sources_[static_cast<std::size_t>(index)]; }
    // Letter case ignored; the first of equal names wins. A qualified name ("Person.cPersonName")
    // that no column carries finds the column named by its last part, since results name
    // columns without their table.
    int Index(std::string_view name) const;

private:
    int ExactIndex(std::string_view name) const;

    std::vector<std::string> names_;
    std::vector<int> sizes_;
    std::vector<std::string> sources_;
};

}  // namespace zel
