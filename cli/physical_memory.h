// The machine's physical memory, for work that would otherwise overrun it: on
// Linux an allocation larger than what is there may succeed and the process be
// killed once it touches it.
#pragma once

#include <cstdint>

// In bytes; 0 when the system does not say.
uint64_t physical_memory_bytes();
