// The fuzz targets' assertion: a broken expectation stops the run at once, so
// libFuzzer keeps the input that shows it.
#pragma once

#define REQUIRE(cond)                  \
    do {                               \
        if (!(cond)) __builtin_trap(); \
    } while (0)
