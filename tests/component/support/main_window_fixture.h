#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "component/support/recording_pub.h"
#include "core/component_context.h"
#include "host/objects/object_registry.h"
#include "mainwindow/frm_whinv_contra.h"
#include "support/test_database.h"

namespace korvel::test {

// The main window over the host's own services on a temporary account, shown offscreen.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();

    // Binds the services for the user as Show would.
    void BindContext(const std::string& user = "demo");
    // The same for a user of the account (database.AddLogin): on a server over his own login,
    // which the row policies bind.
    void BindContext(const zel::test::TestDatabase::UserLogin& user);
    // Puts a recorder over the bound public service (binding first if need be); before Open.
    RecordingPub& RecordHostCalls();
    // Creates and shows the window and lets its first activation run.
    FrmWhInvContra& Open(MainWindowCommands commands = {});
    // Another user's session on the same account, holding the edit lock while it lives.
    struct Session {
        std::shared_ptr<zel::IPub> pub;
        std::shared_ptr<zel::IClsCommon> db;
        std::shared_ptr<zel::ILogin> login;
    };
    Session HoldEditLock(const std::string& user);
    // Whether another user could take the edit lock now (it is given back at once).
    bool EditLockIsFree(const std::string& user);
    // Adds count rows to the warehouse, items codePrefix0001 ...
    void AddRows(const std::string& warehouse, const std::string& codePrefix, int count);
    // A user's click on the tree node of that key: it becomes the selected one, then the tree
    // raises the click.
    static void Click(FrmWhInvContra& window, const std::string& key);
    std::vector<std::string> MessageTexts() const { return database.Dialogs().MessageTexts(); }
    static void Pump();

    zel::test::TestDatabase database;
    zel::ObjectRegistry registry;
    ComponentContext context;
    std::unique_ptr<FrmWhInvContra> window;
};

}  // namespace korvel::test
