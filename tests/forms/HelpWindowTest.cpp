#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include "forms/Help.h"
#include "support/Events.h"

namespace tabulist {
namespace {

// Counts the key and mouse presses that reach a window.
class InputCounter : public QObject {
public:
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

QWidget* HelpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("HelpWindow")) return widget;
    return nullptr;
}

TEST(HelpWindow, TakesInputWhileAModalDialogIsUpAndOutlivesIt) {
    QDialog dialog;  // the save, print, exit and more options dialogs are modal like this
    QPointer<QWidget> help;
    InputCounter input;
    bool dialogStillUp = false;
    test::AnswerNextModal([&](QDialog& modal) {
        ShowHelpContext(4);
        help = HelpWindow();
        if (help && QTest::qWaitForWindowExposed(help)) {
            help->windowHandle()->installEventFilter(&input);
            QTest::keyClick(help->windowHandle(), Qt::Key_End);
            QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
            test::ProcessEvents();
        }
        dialogStillUp = QApplication::activeModalWidget() == &modal;
        modal.reject();
    });
    dialog.exec();

    ASSERT_TRUE(help);
    EXPECT_EQ(input.presses, 2);
    EXPECT_TRUE(dialogStillUp);
    // Help stays open on its own once the dialog it was asked from has closed.
    test::ProcessEvents();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), nullptr);
    help->close();
}

}  // namespace
}  // namespace tabulist
