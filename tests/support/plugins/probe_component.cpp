// A component library for the registry tests: serves one ProgID.
#include "interfaces/object.h"

namespace {

class Probe final : public zel::IObject {};

}  // namespace

extern "C" void ZelRegisterObjects(zel::IObjectRegistrar& registrar) {
    registrar.Register("Test.Probe",
                       [](zel::IObjectFactory&) { return std::make_shared<Probe>(); });
}
