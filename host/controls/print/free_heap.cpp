#include "host/controls/print/free_heap.h"

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
