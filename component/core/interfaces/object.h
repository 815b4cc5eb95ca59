#pragma once

#include <memory>
#include <string_view>

namespace zel {

// Everything that can be created by ProgID.
class IObject {
public:
    virtual ~IObject() = default;
};

// Creates objects by ProgID; an unknown ProgID (or one whose library cannot be loaded) gives nullptr.
class IObjectFactory {
public:
    virtual ~IObjectFactory() = default;
    virtual std::shared_ptr<IObject> CreateObject(std::string_view progId) = 0;
};

template <class Interface>
std::shared_ptr<Interface> CreateObjectAs(IObjectFactory& factory, std::string_view progId) {
    return std::dynamic_pointer_cast<Interface>(factory.CreateObject(progId));
}

}  // namespace zel

#include <functional>
#include <string>

namespace zel {

using ObjectCreator = std::function<std::shared_ptr<IObject>(IObjectFactory&)>;

// What a component library is given to register the ProgIDs it serves.
class IObjectRegistrar {
public:
    virtual ~IObjectRegistrar() = default;
    virtual void Register(const std::string& progId, ObjectCreator create) = 0;
};

}  // namespace zel

// Entry point every component library exports; the host calls it once after loading the library.
extern "C" void ZelRegisterObjects(zel::IObjectRegistrar& registrar);
