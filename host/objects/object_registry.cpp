#include "host/objects/object_registry.h"

#include <dlfcn.h>

#include <filesystem>
#include <fstream>

#include "host/objects/host_text.h"
#include "host/objects/trimmed_text.h"

namespace zel {
namespace {

std::string KeyOf(std::string_view progId) {
    return AsciiLower(progId);
}

}  // namespace

ObjectRegistry::~ObjectRegistry() {
    // Creators may live in the loaded libraries: drop them before the code goes.
    creators_.clear();
    for (void* handle : loadedHandles_) {
        dlclose(handle);
    }
}

void ObjectRegistry::Register(const std::string& progId, ObjectCreator create) {
    creators_[KeyOf(progId)] = std::move(create);
}

void ObjectRegistry::Unregister(const std::string& progId) {
    creators_.erase(KeyOf(progId));
    libraries_.erase(KeyOf(progId));
}

void ObjectRegistry::RegisterLibrary(const std::string& progId, const std::string& libraryPath) {
    libraries_[KeyOf(progId)] = libraryPath;
}

int ObjectRegistry::LoadRegistrations(const std::string& folder) {
    std::error_code error;
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".reg") {
            continue;
        }
        std::ifstream file(entry.path());
        std::string line;
        while (std::getline(file, line)) {
            const auto equals = line.find('=');
            if (line.empty() || line.front() == '#' || equals == std::string::npos) {
                continue;
            }
            RegisterLibrary(TrimmedLine(line.substr(0, equals)),
                            TrimmedLine(line.substr(equals + 1)));
            ++found;
        }
    }
    return found;
}

bool ObjectRegistry::LoadLibraryFor(const std::string& key) {
    const auto library = libraries_.find(key);
    if (library == libraries_.end()) {
        lastError_ = "no registration";
        return false;
    }
    void* handle = dlopen(library->second.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (handle == nullptr) {
        lastError_ = dlerror();
        return false;
    }
    auto* entry =
        reinterpret_cast<void (*)(IObjectRegistrar&)>(dlsym(handle, "ZelRegisterObjects"));
    if (entry == nullptr) {
        lastError_ = library->second + " has no ZelRegisterObjects";
        dlclose(handle);
        return false;
    }
    loadedHandles_.push_back(handle);
    entry(*this);
    return creators_.contains(key);
}

std::shared_ptr<IObject> ObjectRegistry::CreateObject(std::string_view progId) {
    const std::string key = KeyOf(progId);
    lastError_.clear();
    if (!creators_.contains(key) && !LoadLibraryFor(key)) {
        lastError_ = std::string(progId) + ": " + lastError_;
        return nullptr;
    }
    auto object = creators_.at(key)(*this);
    if (!object) {
        lastError_ = std::string(progId) + ": creation failed";
    }
    return object;
}

}  // namespace zel
