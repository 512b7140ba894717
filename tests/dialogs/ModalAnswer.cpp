#include "ModalAnswer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <memory>

namespace tabulist::test {
namespace {

// The dialogs need an application object; gtest_main does not make one.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_dialogs";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

void Poll(std::function<void(QDialog&)> action, QDeadlineTimer deadline) {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        action(*dialog);
        return;
    }
    if (deadline.hasExpired()) {
        ADD_FAILURE() << "no modal dialog appeared";
        return;
    }
    QTimer::singleShot(10, [action = std::move(action), deadline] { Poll(action, deadline); });
}

}  // namespace

void AnswerNextModal(std::function<void(QDialog&)> action) {
    QTimer::singleShot(0, [action = std::move(action)] { Poll(action, QDeadlineTimer(5000)); });
}

void ProcessEvents() { QApplication::processEvents(); }

}  // namespace tabulist::test
