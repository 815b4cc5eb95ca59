// The account the import benchmarks bring a spreadsheet into: warehouse IMP holds a row for each
// of 100,000 items in use, on a SQLite file or on a database of the benchmark server made for the
// run and dropped at its end.
#pragma once

#include <unistd.h>

#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <string>

#include "bare_connection.h"
#include "bench_server.h"
#include "demo_account.h"
#include "demo_main_window.h"
#include "host/objects/inventory_in_use.h"

namespace bench {

class ImportAccount {
public:
    enum class Engine { kSqlite, kPostgres };

    static constexpr std::int64_t kRows = 100'000;
    // Enough that kRows of them are in use on the business date of DemoMainWindow.
    static constexpr std::int64_t kItems = 110'000;
    static constexpr const char* kBusinessDate = "2024-03-15";
    static constexpr const char* kWarehouse = "IMP";

    ImportAccount(Engine engine, const std::string& name) : engine_(engine) {
        if (engine == Engine::kSqlite) {
            location_ = dir_.path().toStdString() + "/" + name + ".db";
            BuildDemoAccount(location_, 1000, kItems, 2);
        } else {
            database_ = "whinv_bench_" + name + "_" + std::to_string(getpid());
            RunOnServer(BenchServer(), "create database " + database_);
            location_ = BenchServer() + " dbname=" + database_;
            BuildDemoAccount("postgresql:" + location_, 1000, kItems, 2);
        }
        // Items ended by the business date would be refused: the rows are of items in use.
        Execute(std::string("insert into Warehouse (cWhCode, cWhName) values ('") + kWarehouse +
                "', 'import'); insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum) "
                "select '" +
                kWarehouse + "', cInvCode, 100, 10 from Inventory where " +
                zel::InventoryInUseCondition("'" + std::string(kBusinessDate) + "'") +
                " order by cInvCode limit " + std::to_string(kRows));
        if (engine == Engine::kPostgres) {
            Execute("analyze WhInvContrapose, Inventory, Warehouse");
        }
        demo_ = std::make_unique<DemoMainWindow>(Account());
    }
    ~ImportAccount() {
        demo_.reset();
        if (engine_ == Engine::kPostgres) {
            RunOnServer(BenchServer(), "drop database if exists " + database_ + " with (force)");
        }
    }
    ImportAccount(const ImportAccount&) = delete;
    ImportAccount& operator=(const ImportAccount&) = delete;

    bool OnServer() const { return engine_ == Engine::kPostgres; }
    // The SQLite file, or the server's connection text of the account's database.
    const std::string& Location() const { return location_; }
    // As DemoMainWindow and the accounts name it.
    std::string Account() const { return OnServer() ? "postgresql:" + location_ : location_; }
    DemoMainWindow& Demo() { return *demo_; }
    const std::string& Folder() const { return folder_; }

    // Beside the program, as the account's owner.
    void Execute(const std::string& sql) {
        if (OnServer()) {
            RunOnServer(location_, sql);
        } else {
            BareConnection(location_).Execute(sql);
        }
    }
    // The first column of the first row as a number; -1 without a row.
    std::int64_t Count(const std::string& sql) {
        const auto rows = demo_->Context().login.db->OpenX(sql);
        return rows && !rows->Eof() ? std::stoll(rows->Fields(0)->ToString()) : -1;
    }

private:
    Engine engine_;
    QTemporaryDir dir_;
    std::string folder_ = dir_.path().toStdString();
    std::string database_;
    std::string location_;
    std::unique_ptr<DemoMainWindow> demo_;
};

}  // namespace bench
