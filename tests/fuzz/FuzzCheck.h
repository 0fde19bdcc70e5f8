#pragma once
// A broken invariant must abort: libFuzzer keeps the input only for a crash.
#include <cstdio>
#include <cstdlib>

#define ZV_CHECK(cond)                                                                    \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (false)
