#pragma once

#include <QIcon>
#include <string>
#include <vector>

namespace zel {

// Pictures by key, in the order added (index from 1), for button bars and trees.
class ImageList {
public:
    // False, and nothing added, for a taken key or an empty picture.
    bool Add(const std::string& key, const QIcon& icon);
    // Adds the controls' own picture of that name under the same key.
    bool AddOwn(const std::string& key) { return Add(key, OwnIcon(key)); }
    // An empty icon for an unknown key.
    QIcon Icon(const std::string& key) const;
    bool Contains(const std::string& key) const;
    int Count() const { return static_cast<int>(images_.size()); }
    // The key at index (from 1); "" outside the list.
    std::string Key(int index) const;
    void Clear() { images_.clear(); }

    // The controls' own picture of a command ("Add", "SaveRs", "NodeP", ...); empty when there
    // is none of that name.
    static QIcon OwnIcon(const std::string& name);

private:
    struct Image {
        std::string key;
        QIcon icon;
    };
    std::vector<Image> images_;
};

}  // namespace zel
