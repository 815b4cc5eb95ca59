#pragma once

namespace korvel {

// The key the host files this component's windows under: their layout, options and help, the
// function and edit locks they take, the deletions it logs.
inline constexpr const char* kFormKey = "WhInvContrapose";

}  // namespace korvel
