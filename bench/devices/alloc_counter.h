#pragma once
// Number of heap allocations the process has made so far (global operator new is replaced in
// bench_devices_alloc_counter.cpp).

#include <cstdint>

namespace md::bench {
uint64_t allocationCount();
}
