#include <QApplication>

#include "output/ApplicationEnvironment.h"

namespace {
[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new tabulist::test::ApplicationEnvironment<QApplication>);
}  // namespace
