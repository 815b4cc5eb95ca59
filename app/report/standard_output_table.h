#pragma once

#include <QTemporaryDir>
#include <string>

#include "host/controls/export/csv_table_writer.h"
#include "host/controls/export/table_writer.h"

namespace zel {

// A CSV table for standard output. The rows go to a file of their own first and reach standard
// output only once the table is whole, so that a read or a write that breaks off part way sends
// nothing a script could take for the whole report; the file is copied a chunk at a time.
class StandardOutputTable final : public TableWriter {
public:
    StandardOutputTable();

    bool Begin(const TableHeading& heading) override;
    bool AddRow(std::span<const std::string_view> cells) override;
    bool Finish() override;
    std::string Reason() const override;

private:
    bool CopyToStandardOutput();

    QTemporaryDir folder_;
    std::string path_;
    CsvTableWriter file_;
    std::string reason_;
};

}  // namespace zel
