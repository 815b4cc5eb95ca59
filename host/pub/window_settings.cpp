#include "host/pub/window_settings.h"

#include <QScreen>
#include <algorithm>

#include "host/controls/twips.h"
#include "host/pub/form_store.h"
#include "host/pub/stored_layout.h"
#include "host/pub/window_controls.h"
#include "interfaces/cls_common.h"

namespace zel {
namespace {

constexpr const char* kDatabaseProgId = "ZelSrvTrans.IClsCommon";
constexpr const char* kTreeName = "Trv";

// A size stored on a larger screen must not put the window out of reach.
QSize FittedToScreen(const QWidget& window, QSize size) {
    if (const QScreen* screen = window.screen()) {
        size = size.boundedTo(screen->availableGeometry().size());
    }
    return size.expandedTo(QSize(1, 1));
}

QSize NormalSize(const QWidget& window) {
    const bool sizedByState = window.isMaximized() || window.isMinimized() || window.isFullScreen();
    const QRect normal = window.normalGeometry();
    return sizedByState && normal.isValid() ? normal.size() : window.size();
}

}  // namespace

WindowSettings::WindowSettings(IObjectFactory& factory) : factory_(factory) {}

WindowSettings::~WindowSettings() = default;

std::unique_ptr<FormStore> WindowSettings::OpenStore(const std::optional<FormUser>& user) {
    if (!user || user->userId.empty()) {
        return nullptr;
    }
    auto db = CreateObjectAs<IClsCommon>(factory_, kDatabaseProgId);
    if (!db) {
        return nullptr;
    }
    db->Init(user->ysDBName);
    if (!db->Status()) {
        return nullptr;
    }
    return std::make_unique<FormStore>(std::move(db), user->userId);
}

std::string WindowSettings::StorageKey(const QWidget& window, const std::string& formKey) const {
    // Only the windows opened before this one count.
    const auto below =
        open_.begin() + static_cast<std::ptrdiff_t>(IndexOf(window).value_or(open_.size()));
    const bool overItsForm = std::any_of(open_.begin(), below, [&](const OpenForm& form) {
        return form.window != nullptr && form.window != &window && form.formKey == formKey;
    });
    if (!overItsForm) {
        return formKey;
    }
    const QString name = window.objectName().isEmpty()
                             ? QString::fromUtf8(window.metaObject()->className())
                             : window.objectName();
    return formKey + "/" + name.toStdString();
}

void WindowSettings::Restore(QWidget& window, const std::string& formKey,
                             const std::optional<FormUser>& user) {
    open_.push_back({&window, formKey, StorageKey(window, formKey), std::nullopt});
    const auto store = OpenStore(user);
    RestoreOptions(window, store.get(), open_.back().storageKey);
    if (store) {
        RestoreLayout(window, open_.back(), *store);
    }
}

void WindowSettings::RestoreOptions(QWidget& window, FormStore* store,
                                    const std::string& storageKey) {
    const auto stored =
        store != nullptr ? store->Options(storageKey) : std::map<std::string, std::string>();
    for (const auto& option : AllWindowOptions()) {
        const auto found = stored.find(option.key);
        const auto value = found != stored.end() ? OptionValueOf(found->second) : std::nullopt;
        ApplyWindowOption(window, option, value.value_or(option.defaultOn));
    }
}

void WindowSettings::RestoreLayout(QWidget& window, OpenForm& form, FormStore& store) {
    const auto text = store.Layout(form.storageKey);
    if (!text) {
        return;
    }
    const StoredLayout layout = StoredLayout::FromText(*text);
    const Twips twips = Twips::ForScreen(window.screen());
    if (layout.width && layout.height) {
        window.resize(FittedToScreen(
            window, QSize(twips.ToPixelsX(*layout.width), twips.ToPixelsY(*layout.height))));
    }
    if (layout.treeWidth) {
        form.treeWidth = layout.treeWidth;
        if (QWidget* tree = FindControl(window, kTreeName)) {
            tree->resize(twips.ToPixelsX(*layout.treeWidth), tree->height());
        }
    }
}

void WindowSettings::StoreTop(const std::optional<FormUser>& user) {
    if (open_.empty()) {
        return;
    }
    const OpenForm form = std::move(open_.back());
    open_.pop_back();
    if (form.window == nullptr) {
        return;
    }
    const auto store = OpenStore(user);
    if (!store) {
        return;
    }
    const QWidget& window = *form.window;
    const Twips twips = Twips::ForScreen(window.screen());
    const QSize size = NormalSize(window);
    StoredLayout layout{twips.FromPixelsX(size.width()), twips.FromPixelsY(size.height()),
                        form.treeWidth};
    if (const QWidget* tree = FindControl(window, kTreeName); tree && !layout.treeWidth) {
        layout.treeWidth = twips.FromPixelsX(tree->width());
    }
    store->SaveLayout(form.storageKey, layout.ToText());
}

std::optional<WindowOptionInfo> WindowSettings::Toggle(QWidget& window, std::string_view key,
                                                       const std::string& formKey,
                                                       const std::optional<FormUser>& user) {
    const auto option = FindWindowOption(key);
    if (!option) {
        return std::nullopt;
    }
    const bool on = !WindowOptionState(window, *option);
    ApplyWindowOption(window, *option, on);
    if (const auto store = OpenStore(user)) {
        store->SaveOption(StorageKey(window, formKey), option->key, StoredOptionValue(on));
    }
    return option;
}

std::optional<std::size_t> WindowSettings::IndexOf(const QWidget& window) const {
    for (std::size_t i = open_.size(); i-- > 0;) {
        if (open_[i].window == &window) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<double> WindowSettings::PreferredTreeWidth(const QWidget& window) const {
    const auto index = IndexOf(window);
    return index ? open_[*index].treeWidth : std::nullopt;
}

void WindowSettings::SetPreferredTreeWidth(const QWidget& window, double width) {
    if (const auto index = IndexOf(window)) {
        open_[*index].treeWidth = width;
    }
}

}  // namespace zel
