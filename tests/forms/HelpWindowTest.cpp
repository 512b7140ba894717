#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "forms/Help.h"
#include "forms/Zusatz/Zusatz.h"
#include "support/Events.h"
#include "support/WindowTest.h"

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

// Help asked for from each dialog lies whole on the screen's available area, title bar
// included, takes keys and clicks while the dialog is up, and stays where it is when the
// dialog closes. The dialogs built on Qt's own (save, print, export, font, colour) also
// answer F1 and have a Help button, both at their topic.
TEST(HelpWindow, FromEachDialogOnScreenAtItsTopicAndStaysWhenTheDialogCloses) {
    test::WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    struct Case {
        const char* dialogClass;
        std::function<void()> open;
        int context;
        bool qtDialog;  // F1 and a Help button in its button row; else its own Help button
    };
    const Case cases[] = {
        {"QFileDialog", [&] { w.BitBtn2->click(); }, 7, true},
        {"QPrintDialog", [&] { w.BitBtn3->click(); }, 4, true},
        {"QFileDialog", [&] { w.ExportItem->trigger(); }, 10, true},
        {"tabulist::TFontDialog", [&] { w.BitBtn7->click(); }, 5, true},
        {"QColorDialog", [&] { w.BitBtn9->click(); }, 5, true},
        {"tabulist::TZusatzformular", [&] { w.Button1->click(); }, 6, false},
    };
    const QRect area = w.screen()->availableGeometry();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        SCOPED_TRACE(c.dialogClass);
        if (QWidget* open = HelpWindow()) open->close();
        test::ProcessEvents();
        QRect placed;
        int byKey = 0, byButton = 0;
        InputCounter input;
        bool dialogStillUp = false;
        test::AnswerNextModal(
            [&](QDialog& d) {
                d.activateWindow();
                if (QTest::qWaitFor([&d] { return QApplication::activeWindow() == &d; })) {
                    if (c.qtDialog) {
                        QTest::keyClick(&d, Qt::Key_F1);
                        byKey = LastHelpContext();
                        ShowHelpContext(1);
                        auto* row = d.findChild<QDialogButtonBox*>();
                        if (row && row->button(QDialogButtonBox::Help))
                            row->button(QDialogButtonBox::Help)->click();
                    } else {
                        static_cast<TZusatzformular&>(d).BitBtn3->click();
                    }
                    byButton = LastHelpContext();
                    QWidget* help = HelpWindow();
                    if (help && QTest::qWaitForWindowExposed(help)) {
                        placed = help->frameGeometry();
                        help->windowHandle()->installEventFilter(&input);
                        QTest::keyClick(help->windowHandle(), Qt::Key_End);
                        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, {30, 30});
                        test::ProcessEvents();
                        help->windowHandle()->removeEventFilter(&input);
                    }
                }
                dialogStillUp = QApplication::activeModalWidget() == &d;
                d.reject();
            },
            c.dialogClass);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        c.open();
        test::ProcessEvents();
        if (c.qtDialog) {
            EXPECT_EQ(byKey, c.context);
        }
        EXPECT_EQ(byButton, c.context);
        EXPECT_EQ(input.presses, 2);
        EXPECT_TRUE(dialogStillUp);
        EXPECT_TRUE(area.contains(placed))
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
        QWidget* help = HelpWindow();
        ASSERT_TRUE(help && help->isVisible());
        EXPECT_EQ(help->frameGeometry(), placed);
    }

    // Once the user has moved it, help keeps that place when a dialog asks for it again.
    QWidget* help = HelpWindow();
    help->move(area.topLeft() + QPoint(20, 30));
    test::ProcessEvents();
    const QRect moved = help->frameGeometry();
    QRect whileUp;
    test::AnswerNextModal(
        [&](QDialog& d) {
            ShowHelpContext(5);
            whileUp = HelpWindow()->frameGeometry();
            d.reject();
        },
        "tabulist::TFontDialog");
    w.BitBtn7->click();
    test::ProcessEvents();
    EXPECT_EQ(whileUp, moved);
    EXPECT_EQ(HelpWindow()->frameGeometry(), moved);
    HelpWindow()->close();
}

}  // namespace
}  // namespace tabulist
