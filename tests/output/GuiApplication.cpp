#include <QGuiApplication>

#include "ApplicationEnvironment.h"

namespace {
[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(
    new tabulist::test::ApplicationEnvironment<QGuiApplication>);
}  // namespace
