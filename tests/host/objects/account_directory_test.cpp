#include "host/objects/account_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zel {
namespace {

using Backend = DatabaseLocation::Backend;

TEST(AccountDirectory, NamesWithoutAnEntryAreSqliteFiles) {
    AccountDirectory accounts("/data");
    EXPECT_EQ(accounts.Locate("demo").connection, "/data/demo.db");
    EXPECT_EQ(accounts.Locate("/tmp/x.db").connection, "/tmp/x.db");
    EXPECT_EQ(accounts.Locate("other.db").connection, "other.db");
    EXPECT_EQ(accounts.Locate("demo").backend, Backend::Sqlite);
}

TEST(AccountDirectory, ConfigurationEntriesChooseTheBackend) {
    const auto path = std::filesystem::temp_directory_path() / "whinv-accounts-test.ini";
    std::ofstream(path) << "[general]\nshop=ignored\n[accounts]\n; comment\n"
                           "shop = postgresql:host=localhost dbname=shop\n"
                           "demo=sqlite:/srv/demo.db\n";
    AccountDirectory accounts("/data");
    ASSERT_TRUE(accounts.LoadConfiguration(path.string()));
    EXPECT_EQ(accounts.Locate("shop").backend, Backend::Postgres);
    EXPECT_EQ(accounts.Locate("shop").connection, "host=localhost dbname=shop");
    EXPECT_EQ(accounts.Locate("demo").connection, "/srv/demo.db");
    EXPECT_FALSE(accounts.LoadConfiguration("/no/such/file.ini"));
}

}  // namespace
}  // namespace zel
