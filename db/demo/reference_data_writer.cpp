#include "db/demo/reference_data_writer.h"

#include "db/demo/sqlite_connection.h"
#include "db/demo/sqlite_statement.h"

namespace zel::demo {
namespace {

// nullptr when the reader gets no grant on the warehouse.
const char* ReaderRight(std::size_t index, const std::string& code) {
    if (index % 4 == 0) {
        return "W";
    }
    if (index % 2 == 0 || code == DemoCatalogue::kApostropheWarehouse) {
        return "R";
    }
    return nullptr;
}

}  // namespace

bool ReferenceDataWriter::WriteUnits() {
    SqliteStatement group(connection_,
                          "insert into computationGroup (cGroupCode, cGroupName, iGroupType) "
                          "values (?, ?, ?)");
    for (const auto& each : DemoCatalogue::UnitGroups()) {
        group.Bind(1, each.code);
        group.Bind(2, each.name);
        group.Bind(3, each.type);
        if (!group.Run()) {
            return false;
        }
    }
    SqliteStatement unit(connection_,
                         "insert into ComputationUnit (cComUnitCode, cComUnitName, cGroupCode) "
                         "values (?, ?, ?)");
    for (const auto& each : DemoCatalogue::Units()) {
        unit.Bind(1, each.code);
        unit.Bind(2, each.name);
        unit.Bind(3, each.groupCode);
        if (!unit.Run()) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WritePersons() {
    SqliteStatement person(connection_,
                           "insert into Person (cPersonCode, cPersonName, cDepCode) "
                           "values (?, ?, ?)");
    for (const auto& each : DemoCatalogue::Persons()) {
        person.Bind(1, each.code);
        person.Bind(2, each.name);
        person.Bind(3, each.depCode);
        if (!person.Run()) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WriteWarehouses(const std::vector<DemoWarehouse>& warehouses) {
    SqliteStatement warehouse(connection_,
                              "insert into Warehouse (cWhCode, cWhName, cWhAddress, cWhPerson) "
                              "values (?, ?, ?, ?)");
    for (const auto& each : warehouses) {
        warehouse.Bind(1, each.code);
        warehouse.Bind(2, each.name);
        warehouse.Bind(3, each.address);
        warehouse.Bind(4, each.keeper->name);
        if (!warehouse.Run()) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WriteClasses(const DemoClassTree& tree) {
    SqliteStatement node(connection_,
                         "insert into InventoryClass (cInvCCode, cInvCName, iInvCGrade, bInvCEnd) "
                         "values (?, ?, ?, ?)");
    for (const auto& each : tree.Nodes()) {
        node.Bind(1, each.code);
        node.Bind(2, each.name);
        node.Bind(3, each.grade);
        node.Bind(4, each.isEnd ? 1 : 0);
        if (!node.Run()) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WriteUsers(const std::vector<DemoWarehouse>& warehouses) {
    SqliteStatement user(connection_,
                         "insert into aa_user (cUserId, cUserName, bAdmin) values (?, ?, 0)");
    for (const auto& [id, name] : {std::pair{kReader, "王强"}, std::pair{kGuest, "访客"}}) {
        user.Bind(1, std::string(id));
        user.Bind(2, std::string(name));
        if (!user.Run()) {
            return false;
        }
    }
    return connection_.Execute(
               "insert into aa_rowauth_object (cBusObCode, bControlled) values ('Warehouse', 1) "
               "on conflict (cBusObCode) do update set bControlled = 1") &&
           WriteGrants(warehouses);
}

bool ReferenceDataWriter::WriteGrants(const std::vector<DemoWarehouse>& warehouses) {
    SqliteStatement grant(connection_,
                          "insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
                          "values (?, 'Warehouse', ?, ?)");
    for (std::size_t i = 0; i < warehouses.size(); ++i) {
        const std::string& code = warehouses[i].code;
        const char* right = ReaderRight(i, code);
        if (right == nullptr) {
            continue;
        }
        grant.Bind(1, std::string(kReader));
        grant.Bind(2, code);
        grant.Bind(3, std::string(right));
        if (!grant.Run()) {
            return false;
        }
    }
    return true;
}

}  // namespace zel::demo
