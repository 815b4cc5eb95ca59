#include "db/demo/demo_data_generator.h"

#include <numeric>

#include "db/demo/correspondence_table.h"
#include "db/demo/demo_item_factory.h"
#include "db/demo/inventory_table.h"
#include "db/demo/reference_data_writer.h"
#include "db/demo/stock_settings_factory.h"
#include "db/demo/warehouse_quotas.h"
#include "host/database/account_database.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/single_value.h"
#include "host/database/sqlite/sqlite_backend.h"

namespace zel::demo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kServerPrefix = "postgresql:";

// On a server every statement costs a round trip, and a run of the history's statement trigger
// when it writes correspondence rows: a thousand rows a statement make a million-row account in
// minutes where a row a statement took over twenty. A file pays neither and takes a row at a time,
// through one prepared statement. A thousand rows hold at most 19,000 values, well within the
// 65,535 a statement may carry.
constexpr int kServerRowsPerStatement = 1000;

constexpr const char* kCodingRuleQuery =
    "select CODINGRULE from GradeDef where KeyWord = 'InventoryClass'";

DemoOutcome Failed(DemoFailure failure, std::string detail) {
    return {failure, std::move(detail), {}};
}

// A step that visits every one of count positions before it returns to the first.
std::size_t CoprimeStep(DemoRandom& random, std::size_t count) {
    if (count <= 2) {
        return 1;
    }
    std::size_t step = 1;
    do {
        step = static_cast<std::size_t>(random.Between(1, static_cast<std::int64_t>(count) - 1));
    } while (std::gcd(step, count) != 1);
    return step;
}

// A file's history triggers: the statements that drop them, and those that make them again.
struct HistoryTriggers {
    std::string drop;
    std::string make;
};

std::optional<HistoryTriggers> ReadHistoryTriggers(SqlBackend& backend) {
    const auto rows = backend.Prepare(
        "select name, sql from sqlite_master where type = 'trigger' and "
        "name like '%\\_history\\_%' escape '\\'");
    if (!rows) {
        return std::nullopt;
    }
    HistoryTriggers triggers;
    StepResult step = rows->Step();
    for (; step == StepResult::Row; step = rows->Step()) {
        triggers.drop += "drop trigger " + std::string(rows->ColumnText(0)) + "; ";
        triggers.make += std::string(rows->ColumnText(1)) + "; ";
    }
    if (step != StepResult::Done) {
        return std::nullopt;
    }
    return triggers;
}

}  // namespace

DemoDataGenerator::DemoDataGenerator(DemoOptions options)
    : options_(std::move(options)), random_(options_.seed) {}

DemoOutcome DemoDataGenerator::Generate() {
    if (options_.rows < 0 || options_.items < 1 || options_.warehouses < 1) {
        return Failed(DemoFailure::BadSize, options_.output);
    }
    if (options_.output.starts_with(kServerPrefix)) {
        return BuildOnServer(options_.output.substr(kServerPrefix.size()));
    }
    const fs::path target(options_.output);
    std::error_code error;
    if (fs::exists(target, error) && !options_.force) {
        return Failed(DemoFailure::TargetExists, options_.output);
    }
    if (fs::is_directory(target, error)) {
        return Failed(DemoFailure::CannotCreate,
                      std::make_error_code(std::errc::is_a_directory).message());
    }
    fs::path building = target;
    building += kBuildingSuffix;
    fs::remove(building, error);
    DemoOutcome outcome = Build(building);
    if (outcome.Ok() && !options_.force && fs::exists(target, error)) {
        outcome = Failed(DemoFailure::TargetExists, options_.output);
    }
    if (outcome.Ok()) {
        fs::rename(building, target, error);
        if (error) {
            outcome = Failed(DemoFailure::CannotCreate, error.message());
        }
    }
    if (!outcome.Ok()) {
        fs::remove(building, error);
    }
    return outcome;
}

DemoOutcome DemoDataGenerator::Build(const fs::path& file) {
    random_ = DemoRandom(options_.seed);
    std::string schemaError;
    if (!CreateAccountDatabase(file.string(), schemaError)) {
        return Failed(DemoFailure::CannotCreate, schemaError);
    }
    SqliteBackend backend;
    if (!backend.Open(file.string())) {
        return Failed(DemoFailure::CannotCreate, backend.LastError());
    }
    // One transaction and no journal file: the file is thrown away whole if anything fails.
    // The generated rows are where a new file starts, no change of anyone's: the history
    // triggers are away while the rows go in and come back before the end. Written and then
    // deleted, the history would have left four fifths of the file free pages between the rows.
    const auto triggers = ReadHistoryTriggers(backend);
    if (!triggers ||
        !backend.ExecuteScript("pragma journal_mode = memory; pragma synchronous = off; "
                               "pragma cache_size = -262144; begin; " +
                               triggers->drop)) {
        return Failed(DemoFailure::CannotCreate, backend.LastError());
    }
    DemoOutcome outcome = Fill(backend, 1);
    if (outcome.Ok() && !backend.ExecuteScript(triggers->make + "commit")) {
        return Failed(DemoFailure::Write, backend.LastError());
    }
    return outcome;
}

// The server's database must exist; the account's tables are made in it. An account that already
// holds warehouses is kept unless the caller forces a new one, which empties its tables first.
DemoOutcome DemoDataGenerator::BuildOnServer(const std::string& conninfo) {
    random_ = DemoRandom(options_.seed);
    std::string schemaError;
    if (!CreateServerAccount(conninfo, schemaError)) {
        return Failed(DemoFailure::CannotCreate, schemaError);
    }
    PostgresBackend backend;
    if (!backend.Open(conninfo)) {
        return Failed(DemoFailure::CannotCreate, backend.LastError());
    }
    const auto used = ReadSingleValue(backend, "select count(*) from Warehouse", {}).value;
    if (used && used->ToString() != "0" && !options_.force) {
        return Failed(DemoFailure::TargetExists, options_.output);
    }
    // The generated rows are where the account starts, as a new file does: no change of anyone's.
    // The history of the rows a forced build throws away goes with them, and the build's own adds
    // are not recorded: the trigger that records them is off inside this transaction only, which
    // holds the table locked until it ends (as the truncate does, which only the tables' owner
    // may run too), so no other writer ever goes unrecorded. Recording them would also write ten
    // history values for every row and then throw them away.
    if (!backend.Begin() ||
        !backend.ExecuteScript("truncate WhInvContrapose, Inventory, InventoryClass, Warehouse, "
                               "Person, ComputationUnit, computationGroup, aa_rowauth, "
                               "whinv_change_value, whinv_change; "
                               "delete from aa_user where bAdmin = 0; "
                               "alter table WhInvContrapose disable trigger "
                               "WhInvContrapose_history_add")) {
        return Failed(DemoFailure::CannotCreate, backend.LastError());
    }
    DemoOutcome outcome = Fill(backend, kServerRowsPerStatement);
    if (outcome.Ok() &&
        !backend.ExecuteScript(
            "alter table WhInvContrapose enable trigger WhInvContrapose_history_add")) {
        outcome = Failed(DemoFailure::Write, backend.LastError());
    }
    if (outcome.Ok() && !AddLoginAsAdministrator(backend)) {
        outcome = Failed(DemoFailure::Write, backend.LastError());
    }
    if (!outcome.Ok()) {
        backend.Rollback();
        return outcome;
    }
    if (!backend.Commit()) {
        return Failed(DemoFailure::Write, backend.LastError());
    }
    return outcome;
}

DemoOutcome DemoDataGenerator::Fill(SqlBackend& backend, int rowsPerStatement) {
    const auto stored = ReadSingleValue(backend, kCodingRuleQuery, {}).value;
    const std::string rule = stored ? stored->ToString() : std::string();
    const auto parsed = ClassCodingRule::Parse(rule);
    classes_ = parsed ? DemoClassTree::Build(*parsed) : std::nullopt;
    if (!classes_) {
        return Failed(DemoFailure::CodingRule, rule);
    }
    const auto warehouses = DemoCatalogue::Warehouses(options_.warehouses);
    const auto quotas = WarehouseQuotas::Plan(options_.rows, options_.warehouses, options_.items);
    ReferenceDataWriter reference(backend);
    const bool written = reference.WriteUnits() && reference.WritePersons() &&
                         reference.WriteWarehouses(warehouses) &&
                         reference.WriteClasses(*classes_) && reference.WriteUsers(warehouses) &&
                         WriteItems(backend, warehouses, quotas.Items(), rowsPerStatement);
    if (!written) {
        return Failed(DemoFailure::Write, backend.LastError());
    }
    CorrespondenceTable table(backend, rowsPerStatement);
    for (std::size_t i = 0; i < warehouses.size(); ++i) {
        if (!WriteRows(table, warehouses[i], quotas.Rows()[i])) {
            return Failed(DemoFailure::Write, backend.LastError());
        }
    }
    if (!table.Flush()) {
        return Failed(DemoFailure::Write, backend.LastError());
    }
    const DemoSummary summary{static_cast<int>(warehouses.size()),
                              static_cast<int>(classes_->Nodes().size()),
                              static_cast<std::int64_t>(items_.size()), options_.rows};
    return {DemoFailure::None, {}, summary};
}

bool DemoDataGenerator::WriteItems(SqlBackend& backend,
                                   const std::vector<DemoWarehouse>& warehouses, std::int64_t count,
                                   int rowsPerStatement) {
    InventoryTable table(backend, rowsPerStatement);
    DemoItemFactory factory(*classes_, warehouses, count);
    items_.clear();
    items_.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        items_.push_back(factory.Make(random_));
        if (!table.Insert(items_.back())) {
            return false;
        }
    }
    return table.Flush();
}

bool DemoDataGenerator::WriteRows(CorrespondenceTable& table, const DemoWarehouse& warehouse,
                                  std::int64_t quota) {
    const std::size_t count = items_.size();
    const std::size_t step = CoprimeStep(random_, count);
    // The apostrophe store always holds the apostrophe item, the first one.
    std::size_t index =
        warehouse.code == DemoCatalogue::kApostropheWarehouse ? 0 : random_.Index(count);
    for (std::int64_t k = 0; k < quota; ++k) {
        const DemoItem& item = items_[index];
        const StockSettings settings = item.own && random_.Percent(70)
                                           ? *item.own
                                           : StockSettingsFactory::Make(random_, item.stockScale);
        if (!table.Insert(warehouse.code, item.cInvCode, settings, Storekeeper(warehouse))) {
            return false;
        }
        index = (index + step) % count;
    }
    return true;
}

std::optional<std::string> DemoDataGenerator::Storekeeper(const DemoWarehouse& warehouse) {
    const auto draw = random_.Between(0, 99);
    if (draw < 60) {
        return warehouse.keeper->code;
    }
    if (draw < 85) {
        const auto& persons = DemoCatalogue::Persons();
        return persons[random_.Index(persons.size())].code;
    }
    return std::nullopt;
}

}  // namespace zel::demo
