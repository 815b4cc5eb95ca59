#include "host/database/sql_log.h"

#include <gtest/gtest.h>
#include "host/database/cls_common.h"
#include "host/objects/host_environment.h"

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

namespace zel {
namespace {

constexpr const char* kPassword = "Sekrit-4711";

std::string Written(const std::string& path) {
    std::ifstream file(path);
    std::stringstream written;
    written << file.rdbuf();
    return written.str();
}

TEST(SqlLogTest, KeepsNoPasswordAStatementOrAnErrorQuotes) {
    const QTemporaryDir folder;
    const std::string path = folder.filePath("sql.log").toStdString();
    const SqlLog log(path);
    log.Append("Execute", "select dblink_connect('host=db password=Sekrit-4711')", -1,
               std::chrono::milliseconds(3),
               "could not connect: postgresql://wang:Sekrit-4711@db/shop");

    const std::string written = Written(path);
    EXPECT_EQ(written.find(kPassword), std::string::npos) << written;
    EXPECT_NE(written.find("password=***"), std::string::npos) << written;
    EXPECT_NE(written.find("wang:***@db"), std::string::npos) << written;
}

// The service logs why an account could not be opened, and tells its caller; neither repeats the
// password of the account's entry.
TEST(SqlLogTest, AFailedOpenOfTheServiceKeepsTheEntrysPasswordOut) {
    const QTemporaryDir folder;
    const auto environment = std::make_shared<HostEnvironment>();
    environment->sqlLogPath = folder.filePath("sql.log").toStdString();
    environment->accounts.Set(
        "shop", std::string("postgresql:host=127.0.0.1 port=1 dbname=shop password=") + kPassword);
    ClsCommon service(environment);
    service.Init("shop");
    EXPECT_FALSE(service.Status());
    EXPECT_EQ(service.LastError().find(kPassword), std::string::npos) << service.LastError();
    const std::string written = Written(environment->sqlLogPath);
    EXPECT_NE(written.find("shop"), std::string::npos) << written;
    EXPECT_EQ(written.find(kPassword), std::string::npos) << written;
}

}  // namespace
}  // namespace zel
