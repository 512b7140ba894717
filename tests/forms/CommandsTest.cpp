#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QTest>

#include "forms/Help.h"
#include "forms/PEnde/PEnde.h"
#include "settings/SettingsFile.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        t.StartShown();
        w = &t.window();
        OptionsChanged = false;
        before = w->ListingsStarted();
    }
    int Rebuilds() const { return w->ListingsStarted() - before; }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // Shortcuts reach only the active window; a closed dialog may have left none.
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w->Memo1, Qt::Key(key), modifiers);
        ProcessEvents();
    }
    void Click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
        ProcessEvents();
    }

    WindowTest t;
    THaupt* w = nullptr;
    int before = 0;
};

TEST_F(Commands, CheckBoxMirrorsItsMenuItemMarksAndRebuildsOnce) {
    Click(w->CheckBox4);
    EXPECT_FALSE(w->CheckBox4->isChecked());
    EXPECT_FALSE(w->Groesse1->isChecked());
    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(Rebuilds(), 1);
    // Without the size column the 2000-byte file's size is gone from its line.
    EXPECT_FALSE(w->Memo1->toPlainText().contains(QStringLiteral("2000")));
}

TEST_F(Commands, MenuItemWithMirroredBoxBuildsTwice) {
    Key(Qt::Key_F11);
    EXPECT_FALSE(w->Attribute1->isChecked());
    EXPECT_FALSE(w->CheckBox3->isChecked());
    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(Rebuilds(), 2);
    Key(Qt::Key_F12);
    EXPECT_FALSE(w->CheckBox5->isChecked());
    Key(Qt::Key_F12, Qt::ControlModifier);
    EXPECT_FALSE(w->CheckBox4->isChecked());
    EXPECT_FALSE(w->Groesse1->isChecked());
    EXPECT_EQ(Rebuilds(), 6);
}

TEST_F(Commands, ColumnPopupSelectsWithoutMarkingAndGreysDetailControls) {
    w->N3Spalten1->trigger();
    ProcessEvents();
    EXPECT_EQ(w->ComboBox1->currentText(), QStringLiteral("3 columns"));
    EXPECT_EQ(Rebuilds(), 1);
    EXPECT_FALSE(OptionsChanged);
    for (QWidget* c : std::initializer_list<QWidget*>{w->ComboBox9, w->CheckBox3, w->CheckBox4,
                                                      w->CheckBox5, w->CheckBox6})
        EXPECT_FALSE(c->isEnabled());
    // F11 on a disabled item does nothing.
    Key(Qt::Key_F11);
    EXPECT_TRUE(w->CheckBox3->isChecked());
    EXPECT_EQ(Rebuilds(), 1);

    w->N1Spalte1->trigger();
    ProcessEvents();
    EXPECT_TRUE(w->CheckBox3->isEnabled() && w->CheckBox3->isChecked());
    Key(Qt::Key_F11);
    EXPECT_FALSE(w->CheckBox3->isChecked());
}

TEST_F(Commands, ColumnCountPickedInTheBoxMarks) {
    QTest::keyClick(w->ComboBox1, Qt::Key_Down);
    ProcessEvents();
    EXPECT_EQ(w->ComboBox1->currentIndex(), 1);
    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(Rebuilds(), 1);
    EXPECT_FALSE(w->CheckBox6->isEnabled());
}

TEST_F(Commands, ColumnPopupOpensAtFixedScreenPosition) {
    w->move(300, 200);
    Key(Qt::Key_F9);
    ASSERT_TRUE(w->PopupMenu1->isVisible());
    EXPECT_EQ(w->PopupMenu1->pos(), QPoint(130, 50));
    w->PopupMenu1->close();
}

TEST_F(Commands, MaskFollowsEveryKeystrokeButUnitTextRebuildsNothing) {
    QLineEdit* mask = w->ComboBox2->lineEdit();
    mask->selectAll();
    QTest::keyClicks(mask, QStringLiteral("*.t"));
    ProcessEvents();
    EXPECT_EQ(Rebuilds(), 3);
    EXPECT_TRUE(w->SearchSpec.endsWith(QStringLiteral("/*.t")));
    QTest::keyClicks(mask, QStringLiteral("xt"));
    ProcessEvents();
    EXPECT_TRUE(w->Memo1->toPlainText().contains(QStringLiteral("alpha.txt")));
    EXPECT_FALSE(w->Memo1->toPlainText().contains(QStringLiteral("beta.dat")));
    EXPECT_FALSE(OptionsChanged);

    const int sofar = Rebuilds();
    QTest::keyClicks(w->ComboBox9->lineEdit(), QStringLiteral("KB"));
    ProcessEvents();
    EXPECT_EQ(Rebuilds(), sofar);
}

TEST_F(Commands, HiddenFilesByMenuOrBoxRebuildOnceAndNeverMark) {
    Key(Qt::Key_F11, Qt::ControlModifier);
    EXPECT_TRUE(w->CheckBox1->isChecked());
    EXPECT_TRUE(w->versteckteDateien1->isChecked());
    EXPECT_EQ(Rebuilds(), 1);
    EXPECT_TRUE(w->Memo1->toPlainText().contains(QStringLiteral(".hidden")));
    Click(w->CheckBox1);
    EXPECT_FALSE(w->versteckteDateien1->isChecked());
    EXPECT_EQ(Rebuilds(), 2);
    EXPECT_FALSE(w->Memo1->toPlainText().contains(QStringLiteral(".hidden")));
    EXPECT_FALSE(OptionsChanged);
}

TEST_F(Commands, SearchOptionsBandHidesButItsFiltersStay) {
    w->ComboBox2->setEditText(QStringLiteral("*.dat"));
    Key(Qt::Key_F8);
    EXPECT_TRUE(w->Panel2->isHidden());
    EXPECT_FALSE(w->Suchkriterien1->isChecked());
    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(Rebuilds(), 0);
    Click(w->CheckBox6);
    EXPECT_TRUE(w->Memo1->toPlainText().contains(QStringLiteral("beta.dat")));
    EXPECT_FALSE(w->Memo1->toPlainText().contains(QStringLiteral("alpha.txt")));
    Key(Qt::Key_F8);
    EXPECT_FALSE(w->Panel2->isHidden());
}

TEST_F(Commands, DateBoxShowsItsControlsAndRadioGroupRebuildsOnChangeOnly) {
    Click(w->CheckBox2);
    for (QWidget* c : std::initializer_list<QWidget*>{w->ComboBox3, w->ComboBox8, w->Label6})
        EXPECT_FALSE(c->isHidden());
    EXPECT_EQ(Rebuilds(), 1);
    Click(w->CheckBox2);
    EXPECT_TRUE(w->ComboBox5->isHidden());
    EXPECT_EQ(Rebuilds(), 2);

    Click(w->RadioGroup1->Item(1));
    EXPECT_EQ(w->RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(Rebuilds(), 3);
    Click(w->RadioGroup1->Item(1));
    EXPECT_EQ(Rebuilds(), 3);
    EXPECT_FALSE(OptionsChanged);
}

TEST_F(Commands, MoreOptionsRebuildsAfterCancelWithoutMarking) {
    AnswerNextModal([](QDialog& d) { d.reject(); });
    Click(w->Button1);
    EXPECT_EQ(Rebuilds(), 1);
    AnswerNextModal([](QDialog& d) { d.reject(); });
    Key(Qt::Key_F9, Qt::ControlModifier);
    EXPECT_EQ(Rebuilds(), 2);
    EXPECT_FALSE(OptionsChanged);
}

TEST_F(Commands, FontAndColourChangeOnlyWhenConfirmed) {
    const QFont font = w->Memo1->font();
    const int32_t background = w->Memo1->BackgroundColor();
    AnswerNextModal([](QDialog& d) { d.reject(); }, "tabulist::TFontDialog");
    Key(Qt::Key_F2, Qt::ControlModifier);
    AnswerNextModal([](QDialog& d) { d.reject(); }, "QColorDialog");
    Key(Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(w->Memo1->font(), font);
    EXPECT_EQ(w->Memo1->BackgroundColor(), background);
    EXPECT_FALSE(OptionsChanged);

    AnswerNextModal(
        [](QDialog& d) {
            auto& fonts = static_cast<TFontDialog&>(d);
            QFont chosen(QStringLiteral("DejaVu Serif"));
            chosen.setPointSize(14);
            fonts.setCurrentFont(chosen);
            fonts.accept();
        },
        "tabulist::TFontDialog");
    Click(w->BitBtn7);
    EXPECT_EQ(w->Memo1->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(w->Memo1->FontSize(), 14);
    EXPECT_TRUE(OptionsChanged);

    AnswerNextModal(
        [](QDialog& d) {
            auto& colours = static_cast<QColorDialog&>(d);
            colours.setCurrentColor(QColor(0x10, 0x20, 0x30));
            colours.accept();
        },
        "QColorDialog");
    Click(w->BitBtn9);
    EXPECT_EQ(w->Memo1->BackgroundColor(), 0x00302010);
    EXPECT_EQ(Rebuilds(), 0);
}

TEST_F(Commands, HelpAtContextOneWhateverHasFocusAndItemContextInMenus) {
    w->ComboBox2->setFocus();
    QTest::keyClick(w->ComboBox2, Qt::Key_F1);
    EXPECT_EQ(LastHelpContext(), 1);
    Click(w->BitBtn8);
    EXPECT_EQ(LastHelpContext(), 1);

    w->Datei1->popup(QPoint(0, 0));
    ProcessEvents();
    w->Datei1->setActiveAction(w->Speichern1);
    QTest::keyClick(w->Datei1, Qt::Key_F1);
    ProcessEvents();
    EXPECT_EQ(LastHelpContext(), 7);
    EXPECT_FALSE(w->Datei1->isVisible());
    w->Datei1->popup(QPoint(0, 0));
    ProcessEvents();
    w->Datei1->setActiveAction(w->Druckereinrichten1);  // no context of its own
    QTest::keyClick(w->Datei1, Qt::Key_F1);
    EXPECT_EQ(LastHelpContext(), 1);
}

TEST_F(Commands, ClickOnDirectoryRowListsItWithoutMoving) {
    TDirectoryListBox* list = w->DirectoryListBox1;
    const QString current = list->CurrentDirectory();
    int subRow = -1;
    for (int row = 0; row < list->RowCount(); ++row)
        if (list->RowPath(row).endsWith(QStringLiteral("/sub"))) subRow = row;
    ASSERT_GE(subRow, 0);
    const QRect rect = list->visualItemRect(list->item(subRow));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    ProcessEvents();
    EXPECT_EQ(list->CurrentDirectory(), current);
    EXPECT_TRUE(w->Memo1->toPlainText().contains(QStringLiteral("inner.txt")));
    EXPECT_EQ(w->StatusBar1->PanelText(3),
              QStringLiteral("path: ") + t.listedDirectory() + QStringLiteral("/sub/*.*"));
    EXPECT_FALSE(w->PathFromClick);
    // A later rebuild by another control lists the current directory again.
    Click(w->CheckBox6);
    EXPECT_TRUE(w->Memo1->toPlainText().contains(QStringLiteral("alpha.txt")));
}

TEST_F(Commands, DirectoryWhoseNameIsNotTextIsListedByItsOwnBytes) {
    t.files().dir("caf\xe9");
    t.files().file("caf\xe9/inside.txt", 1);
    TDirectoryListBox* list = w->DirectoryListBox1;
    list->BuildDirectoryRows();
    int row = -1;
    for (int r = 0; r < list->RowCount(); ++r)
        if (list->RowRawPath(r).endsWith("/caf\xe9")) row = r;
    ASSERT_GE(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    ProcessEvents();
    EXPECT_TRUE(w->Memo1->toPlainText().contains(QStringLiteral("inside.txt")));
}

TEST_F(Commands, ClosingAsksOnlyAfterMarkedChanges) {
    AnswerNextModal([](QDialog& d) { d.reject(); });  // the exit question's close box
    Click(w->CheckBox6);
    w->BeendenAltF41->trigger();
    ProcessEvents();
    EXPECT_TRUE(w->isVisible());
    OptionsChanged = false;
    Click(w->BitBtn1);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Commands, SavingOnExitStoresTheControlsAndKeepsTheOtherFields) {
    const TSavedOptions loaded = SavedOptions;
    Click(w->CheckBox4);  // marks
    w->N3Spalten1->trigger();
    Key(Qt::Key_F11, Qt::ControlModifier);  // hidden files: stored too, as saving reads the box
    Key(Qt::Key_F8);
    AnswerNextModal([](QDialog& d) { static_cast<TPEDialog&>(d).BitBtn1->click(); });
    w->close();
    ProcessEvents();
    EXPECT_FALSE(w->isVisible());

    TSavedOptions stored{};
    LoadOptionsRecord(t.programDirectory() + QStringLiteral("Tabulist.sav"), stored);
    EXPECT_EQ(stored.ShowSize, 0);
    EXPECT_EQ(stored.ShowAttributes, 1);
    EXPECT_EQ(stored.ColumnIndex, 2);
    EXPECT_EQ(stored.SizeUnitIndex, 0);
    EXPECT_EQ(stored.ShowHidden, 1);
    EXPECT_EQ(stored.ShowSearchOptions, 0);
    EXPECT_EQ(stored.fontName(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(stored.FontSize, 10);
    EXPECT_EQ(stored.FontColor, loaded.FontColor);
    EXPECT_EQ(stored.BackgroundColor, loaded.BackgroundColor);
    EXPECT_EQ(stored.FooterFileCount, loaded.FooterFileCount);
}

TEST_F(Commands, NoColumnCountSelectedIsStoredAs255) {
    w->ComboBox1->setCurrentIndex(-1);
    w->CopyOptionsIntoSavedOptions();
    EXPECT_EQ(SavedOptions.ColumnIndex, 255);
}

TEST_F(Commands, ClipboardCommandsWorkOnTheTextView) {
    w->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    Key(Qt::Key_F7);
    EXPECT_EQ(w->Memo1->textCursor().selectedText().size(), 7);
    Key(Qt::Key_F5);
    w->Memo1->moveCursor(QTextCursor::End);
    Key(Qt::Key_F6);
    EXPECT_EQ(w->Memo1->toPlainText(), QStringLiteral("one\ntwoone\ntwo"));
}

}  // namespace
}  // namespace tabulist::test
