#include "interfaces/object.h"

// Filled in by the component entry: registers Korvel.IWhInvContra.
extern "C" void ZelRegisterObjects(zel::IObjectRegistrar&) {}
