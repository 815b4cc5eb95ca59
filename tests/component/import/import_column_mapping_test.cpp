#include "import/import_column_mapping.h"

#include <gtest/gtest.h>

#include "component/import/import_test_base.h"
#include "import/import_mapping_store.h"

namespace korvel::test {
namespace {

class ImportColumnMappingTest : public ImportTestBase {
protected:
    void SetUp() override {
        ImportTestBase::SetUp();
        Bind();
    }
    ImportColumnMapping Match(const std::vector<std::string>& header) {
        return ImportColumnMapping::Match(header, context.catalogue, *context.login.pub);
    }
    std::vector<std::string> Columns(const ImportColumnMapping& mapping) {
        std::vector<std::string> columns;
        for (std::size_t column = 0; column < mapping.ColumnCount(); ++column) {
            const CorrespondenceField* field = mapping.FieldOf(column);
            columns.push_back(field ? std::string(field->column) : "-");
        }
        return columns;
    }
};

TEST_F(ImportColumnMappingTest, TheGridsCaptionsAsTheExportWritesThemNameTheirFields) {
    std::vector<std::string> header{Text("Zel.AA.ARCHIVE.COMMON.serialnumber")};
    std::vector<std::string> expected{"-"};
    for (const CorrespondenceField* field : FieldsInGridOrder()) {
        header.push_back(Caption(std::string(field->column).c_str()));
        expected.emplace_back(field->column);
    }
    const ImportColumnMapping mapping = Match(header);
    EXPECT_EQ(Columns(mapping), expected);
    EXPECT_EQ(mapping.IgnoredColumns(), std::vector<std::size_t>{0}) << "the serial number";
}

TEST_F(ImportColumnMappingTest, ColumnNamesAndCaptionsMatchWhateverTheirCaseAndBlanks) {
    const ImportColumnMapping mapping =
        Match({"CWHCODE", " cInvCode ", "i Top Sum", "cPersonName", "备注",
               " " + Caption("iLowSum") + "\u3000", Caption("cWhCode")});
    EXPECT_EQ(Columns(mapping),
              (std::vector<std::string>{"cWhCode", "cInvCode", "iTopSum", "Person.cPersonName", "-",
                                        "iLowSum", "cWhCode"}));
    EXPECT_EQ(mapping.IgnoredColumns(), std::vector<std::size_t>{4});
}

TEST_F(ImportColumnMappingTest, AMissingKeyColumnOrAFieldHeldTwiceIsRefusedByName) {
    struct Case {
        const char* name;
        std::vector<std::string> header;
        bool defaultWarehouse;
        std::string refusal;
    };
    const Case cases[] = {
        {"no item column",
         {"cWhCode", "iTopSum"},
         false,
         Text("Zel.AA.WHINVCONTRAPOSE.IMPORT.missing_column", {Caption("cInvCode")})},
        {"no warehouse column",
         {"cInvCode", "iTopSum"},
         false,
         Text("Zel.AA.WHINVCONTRAPOSE.IMPORT.missing_column", {Caption("cWhCode")})},
        {"no warehouse column but a default warehouse", {"cInvCode", "iTopSum"}, true, ""},
        {"a field twice",
         {"cWhCode", "cInvCode", "iTopSum", "ITOPSUM"},
         false,
         Text("Zel.AA.WHINVCONTRAPOSE.IMPORT.field_twice",
              {Caption("iTopSum"), "iTopSum", "ITOPSUM"})},
    };
    for (const Case& c : cases) {
        const auto refusal = Match(c.header).Refusal(*context.login.pub, c.header,
                                                     context.catalogue, c.defaultWarehouse);
        EXPECT_EQ(refusal.value_or(""), c.refusal) << c.name;
    }
}

TEST_F(ImportColumnMappingTest, ACorrectedMappingIsRememberedForTheSameHeader) {
    const std::vector<std::string> header{"仓库", "cInvCode", "上限"};
    ImportColumnMapping mapping = Match(header);
    mapping.SetField(0, &Field("cWhCode"));
    mapping.SetField(2, &Field("iTopSum"));
    ImportMappingStore store(context.login.db, "demo");
    ASSERT_TRUE(store.Save(header, mapping));

    ImportMappingStore later(database.OpenService(), "demo");
    EXPECT_EQ(later.Load(header), mapping);
    EXPECT_EQ(later.Load({" 仓库", "CINVCODE", "上 限"}), mapping) << "case and blanks aside";
    EXPECT_FALSE(later.Load({"仓库", "cInvCode"}));
    EXPECT_FALSE(ImportMappingStore(context.login.db, "another").Load(header));

    mapping.SetField(2, nullptr);
    ASSERT_TRUE(store.Save(header, mapping));
    EXPECT_EQ(later.Load(header), mapping) << "an ignored column is kept too";
}

}  // namespace
}  // namespace korvel::test
