#pragma once

namespace zel {

// Hands the heap's free pages back to the system. Printing or exporting a long list reads and
// writes tens of megabytes in blocks freed when it is done; the C library keeps such memory for
// later allocations, so without this the program would stay that much larger after one output.
void ReturnFreeHeapToSystem();

}  // namespace zel
