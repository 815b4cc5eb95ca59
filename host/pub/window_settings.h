#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/pub/window_options.h"
#include "interfaces/object.h"

namespace zel {

class FormStore;

// Whose settings they are, and in which account they are kept.
struct FormUser {
    std::string userId;
    std::string ysDBName;
};

// Window sizes, tree widths and options kept per user and form key in the account database,
// and the windows open with them, innermost last. Without a user or a reachable database the
// windows work with their defaults and nothing is kept.
//
// The first window open under a form key (the form's main window) keeps its values under the
// plain key, as it always has; a window opened over it under the same key (the record editor
// over the list) keeps its own under key + "/" + its object name ("WhInvContrapose/FrmAddInv").
class WindowSettings {
public:
    // Creates the database service by ProgID; the factory must outlive the settings.
    explicit WindowSettings(IObjectFactory& factory);
    ~WindowSettings();

    // Gives the window its stored size, tree width and options (defaults for what is not
    // stored) and puts it on top of the open windows.
    void Restore(QWidget& window, const std::string& formKey, const std::optional<FormUser>& user);
    // Stores the layout of the top window and takes it off.
    void StoreTop(const std::optional<FormUser>& user);
    // Switches the option of the key and stores the new state; nullopt for an unknown key.
    std::optional<WindowOptionInfo> Toggle(QWidget& window, std::string_view key,
                                           const std::string& formKey,
                                           const std::optional<FormUser>& user);

    // The tree width the user last chose (stored or dragged), which a narrow window may not
    // show in full; nullopt for a window that is not open with its settings.
    std::optional<double> PreferredTreeWidth(const QWidget& window) const;
    void SetPreferredTreeWidth(const QWidget& window, double width);

private:
    struct OpenForm {
        QPointer<QWidget> window;
        std::string formKey;
        std::string storageKey;
        std::optional<double> treeWidth;
    };

    // The key the window's values are stored under (see above).
    std::string StorageKey(const QWidget& window, const std::string& formKey) const;

    std::unique_ptr<FormStore> OpenStore(const std::optional<FormUser>& user);
    void RestoreOptions(QWidget& window, FormStore* store, const std::string& storageKey);
    void RestoreLayout(QWidget& window, OpenForm& form, FormStore& store);
    // The innermost open form of the window.
    std::optional<std::size_t> IndexOf(const QWidget& window) const;

    IObjectFactory& factory_;
    std::vector<OpenForm> open_;
};

}  // namespace zel
