#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

// Printers and fonts need an application object; one for the whole program.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_output";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
