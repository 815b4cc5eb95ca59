#include "host/objects/object_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zel {
namespace {

class Thing final : public IObject {};

std::filesystem::path FreshFolder(const std::string& name) {
    auto folder = std::filesystem::temp_directory_path() / ("whinv-registry-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(ObjectRegistry, CreatesRegisteredObjectsWithoutRegardToCase) {
    ObjectRegistry registry;
    registry.Register("ZelPub.IPub", [](IObjectFactory&) { return std::make_shared<Thing>(); });
    EXPECT_NE(registry.CreateObject("zelpub.ipub"), nullptr);
    EXPECT_NE(registry.CreateObject("ZELPUB.IPUB"), nullptr);
}

TEST(ObjectRegistry, UnknownAndUnregisteredProgIdsGiveNothingWithAReason) {
    ObjectRegistry registry;
    registry.Register("A.B", [](IObjectFactory&) { return std::make_shared<Thing>(); });
    registry.Unregister("a.b");
    EXPECT_EQ(registry.CreateObject("A.B"), nullptr);
    EXPECT_NE(registry.LastError().find("A.B"), std::string::npos);
}

TEST(ObjectRegistry, LoadsAComponentLibraryFromItsRegistrationFile) {
    const auto folder = FreshFolder("load");
    std::ofstream(folder / "probe.reg") << "# test\nTest.Probe = " << PROBE_COMPONENT_PATH << "\n";
    std::ofstream(folder / "ignored.txt") << "Other.Thing=/nowhere.so\n";
    ObjectRegistry registry;
    EXPECT_EQ(registry.LoadRegistrations(folder.string()), 1);
    EXPECT_NE(registry.CreateObject("test.probe"), nullptr);
    EXPECT_EQ(registry.CreateObject("Other.Thing"), nullptr);
}

TEST(ObjectRegistry, ALibraryThatCannotBeLoadedFailsCleanly) {
    const auto folder = FreshFolder("missing");
    std::ofstream(folder / "broken.reg") << "Broken.Thing=" << (folder / "absent.so").string();
    ObjectRegistry registry;
    registry.LoadRegistrations(folder.string());
    EXPECT_EQ(registry.CreateObject("Broken.Thing"), nullptr);
    EXPECT_FALSE(registry.LastError().empty());
    EXPECT_EQ(registry.LoadRegistrations((folder / "no-such-folder").string()), 0);
}

}  // namespace
}  // namespace zel
