#include "host/database/register_database_service.h"

#include <gtest/gtest.h>

#include "host/database/session_locks.h"
#include "interfaces/cls_common.h"
#include "support/test_database.h"

namespace zel {
namespace {

TEST(RegisterDatabaseService, ServesANewUnconnectedServiceForEachCreation) {
    test::TestDatabase db;
    ObjectRegistry registry;
    RegisterDatabaseService(registry, db.Environment());
    auto first = CreateObjectAs<IClsCommon>(registry, "zelsrvtrans.IClsCommon");
    auto second = CreateObjectAs<IClsCommon>(registry, "ZelSrvTrans.IClsCommon");
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    EXPECT_FALSE(first->Status());
    first->Init(test::TestDatabase::kAccount);
    EXPECT_TRUE(first->Status());
    EXPECT_FALSE(second->Status());
    EXPECT_TRUE(std::dynamic_pointer_cast<ISessionLocks>(first));
}

}  // namespace
}  // namespace zel
