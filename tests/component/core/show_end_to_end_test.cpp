#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>

#include "host/controls/ys_tree_view.h"
#include "host/host_services.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "interfaces/pub.h"
#include "interfaces/whinv_contra.h"
#include "support/test_database.h"

namespace korvel::test {
namespace {

std::shared_ptr<zel::ILogin> LoginAs(const std::string& user) {
    zel::Login::Values values;
    values.userId = user;
    values.curDate = "2024-03-15";
    values.ysDBName = zel::test::TestDatabase::kAccount;
    return std::make_shared<zel::Login>(values);
}

// The component loaded from its registration file over the host's own services.
struct EndToEnd : ::testing::Test {
    zel::test::TestDatabase database;
    zel::ObjectRegistry registry;
    std::shared_ptr<zel::IWhInvContra> component;

    void SetUp() override {
        zel::RegisterHostServices(registry, database.Environment());
        ASSERT_GE(registry.LoadRegistrations(WHINV_BINARY_DIR "/registry"), 1);
        component = zel::CreateObjectAs<zel::IWhInvContra>(registry, "Korvel.IWhInvContra");
        ASSERT_NE(component, nullptr) << registry.LastError();
    }
    // Shows the component for the user; returns the title and tree size of its main window, or
    // "" when no window was shown.
    std::string Show(const std::string& user) {
        std::string seen;
        database.Dialogs().QueueModal([&seen](QDialog& window) {
            QCoreApplication::processEvents();
            const auto* tree = window.findChild<zel::YsTreeView*>("Trv");
            seen = window.objectName().toStdString() + " " + window.windowTitle().toStdString() +
                   " nodes: " + std::to_string(tree ? tree->Nodes().Count() : -1);
            return 0;
        });
        auto login = LoginAs(user);
        component->Show(login);
        return seen;
    }
    // Another user's session on the same account; its locks last as long as its database service.
    struct Session {
        std::shared_ptr<zel::IPub> pub;
        std::shared_ptr<zel::IClsCommon> db;
        std::shared_ptr<zel::ILogin> login;
        // False when someone else holds the function.
        bool TakeFunctionLock() {
            return !pub->IsLockFun(*db, *login, "WhInvContrapose", zel::kLockFunction);
        }
    };
    Session SessionOf(const std::string& user) {
        return {zel::CreateObjectAs<zel::IPub>(registry, "ZelPub.IPub"), database.OpenService(),
                LoginAs(user)};
    }
};

TEST_F(EndToEnd, ShowOpensTheMainWindowOverTheHostServicesAndGivesTheLockBack) {
    database.AddWarehouse("01");
    database.AddWarehouse("02");
    EXPECT_EQ(Show("demo"), "FrmWhInvContra 仓库存货对照表-(02) 仓库 nodes: 3");
    EXPECT_EQ(database.Dialogs().ModalCount(), 1);
    EXPECT_TRUE(database.Dialogs().Messages().empty());
    EXPECT_TRUE(SessionOf("other").TakeFunctionLock());
}

TEST_F(EndToEnd, ShowReturnsWithoutTheWindowWhileAnotherUserHoldsTheFunction) {
    auto holder = SessionOf("other");
    ASSERT_TRUE(holder.TakeFunctionLock());
    EXPECT_EQ(Show("demo"), "");
    EXPECT_EQ(database.Dialogs().Messages().size(), 1u);
    EXPECT_FALSE(SessionOf("third").TakeFunctionLock());
}

}  // namespace
}  // namespace korvel::test
