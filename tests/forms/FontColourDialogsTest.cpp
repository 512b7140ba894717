#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "forms/Hauptfenster/ColorValues.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

class FontColourDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        t.StartShown();
        w = &t.window();
        OptionsChanged = false;
    }
    void Open(QPushButton* button, const char* dialog, std::function<void(QDialog&)> answer) {
        // A dialog closed before may have left no active window behind.
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        AnswerNextModal(std::move(answer), dialog);
        QTest::mouseClick(button, Qt::LeftButton);
        ProcessEvents();
    }
    static TFontDialog& Fonts(QDialog& d) { return static_cast<TFontDialog&>(d); }

    WindowTest t;
    THaupt* w = nullptr;
};

TEST_F(FontColourDialogs, FontDialogStartsFromTheViewAndOkWithoutChangeKeepsIt) {
    QFont font = w->Memo1->font();
    font.setUnderline(true);
    w->Memo1->setFont(font);
    w->Memo1->SetFontColor(0x00008000);  // green
    QString style;
    Open(w->BitBtn7, "tabulist::TFontDialog", [&style](QDialog& d) {
        style = Fonts(d).StyleBox->currentText();
        EXPECT_EQ(Fonts(d).FaceBox->currentText(), QStringLiteral("DejaVu Sans Mono"));
        EXPECT_EQ(Fonts(d).SizeBox->currentText(), QStringLiteral("10"));
        EXPECT_TRUE(Fonts(d).UnderlineBox->isChecked());
        EXPECT_FALSE(Fonts(d).StrikeOutBox->isChecked());
        EXPECT_EQ(Fonts(d).ColorBox->currentText(), QStringLiteral("Green"));
        Fonts(d).Buttons->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_NE(style, QStringLiteral("Oblique"));
    EXPECT_FALSE(w->Memo1->font().italic());
    EXPECT_EQ(w->Memo1->font(), font);
    EXPECT_EQ(w->Memo1->FontColor(), 0x00008000);
    EXPECT_EQ(w->Memo1->FontStyle(), 4);
}

TEST_F(FontColourDialogs, ChosenColourAndStyleReachTheViewAndTheRecord) {
    Open(w->BitBtn7, "tabulist::TFontDialog", [](QDialog& d) {
        // The stored window-text colour is offered beside the 16 usual ones.
        EXPECT_EQ(Fonts(d).ColorBox->count(), 17);
        EXPECT_EQ(Fonts(d).selectedColorValue(), clWindowText);
        Fonts(d).ColorBox->setCurrentIndex(Fonts(d).ColorBox->findText(QStringLiteral("Red")));
        QTest::keyClick(Fonts(d).StrikeOutBox, Qt::Key_Space);
        Fonts(d).StyleBox->setCurrentIndex(3);
        emit Fonts(d).StyleBox->activated(3);
        Fonts(d).accept();
    });
    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(w->Memo1->FontColor(), 0x000000FF);
    EXPECT_EQ(w->Memo1->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(w->Memo1->FontStyle(), 1 | 2 | 8);
    w->CopyOptionsIntoSavedOptions();
    EXPECT_EQ(SavedOptions.FontColor, 0x000000FF);
    EXPECT_EQ(SavedOptions.FontStyle, 1 | 2 | 8);
}

TEST_F(FontColourDialogs, CancelledChoicesDoNotComeBack) {
    const QFont font = w->Memo1->font();
    Open(w->BitBtn7, "tabulist::TFontDialog", [](QDialog& d) {
        QFont other(QStringLiteral("DejaVu Serif"));
        other.setPointSize(20);
        Fonts(d).setCurrentFont(other);
        Fonts(d).setCurrentColorValue(0x00FF0000);
        d.reject();
    });
    Open(w->BitBtn7, "tabulist::TFontDialog", [](QDialog& d) { d.accept(); });
    EXPECT_EQ(w->Memo1->font(), font);
    EXPECT_EQ(w->Memo1->FontColor(), clWindowText);

    w->Memo1->SetBackgroundColor(0x00102030);
    Open(w->BitBtn9, "QColorDialog", [](QDialog& d) {
        static_cast<QColorDialog&>(d).setCurrentColor(Qt::green);
        d.reject();
    });
    Open(w->BitBtn9, "QColorDialog", [](QDialog& d) { d.accept(); });
    EXPECT_EQ(w->Memo1->BackgroundColor(), 0x00102030);
}

}  // namespace
}  // namespace tabulist::test
