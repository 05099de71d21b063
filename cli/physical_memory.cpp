#include "physical_memory.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

uint64_t physical_memory_bytes() {
#ifdef _WIN32
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
#else
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && page_size > 0 ? static_cast<uint64_t>(pages) * page_size : 0;
#endif
}
