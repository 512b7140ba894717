#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace tabulist::test {

// Printers, fonts and windows need an application object; one for the whole test program,
// of the class the program names with TABULIST_TEST_APPLICATION.
template <typename Application>
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tabulist-test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) app_ = new Application(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    Application* app_ = nullptr;
};

}  // namespace tabulist::test

// Placed once in a test program, at namespace scope.
#define TABULIST_TEST_APPLICATION(Application)                          \
    [[maybe_unused]] static const auto* const tabulistTestApplication = \
        ::testing::AddGlobalTestEnvironment(                            \
            new ::tabulist::test::ApplicationEnvironment<Application>)
