#pragma once
// Declares a fuzz entry. Under the fuzz preset it is the libFuzzer entry point; in core_tests
// (MD_FUZZ_REPLAY) it is a named function that the corpus replay test calls.
#include <cstddef>
#include <cstdint>

#ifdef MD_FUZZ_REPLAY
#define MD_FUZZ_ENTRY(name, data, size) int mdFuzz_##name(const uint8_t* data, size_t size)
#else
#define MD_FUZZ_ENTRY(name, data, size) \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#endif
