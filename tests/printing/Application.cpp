#include <gtest/gtest.h>

#include <QApplication>

namespace {

// Windows, printers and fonts need an application object; one for the whole program.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_printing";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
