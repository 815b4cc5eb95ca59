#include "host/controls/print/free_heap.h"

// Any C library header tells which library this is.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zel {

void ReturnFreeHeapToSystem() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace zel
