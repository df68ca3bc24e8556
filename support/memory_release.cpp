#include "memory_release.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void releaseFreeMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}
