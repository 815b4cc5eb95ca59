#include "host/database/column_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

// A reference written as "column>Table.key".
std::vector<std::string> ReferencesOf(const ColumnCatalogue::Table& table) {
    std::vector<std::string> written;
    for (const auto& [column, referenced, key] : table.references) {
        written.push_back(column + ">" + referenced + "." + key);
    }
    return written;
}

struct TableCase {
    const char* asked;
    const char* spelt;
    std::vector<std::string> key;
    std::vector<std::string> references;
};

TEST(ColumnCatalogueTest, ReadsEachTablesKeyAndReferencesFromTheSchema) {
    const TableCase cases[] = {
        // No primary key: the unique constraint keys the row.
        {"whinvcontrapose",
         "WhInvContrapose",
         {"cWhCode", "cInvCode"},
         {"cWhCode>Warehouse.cWhCode", "cInvCode>Inventory.cInvCode",
          "cWhPersonCode>Person.cPersonCode"}},
        // A primary key wins over a unique column.
        {"Inventory", "Inventory", {"iId"}, {}},
        {"AA_ROWAUTH", "aa_rowauth", {"cUserId", "cBusObCode", "cACCode", "cRight"}, {}},
    };
    for (const auto& c : cases) {
        const auto* table = ColumnCatalogue::OfSchema().FindTable(c.asked);
        ASSERT_NE(table, nullptr) << c.asked;
        EXPECT_EQ(table->name, c.spelt);
        EXPECT_EQ(table->key, c.key) << c.asked;
        EXPECT_EQ(ReferencesOf(*table), c.references) << c.asked;
    }
    EXPECT_EQ(ColumnCatalogue::OfSchema().FindTable("NoSuchTable"), nullptr);
}

TEST(ColumnCatalogueTest, AColumnKeepsItsDeclarationAndWhetherItIsRequired) {
    const auto* code = ColumnCatalogue::OfSchema().Find("WHINVCONTRAPOSE", "cwhcode");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->name, "cWhCode");
    EXPECT_EQ(code->declared, "varchar(10)");
    EXPECT_TRUE(code->required);
    const auto* loss = ColumnCatalogue::OfSchema().Find("WhInvContrapose", "iWastage");
    ASSERT_NE(loss, nullptr);
    EXPECT_EQ(loss->declared, "decimal(12, 6)");
    EXPECT_FALSE(loss->required);
    EXPECT_FALSE(loss->generated);
}

TEST(ColumnCatalogueTest, AColumnTheDatabaseKeepsIsKnownAndMarkedAsSuch) {
    const auto* next = ColumnCatalogue::OfSchema().Find("WhInvContrapose", "dnextdate");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->name, "dNextDate");
    EXPECT_EQ(next->declared, "date");
    EXPECT_TRUE(next->generated);
}

}  // namespace
}  // namespace zel
