#pragma once

#include <gtest/gtest.h>

// Skips the rest of a test in the Windows build, saying why; nothing elsewhere.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << (reason)
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif
