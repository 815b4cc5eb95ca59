#include "import/import_known_codes.h"

#include "import/import_query.h"

namespace korvel {
namespace {

// 1 where the condition holds: a right or the end-date rule, tested by the database in the same
// pass that reads the code.
std::string Flag(const std::string& condition) {
    return "case when " + condition + " then 1 else 0 end";
}

bool FlagSet(const zel::IRecordset& rows, int index) {
    return FieldText(rows, index) == "1";
}

}  // namespace

bool ImportKnownCodes::Read(const ComponentContext& context, std::string& failure) {
    const LoginContext& login = context.login;
    const std::string inUse = login.pub->GetEndDateFilter("inventory", login.sCurDate);
    const bool read =
        StreamRows(
            login,
            "select cWhCode, " + Flag(login.sAuthWhW) + " from Warehouse where " + login.sAuthWh,
            [this](const zel::IRecordset& rows) {
                const std::string code = FieldText(rows, 0);
                warehouses_[CodeKey(code)] = {code, FlagSet(rows, 1)};
            },
            failure) &&
        StreamRows(
            login,
            "select cInvCode, " + Flag(login.sAuthInvW) + ", " + Flag(inUse) +
                " from Inventory where " + login.sAuthInv,
            [this](const zel::IRecordset& rows) {
                const std::string code = FieldText(rows, 0);
                inventories_[CodeKey(code)] = {code, FlagSet(rows, 1), FlagSet(rows, 2)};
            },
            failure) &&
        StreamRows(
            login,
            "select cPersonCode, " + Flag(login.sAuthPersonW) + ", cPersonName from Person where " +
                login.sAuthPerson,
            [this](const zel::IRecordset& rows) {
                const std::string code = FieldText(rows, 0);
                const std::string key = CodeKey(code);
                persons_[key] = {code, FlagSet(rows, 1)};
                const auto [name, added] =
                    personNames_.try_emplace(CodeKey(FieldText(rows, 2)), key);
                if (!added) {
                    name->second.clear();
                }
            },
            failure);
    return read;
}

const KnownCode* ImportKnownCodes::Find(const Codes& codes, std::string_view code) {
    const auto found = codes.find(CodeKey(code));
    return found == codes.end() ? nullptr : &found->second;
}

const KnownCode* ImportKnownCodes::Warehouse(std::string_view code) const {
    return Find(warehouses_, code);
}

const KnownCode* ImportKnownCodes::Inventory(std::string_view code) const {
    return Find(inventories_, code);
}

const KnownCode* ImportKnownCodes::Person(std::string_view code) const {
    return Find(persons_, code);
}

const KnownCode* ImportKnownCodes::PersonByCodeOrName(std::string_view text) const {
    if (const KnownCode* person = Person(text)) {
        return person;
    }
    const auto named = personNames_.find(CodeKey(text));
    return named == personNames_.end() || named->second.empty() ? nullptr : Person(named->second);
}

}  // namespace korvel
