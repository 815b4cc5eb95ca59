#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_class_tree.h"
#include "db/demo/demo_item.h"
#include "db/demo/demo_options.h"
#include "db/demo/demo_outcome.h"
#include "db/demo/demo_random.h"

namespace zel {
class SqlBackend;
}

namespace zel::demo {

class CorrespondenceTable;

// Builds a new account database with demo data. The database is built under a neighbouring
// name and moved into place only when complete, so neither a failed run nor --force loses a
// database that was there before. The same seed and sizes give the same content.
class DemoDataGenerator {
public:
    static constexpr const char* kBuildingSuffix = ".building";

    explicit DemoDataGenerator(DemoOptions options);

    DemoOutcome Generate();

private:
    DemoOutcome Build(const std::filesystem::path& file);
    DemoOutcome BuildOnServer(const std::string& conninfo);
    DemoOutcome Fill(SqlBackend& backend, int rowsPerStatement);
    bool WriteItems(SqlBackend& backend, const std::vector<DemoWarehouse>& warehouses,
                    std::int64_t count, int rowsPerStatement);
    bool WriteRows(CorrespondenceTable& table, const DemoWarehouse& warehouse, std::int64_t quota);
    std::optional<std::string> Storekeeper(const DemoWarehouse& warehouse);

    DemoOptions options_;
    DemoRandom random_;
    std::vector<DemoItem> items_;
    std::optional<DemoClassTree> classes_;
};

}  // namespace zel::demo
