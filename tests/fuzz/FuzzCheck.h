#pragma once

#include <cstdio>
#include <cstdlib>

// A property the code must keep: when it does not, the input is a finding.
// abort() makes libFuzzer keep the input and stop.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
