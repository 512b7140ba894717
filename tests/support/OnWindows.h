#pragma once

#include <gtest/gtest.h>

// Skips the rest of a test in the Windows build, saying why; nothing elsewhere.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << (reason)
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif

// Skips a check made with a Debian tool (python3, pdftotext, sha256sum, ...), which the
// Windows test programs cannot start.
#define SKIP_WITHOUT_DEBIAN_TOOL(tool) \
    SKIP_ON_WINDOWS("checked with Debian's " tool ", which a Windows program cannot start")

// Skips the rest of a test where Wine answers otherwise than Windows, saying how.
#ifdef _WIN32
namespace tabulist::test {
bool UnderWine();
}  // namespace tabulist::test
#define SKIP_UNDER_WINE(reason) \
    if (::tabulist::test::UnderWine()) GTEST_SKIP() << "Wine: " << (reason)
#else
#define SKIP_UNDER_WINE(reason) static_cast<void>(0)
#endif
#include "support/OnWindows.h"
