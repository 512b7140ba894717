#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <cstring>

#include "forms/DialogParts/DialogParts.h"
#include "forms/Help.h"
#include "forms/Zusatz/RadioGroup.h"
#include "forms/Zusatz/Zusatz.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"
#include "support/Events.h"

namespace tabulist {
namespace {

using test::AnswerNextModal;

class MoreOptions : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&SavedOptions, 0, sizeof SavedOptions);
        OptionsChanged = false;
        AddedOptions = TAddedOptions();
    }
    void TearDown() override {
        form.hide();
        AddedOptions = TAddedOptions();
    }

    // Clicks the way a user does, so the master boxes' reactions run.
    static void Pick(TRadioGroup* group, int index) {
        group->findChildren<QRadioButton*>().at(index)->click();
    }

    TZusatzformular form;
};

TEST_F(MoreOptions, EveryShowingLoadsTheStoredFieldsAndEnablesByTheMasters) {
    SavedOptions.HeaderDriveName = 2;  // any non-zero byte is on
    SavedOptions.HeaderDriveInfo = 0;
    SavedOptions.DriveInfoUnit = 2;
    SavedOptions.HeaderDrivePercent = 1;
    SavedOptions.HeaderPath = 1;
    SavedOptions.FooterFileCount = 0;
    SavedOptions.FooterTotalSize = 1;
    SavedOptions.TotalSizeUnit = 7;  // out of range: the last unit
    SavedOptions.FooterPercent = 1;

    // Leftovers of an earlier showing must not survive the next one.
    form.show();
    form.CheckBox1->setChecked(false);
    form.CheckBox2->setChecked(true);
    Pick(form.RadioGroup2, 0);
    form.hide();
    form.show();

    EXPECT_TRUE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.CheckBox2->isChecked());
    EXPECT_EQ(form.RadioGroup2->itemIndex(), 2);
    EXPECT_TRUE(form.CheckBox7->isChecked());
    EXPECT_TRUE(form.CheckBox3->isChecked());
    EXPECT_FALSE(form.CheckBox4->isChecked());
    EXPECT_TRUE(form.CheckBox5->isChecked());
    EXPECT_EQ(form.RadioGroup1->itemIndex(), 3);
    EXPECT_TRUE(form.CheckBox6->isChecked());

    for (QWidget* w :
         {static_cast<QWidget*>(form.Label3), static_cast<QWidget*>(form.Label4),
          static_cast<QWidget*>(form.RadioGroup2), static_cast<QWidget*>(form.CheckBox7)})
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    for (QWidget* w :
         {static_cast<QWidget*>(form.Label1), static_cast<QWidget*>(form.Label2),
          static_cast<QWidget*>(form.RadioGroup1), static_cast<QWidget*>(form.CheckBox6)})
        EXPECT_TRUE(w->isEnabled()) << w->metaObject()->className();

    // Unticking a master greys its group but keeps the states; Label1 stays enabled.
    form.CheckBox5->click();
    EXPECT_FALSE(form.CheckBox6->isEnabled());
    EXPECT_FALSE(form.RadioGroup1->isEnabled());
    EXPECT_FALSE(form.Label2->isEnabled());
    EXPECT_TRUE(form.Label1->isEnabled());
    EXPECT_TRUE(form.CheckBox6->isChecked());
    form.CheckBox2->click();
    EXPECT_TRUE(form.RadioGroup2->isEnabled());
    EXPECT_TRUE(form.CheckBox7->isEnabled());
    EXPECT_TRUE(form.CheckBox7->isChecked());
    EXPECT_EQ(form.RadioGroup2->itemIndex(), 2);
}

TEST_F(MoreOptions, OkStoresAllNineFieldsAndNothingElse) {
    std::memset(&SavedOptions, 0x5A, sizeof SavedOptions);
    SavedOptions.HeaderDriveInfo = 1;
    SavedOptions.FooterTotalSize = 1;
    SavedOptions.DriveInfoUnit = 0;
    SavedOptions.TotalSizeUnit = 0;
    const TSavedOptions before = SavedOptions;

    AnswerNextModal([this](QDialog&) {
        form.CheckBox1->click();  // 0x5A is on: now off
        Pick(form.RadioGroup2, 2);
        Pick(form.RadioGroup1, 1);
        form.CheckBox6->setChecked(true);
        form.CheckBox5->click();  // greys the ticked per cent box
        form.CheckBox3->click();
        form.BitBtn1->click();
    });
    form.exec();

    EXPECT_TRUE(OptionsChanged);
    EXPECT_EQ(SavedOptions.HeaderDriveName, 0);
    EXPECT_EQ(SavedOptions.HeaderDriveInfo, 1);
    EXPECT_EQ(SavedOptions.DriveInfoUnit, 2);
    EXPECT_EQ(SavedOptions.HeaderDrivePercent, 1);  // 0x5A stored back as 1
    EXPECT_EQ(SavedOptions.HeaderPath, 0);
    EXPECT_EQ(SavedOptions.FooterFileCount, 1);
    EXPECT_EQ(SavedOptions.FooterTotalSize, 0);
    EXPECT_EQ(SavedOptions.TotalSizeUnit, 1);
    EXPECT_EQ(SavedOptions.FooterPercent, 1) << "a greyed ticked box is stored as ticked";

    const auto* a = reinterpret_cast<const uint8_t*>(&before);
    const auto* b = reinterpret_cast<const uint8_t*>(&SavedOptions);
    for (size_t i : {7u, 8u, 9u, 10u, 11u, 12u}) EXPECT_EQ(a[i], b[i]) << "offset " << i;
    EXPECT_EQ(std::memcmp(a + 15, b + 15, sizeof SavedOptions - 15), 0);

    // The next showing reflects what OK stored.
    form.show();
    EXPECT_EQ(form.RadioGroup2->itemIndex(), 2);
    EXPECT_EQ(form.RadioGroup1->itemIndex(), 1);
}

TEST_F(MoreOptions, EnterPressesOkUnlessTheFocusIsOnAnotherButton) {
    AnswerNextModal([this](QDialog&) {
        form.CheckBox4->setFocus();
        form.CheckBox4->click();
        QTest::keyClick(form.CheckBox4, Qt::Key_Return);
    });
    form.exec();
    EXPECT_EQ(SavedOptions.FooterFileCount, 1);
    EXPECT_TRUE(OptionsChanged);

    OptionsChanged = false;
    AnswerNextModal([this](QDialog&) {
        form.CheckBox4->click();
        form.BitBtn2->setFocus();
        QTest::keyClick(form.BitBtn2, Qt::Key_Return);
    });
    form.exec();
    EXPECT_EQ(SavedOptions.FooterFileCount, 1);
    EXPECT_FALSE(OptionsChanged);
}

TEST_F(MoreOptions, CancelCloseBoxAndEscapeStoreNothing) {
    SavedOptions.HeaderPath = 1;
    SavedOptions.DriveInfoUnit = 3;
    const TSavedOptions before = SavedOptions;
    const std::pair<const char*, std::function<void()>> closings[] = {
        {"Cancel", [this] { form.BitBtn2->click(); }},
        {"close box", [this] { form.close(); }},
    };
    for (const auto& [how, closing] : closings) {
        SCOPED_TRACE(how);
        bool openAfterEscape = false;
        AnswerNextModal([&, closing = closing](QDialog&) {
            form.CheckBox3->click();
            form.CheckBox2->click();
            Pick(form.RadioGroup2, 0);
            QTest::keyClick(&form, Qt::Key_Escape);
            test::ProcessEvents();
            openAfterEscape = form.isVisible();
            closing();
        });
        form.exec();
        EXPECT_TRUE(openAfterEscape) << "Escape must not close the dialog";
        EXPECT_EQ(std::memcmp(&before, &SavedOptions, sizeof SavedOptions), 0);
        EXPECT_FALSE(OptionsChanged);

        form.show();  // shows the stored values, not the cancelled edits
        EXPECT_TRUE(form.CheckBox3->isChecked());
        EXPECT_EQ(form.RadioGroup2->itemIndex(), 3);
        form.hide();
    }
}

TEST_F(MoreOptions, HelpShowsContextSixAndKeepsTheDialogOpen) {
    bool stillOpen = false;
    AnswerNextModal([&](QDialog&) {
        form.BitBtn3->click();
        test::ProcessEvents();
        stillOpen = form.isVisible();
        form.BitBtn2->click();
    });
    form.exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(LastHelpContext(), 6);
}

// Every control of the two original panels, with its place in the dialog.
std::vector<std::pair<QWidget*, QRect>> OriginalControls(TZusatzformular& form) {
    std::vector<std::pair<QWidget*, QRect>> out;
    for (QWidget* panel : {static_cast<QWidget*>(form.Panel1), static_cast<QWidget*>(form.Panel2)})
        for (QWidget* w : panel->findChildren<QWidget*>())
            out.emplace_back(w, QRect(w->mapTo(&form, QPoint()), w->size()));
    return out;
}

TEST_F(MoreOptions, TreeOptionsAppearBelowTheButtonsOnlyWhileSubfoldersAreListed) {
    form.show();
    EXPECT_EQ(form.size(), QSize(286, 368));
    EXPECT_FALSE(form.TreePanel->isVisible());
    const auto original = OriginalControls(form);
    form.hide();

    AddedOptions.Subfolders = true;
    form.show();
    EXPECT_TRUE(form.TreePanel->isVisible());
    EXPECT_EQ(form.TreePanel->geometry(), QRect(0, 368, 286, form.TreePanel->height()));
    EXPECT_EQ(form.size(), QSize(286, 368 + form.TreePanel->height()));
    EXPECT_LT(form.DepthLabel->geometry().right(), form.DepthBox->x());
    EXPECT_EQ(OriginalControls(form), original);
}

TEST_F(MoreOptions, CancelKeepsTheTreeOptionsAndOkALimitTheBoxCannotShow) {
    AddedOptions.Subfolders = true;
    AddedOptions.Depth = 5000;  // written into Tabulist.ini by hand
    AnswerNextModal([this](QDialog&) {
        form.FolderTotalsBox->click();
        form.DepthBox->setValue(5);
        form.BitBtn2->click();
    });
    form.exec();
    EXPECT_FALSE(AddedOptions.FolderTotals);
    EXPECT_EQ(AddedOptions.Depth, 5000);

    AnswerNextModal([this](QDialog&) { form.BitBtn1->click(); });
    form.exec();
    EXPECT_EQ(AddedOptions.Depth, 5000);
}

}  // namespace
}  // namespace tabulist
