#pragma once

#include <vector>

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_class_tree.h"
#include "host/database/sql_backend.h"

namespace zel::demo {

// Writes the small tables: unit groups and units, persons, warehouses, classes, and the users
// with their warehouse grants. Each call is false at the first failing statement, the reason in
// the backend's LastError().
class ReferenceDataWriter {
public:
    static constexpr const char* kReader = "wang";
    static constexpr const char* kGuest = "guest";

    explicit ReferenceDataWriter(SqlBackend& backend) : backend_(backend) {}

    bool WriteUnits();
    bool WritePersons();
    bool WriteWarehouses(const std::vector<DemoWarehouse>& warehouses);
    bool WriteClasses(const DemoClassTree& tree);
    // wang writes every fourth warehouse and reads every other one and the apostrophe one;
    // guest has no warehouse at all. Warehouse rows are put under control for this.
    bool WriteUsers(const std::vector<DemoWarehouse>& warehouses);

private:
    bool WriteGrants(const std::vector<DemoWarehouse>& warehouses);

    SqlBackend& backend_;
};

}  // namespace zel::demo
