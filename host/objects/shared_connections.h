#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace zel {

// The database connections of one program: one per account, handed to every service that opens
// that account, and closed when the last of them ends. The host's services run on one thread.
class SharedConnections {
public:
    // The connection kept under key, or the one make opens when none is alive; nullptr when make
    // fails, and the next call tries again. A key always names connections of one type.
    template <typename Connection>
    std::shared_ptr<Connection> Share(const std::string& key,
                                      const std::function<std::shared_ptr<Connection>()>& make) {
        if (auto alive = std::static_pointer_cast<Connection>(kept_[key].lock())) {
            return alive;
        }
        auto made = make();
        kept_[key] = made;
        return made;
    }

private:
    std::map<std::string, std::weak_ptr<void>> kept_;
};

}  // namespace zel
