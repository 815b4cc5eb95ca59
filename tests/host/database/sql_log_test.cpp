#include "host/database/sql_log.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

namespace zel {
namespace {

TEST(SqlLogTest, KeepsNoPasswordAStatementOrAnErrorQuotes) {
    const QTemporaryDir folder;
    const std::string path = folder.filePath("sql.log").toStdString();
    const SqlLog log(path);
    log.Append("Execute", "select dblink_connect('host=db password=Sekrit-4711')", -1,
               std::chrono::milliseconds(3),
               "could not connect: postgresql://wang:Sekrit-4711@db/shop");

    std::ifstream file(path);
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str().find("Sekrit-4711"), std::string::npos) << written.str();
    EXPECT_NE(written.str().find("password=***"), std::string::npos) << written.str();
    EXPECT_NE(written.str().find("wang:***@db"), std::string::npos) << written.str();
}

}  // namespace
}  // namespace zel
