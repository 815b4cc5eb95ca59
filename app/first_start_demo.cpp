#include "app/first_start_demo.h"

#include <sys/stat.h>
#include <QApplication>
#include <QLabel>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "db/demo/demo_data_generator.h"
#include "db/demo/demo_texts.h"
#include "interfaces/pub.h"

// The demo builder's texts reach this program through a static archive, from which the linker
// takes only the objects something refers to: the resource reference keeps their table.
static const zel::ResourceTexts& DemoBuilderTexts() {
    Q_INIT_RESOURCE(demo_resources);
    return zel::demo::DemoTexts::Instance();
}

namespace zel {
namespace {

// Shown while the database is built: there is no other window yet to tell the user why the
// program has not appeared.
std::unique_ptr<QLabel> BuildingNotice(const std::string& text) {
    auto notice = std::make_unique<QLabel>(QString::fromStdString(text));
    notice->setWindowFlags(Qt::SplashScreen);
    notice->setMargin(24);
    notice->show();
    QApplication::processEvents();
    return notice;
}

// The data folder holds the user's own databases: a folder made here is the user's alone, made
// so at once rather than narrowed after. The folders above it, and a folder that is there, keep
// their permissions.
std::error_code MakeDataFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (error) {
        return error;
    }
    if (::mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
        return {errno, std::generic_category()};
    }
    if (!std::filesystem::is_directory(folder, error) && !error) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    return error;
}

// The demo database at file, its folder made first; the reason, worded for the user, when it
// cannot be built.
std::optional<std::string> BuildDemoDatabase(const std::string& file) {
    const auto& texts = DemoBuilderTexts();
    if (const auto error = MakeDataFolder(std::filesystem::path(file).parent_path())) {
        return texts.Format("Zel.DEMO.cannotcreate", {file + ": " + error.message()});
    }
    demo::DemoOptions options;
    options.output = file;
    const demo::DemoOutcome outcome = demo::DemoDataGenerator(options).Generate();
    if (!outcome.Ok()) {
        return texts.Format(demo::DemoTexts::FailureKey(outcome.failure), {outcome.detail});
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> MissingOwnDatabase(const AccountDirectory& accounts,
                                              const std::string& ysDBName) {
    const DatabaseLocation location = accounts.Locate(ysDBName);
    const std::string ownFile = accounts.DataFolder() + "/" + ysDBName + ".db";
    if (location.backend != DatabaseLocation::Backend::Sqlite || location.connection != ownFile) {
        return std::nullopt;
    }
    // A file that cannot even be looked at is not missing: opening it tells the user why.
    std::error_code error;
    const auto status = std::filesystem::status(ownFile, error);
    if (status.type() != std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    return ownFile;
}

bool PrepareFirstStartDatabase(const AccountDirectory& accounts, const std::string& ysDBName,
                               IDialogPresenter& dialogs) {
    const auto file = MissingOwnDatabase(accounts, ysDBName);
    if (!file) {
        return true;
    }
    const auto& texts = DemoBuilderTexts();
    const std::string building = texts.Format("Zel.DEMO.building", {*file});
    std::fprintf(stderr, "%s\n", building.c_str());
    std::optional<std::string> failure;
    {
        const auto notice = BuildingNotice(building);
        failure = BuildDemoDatabase(*file);
    }
    if (failure) {
        dialogs.MessageBox(*failure, kMsgStop, texts.Text("Zel.DEMO.title"));
        return false;
    }
    return true;
}

}  // namespace zel
