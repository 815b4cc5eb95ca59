#include <gtest/gtest.h>

#include <algorithm>

#include "fake_services.h"
#include "host/objects/object_registry.h"
#include "interfaces/whinv_contra.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

TEST(Registration, TheRegistrationFileServesTheComponentOverTheRegistryServices) {
    zel::test::ScriptedDialogs dialogs;
    FakeFactory fakes(dialogs);
    zel::ObjectRegistry registry;
    for (const char* progId :
         {"ZelPub.IPub", "ZelSrvTrans.IClsCommon", "ZelRowAuthsvr.clsRowAuth"}) {
        registry.Register(
            progId, [&fakes, progId](zel::IObjectFactory&) { return fakes.CreateObject(progId); });
    }
    ASSERT_GE(registry.LoadRegistrations(WHINV_BINARY_DIR "/registry"), 1);
    const auto component = zel::CreateObjectAs<zel::IWhInvContra>(registry, "korvel.iwhinvcontra");
    ASSERT_NE(component, nullptr) << registry.LastError();

    std::shared_ptr<zel::ILogin> login = std::make_shared<FakeLogin>();
    component->Show(login);

    EXPECT_EQ(dialogs.ModalCount(), 1) << "the main window";
    const auto& journal = *fakes.journal;
    EXPECT_NE(std::find(journal.begin(), journal.end(), "lock WhInvContrapose -1"), journal.end());
    EXPECT_TRUE(fakes.lastPub.expired());
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace korvel::test
