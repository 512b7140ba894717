#include <gtest/gtest.h>

#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"
#include "settings/AddedOptions.h"
#include "settings/SettingsFolder.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

class Subfolders : public ::testing::Test {
protected:
    void SetUp() override {
        AddedOptions = TAddedOptions();
        const TSavedOptions r = DefaultRecord();
        t.Start(&r);
        t.files().dir("deeper");
        for (int i = 0; i < 50; ++i) t.files().file("deeper/n" + QByteArray::number(i));
        t.Show();
        w = &t.window();
        OptionsChanged = false;
        before = w->ListingsStarted();
    }
    void TearDown() override { AddedOptions = TAddedOptions(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w->Memo1, Qt::Key(key), modifiers);
        ProcessEvents();
    }
    QString section() { return "path:    \t" + t.files().pathText("deeper") + "/*.*"; }

    WindowTest t;
    THaupt* w = nullptr;
    int before = 0;
};

TEST_F(Subfolders, MenuItemAndBoxInStepListTheTree) {
    // The box sits in the band's free room right of the date controls, seen whole once the
    // window is wider than its first size; the menu item serves a narrow window.
    EXPECT_GT(w->SubfoldersBox->x(), w->Panel5->geometry().right());
    w->resize(800, w->height());
    ProcessEvents();
    EXPECT_LE(w->SubfoldersBox->geometry().right(), w->Panel2->width());
    EXPECT_FALSE(w->Memo1->toPlainText().contains(section()));
    Key(Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(w->SubfoldersBox->isChecked());
    EXPECT_TRUE(w->SubfoldersItem->isChecked());
    EXPECT_TRUE(AddedOptions.Subfolders);
    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(w->ListingsStarted() - before, 1);
    EXPECT_TRUE(w->Memo1->toPlainText().contains(section()));

    QTest::mouseClick(w->SubfoldersBox, Qt::LeftButton, {},
                      QPoint(6, w->SubfoldersBox->height() / 2));
    ProcessEvents();
    EXPECT_FALSE(w->SubfoldersItem->isChecked());
    EXPECT_FALSE(AddedOptions.Subfolders);
    EXPECT_FALSE(w->Memo1->toPlainText().contains(section()));
}

// Esc while the tree is listed keeps what was listed and says so; no footer follows.
TEST_F(Subfolders, EscStopsTheListing) {
    EXPECT_FALSE(w->StopItem->isEnabled());
    AddedOptions.Subfolders = true;
    QTimer::singleShot(0, w, [this] { QTest::keyClick(w->Memo1, Qt::Key_Escape); });
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->BuildListing();
    const QString text = w->Memo1->toPlainText();
    EXPECT_TRUE(text.trimmed().endsWith("listing stopped")) << text.toStdString();
    EXPECT_FALSE(text.contains(section()));
    EXPECT_FALSE(w->StopItem->isEnabled());

    // The next listing runs to its end.
    w->BuildListing();
    EXPECT_TRUE(w->Memo1->toPlainText().contains(section()));
    EXPECT_FALSE(w->Memo1->toPlainText().contains("listing stopped"));
}

// The more options dialog sets the depth and the folder totals; the next listing follows
// them and leaving with Yes keeps them in Tabulist.ini.
TEST_F(Subfolders, MoreOptionsSetDepthAndFolderTotals) {
    w->SubfoldersBox->setChecked(true);
    ASSERT_TRUE(w->Memo1->toPlainText().contains(section()));
    auto moreOptions = [this](std::function<void(TZusatzformular&)> change) {
        AnswerNextModal([change](QDialog& d) {
            auto& form = static_cast<TZusatzformular&>(d);
            change(form);
            form.BitBtn1->click();
        });
        w->WeitereAngaben1Click();
    };
    moreOptions([](TZusatzformular& form) {
        form.CheckBox4->setChecked(true);  // founded files and directories
        form.FolderTotalsBox->click();
    });
    QString text = w->Memo1->toPlainText();
    const qsizetype at = text.indexOf(section());
    ASSERT_GE(at, 0) << text.toStdString();
    EXPECT_GT(text.indexOf("founded files:                \t50\n", at), at) << text.toStdString();

    moreOptions([](TZusatzformular& form) { form.DepthBox->setValue(0); });
    text = w->Memo1->toPlainText();
    EXPECT_FALSE(text.contains(section())) << text.toStdString();

    AnswerNextModal([](QDialog& d) { static_cast<TPEDialog&>(d).BitBtn1->click(); });
    w->close();
    ProcessEvents();
    const TAddedOptions stored =
        LoadAddedOptions(AddedOptionsPath(UserSettingsPath(t.programDirectory())));
    EXPECT_TRUE(stored.Subfolders);
    EXPECT_TRUE(stored.FolderTotals);
    EXPECT_EQ(stored.Depth, 0);
}

}  // namespace
}  // namespace tabulist::test
