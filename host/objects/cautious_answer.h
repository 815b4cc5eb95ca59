#pragma once

namespace zel {

// The answer to a message box that nobody is there to read: never a "yes" — no for yes/no,
// cancel for yes/no/cancel, otherwise OK.
int CautiousAnswer(int buttons);

}  // namespace zel
