// Shared assertions of the GUI tests.
#pragma once
#include <doctest/doctest.h>

#include "tests/gui/harness.h"

// Every test ends with no unanswered, unexpected or mismatched dialog.
#define CHECK_DIALOGS_ANSWERED()                               \
    do {                                                       \
        for (const std::string& failure : gui::TakeFailures()) \
            FAIL_CHECK(failure);                               \
    } while (0)
