#include "db/demo/reference_data_writer.h"

#include "db/demo/optional_value.h"

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
    auto group = backend_.Prepare(
        "insert into computationGroup (cGroupCode, cGroupName, iGroupType) values (?, ?, ?)");
    for (const auto& each : DemoCatalogue::UnitGroups()) {
        if (!group || !group->Run({Variant(each.code), Variant(each.name), Variant(each.type)})) {
            return false;
        }
    }
    auto unit = backend_.Prepare(
        "insert into ComputationUnit (cComUnitCode, cComUnitName, cGroupCode) values (?, ?, ?)");
    for (const auto& each : DemoCatalogue::Units()) {
        if (!unit ||
            !unit->Run({Variant(each.code), Variant(each.name), Variant(each.groupCode)})) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WritePersons() {
    auto person = backend_.Prepare(
        "insert into Person (cPersonCode, cPersonName, cDepCode) values (?, ?, ?)");
    for (const auto& each : DemoCatalogue::Persons()) {
        if (!person ||
            !person->Run({Variant(each.code), Variant(each.name), OptionalValue(each.depCode)})) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WriteWarehouses(const std::vector<DemoWarehouse>& warehouses) {
    auto warehouse = backend_.Prepare(
        "insert into Warehouse (cWhCode, cWhName, cWhAddress, cWhPerson) values (?, ?, ?, ?)");
    for (const auto& each : warehouses) {
        if (!warehouse ||
            !warehouse->Run({Variant(each.code), Variant(each.name), OptionalValue(each.address),
                             Variant(each.keeper->name)})) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WriteClasses(const DemoClassTree& tree) {
    auto node = backend_.Prepare(
        "insert into InventoryClass (cInvCCode, cInvCName, iInvCGrade, bInvCEnd) "
        "values (?, ?, ?, ?)");
    for (const auto& each : tree.Nodes()) {
        if (!node || !node->Run({Variant(each.code), Variant(each.name), Variant(each.grade),
                                 Variant(each.isEnd ? 1 : 0)})) {
            return false;
        }
    }
    return true;
}

bool ReferenceDataWriter::WriteUsers(const std::vector<DemoWarehouse>& warehouses) {
    auto user =
        backend_.Prepare("insert into aa_user (cUserId, cUserName, bAdmin) values (?, ?, 0)");
    for (const auto& [id, name] : {std::pair{kReader, "王强"}, std::pair{kGuest, "访客"}}) {
        if (!user || !user->Run({Variant(id), Variant(name)})) {
            return false;
        }
    }
    return backend_.ExecuteScript(
               "insert into aa_rowauth_object (cBusObCode, bControlled) values ('Warehouse', 1) "
               "on conflict (cBusObCode) do update set bControlled = 1") &&
           WriteGrants(warehouses);
}

bool ReferenceDataWriter::WriteGrants(const std::vector<DemoWarehouse>& warehouses) {
    auto grant = backend_.Prepare(
        "insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) "
        "values (?, 'Warehouse', ?, ?)");
    if (!grant) {
        return false;
    }
    for (std::size_t i = 0; i < warehouses.size(); ++i) {
        const std::string& code = warehouses[i].code;
        const char* right = ReaderRight(i, code);
        if (right != nullptr && !grant->Run({Variant(kReader), Variant(code), Variant(right)})) {
            return false;
        }
    }
    return true;
}

}  // namespace zel::demo
