#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "interfaces/object.h"

namespace zel {

// Creation by ProgID. Host services register in-process; component libraries are found through
// registration files (*.reg, lines "ProgID=/path/to/library.so") and loaded on first use.
// ProgIDs compare without regard to case.
class ObjectRegistry final : public IObjectFactory, public IObjectRegistrar {
public:
    ObjectRegistry() = default;
    ObjectRegistry(const ObjectRegistry&) = delete;
    ObjectRegistry& operator=(const ObjectRegistry&) = delete;
    ~ObjectRegistry() override;

    void Register(const std::string& progId, ObjectCreator create) override;
    void Unregister(const std::string& progId);
    // Reads every *.reg file of a folder; returns the number of ProgIDs found.
    int LoadRegistrations(const std::string& folder);
    void RegisterLibrary(const std::string& progId, const std::string& libraryPath);

    std::shared_ptr<IObject> CreateObject(std::string_view progId) override;
    // Why the last CreateObject gave nullptr, for diagnostics.
    const std::string& LastError() const { return lastError_; }

private:
    bool LoadLibraryFor(const std::string& key);

    std::map<std::string, ObjectCreator> creators_;
    std::map<std::string, std::string> libraries_;
    std::vector<void*> loadedHandles_;
    std::string lastError_;
};

}  // namespace zel
