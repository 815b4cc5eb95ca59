#pragma once

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "component/support/main_window_fixture.h"
#include "core/common.h"
#include "core/const.h"
#include "host/controls/import/csv_table_reader.h"
#include "import/import_column_mapping.h"
#include "import/import_preview.h"

namespace korvel::test {

// The import over a seeded account, business date 2024-03-15: warehouses 01 and 02, items A001 to
// A008, item OLD1 ended on 2024-03-01, storekeepers P1 and P2; files written as CSV into a
// temporary folder.
class ImportTestBase : public MainWindowTest {
protected:
    void SetUp() override {
        for (const char* warehouse : {"01", "02"}) {
            database.AddWarehouse(warehouse);
        }
        for (const char* item : {"A001", "A002", "A003", "A004", "A005", "A006", "A007", "A008"}) {
            database.AddInventory(item);
        }
        database.AddInventory("OLD1", "旧件", {{"dEDate", "2024-03-01"}});
        database.AddPerson("P1", "张三");
        database.AddPerson("P2", "李四");
    }

    void Bind(const std::string& user = "demo") {
        BindContext(user);
        LoadQuantityStyle(context);
        InitCatalogue(context);
    }

    std::string Caption(const char* column) {
        return ImportFieldCaption(*FieldNamed(column), context.catalogue, *context.login.pub);
    }
    std::string Text(const std::string& key, const std::vector<std::string>& values = {}) {
        return values.empty() ? context.login.pub->GetResString(key)
                              : context.login.pub->GetResFormatString(key, values);
    }

    // A CSV file of these lines (cells already separated by commas) in the temporary folder.
    std::string WriteCsv(const std::vector<std::string>& lines,
                         const std::string& name = "in.csv") {
        const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream file(path, std::ios::binary);
        for (const std::string& line : lines) {
            file << line << "\r\n";
        }
        return path;
    }

    // The preview of the file with the mapping matched from its header.
    ImportPreviewResult Preview(const std::string& path, const std::string& defaultWarehouse = "") {
        zel::CsvTableReader reader(QString::fromStdString(path));
        EXPECT_TRUE(reader.Open()) << reader.Error().message;
        ImportPreviewRequest request{
            ImportColumnMapping::Match(reader.Header(), context.catalogue, *context.login.pub),
            defaultWarehouse, nullptr};
        return ImportPreview(context).Run(reader, request);
    }
    ImportPreviewResult PreviewLines(const std::vector<std::string>& lines,
                                     const std::string& defaultWarehouse = "") {
        return Preview(WriteCsv(lines), defaultWarehouse);
    }

    QTemporaryDir folder;
};

}  // namespace korvel::test
