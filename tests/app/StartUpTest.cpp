#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <random>

#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/About/About.h"
#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Hauptfenster/Clock.h"
#include "forms/Help.h"
#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"
#include "platform/DriveTable.h"
#include "support/Events.h"
#include "support/Fixture.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

TEST(StartUp, AppliesTheStoredOptionsAndEndsWithNothingChanged) {
    WindowTest t;
    TSavedOptions r = DefaultRecord();
    r.ShowAttributes = 0;  // differs from the design state: runs the box's reaction
    r.ShowSize = 1;
    r.ShowDate = 0;
    r.ShowUnit = 1;
    r.ShowHidden = 1;
    r.ShowSearchOptions = 0;
    r.SizeUnitIndex = 2;
    r.BackgroundColor = 0x00336699;
    t.Start(&r);
    THaupt& w = t.window();

    EXPECT_FALSE(w.CheckBox3->isChecked());
    EXPECT_FALSE(w.Attribute1->isChecked());
    EXPECT_TRUE(w.CheckBox4->isChecked());
    EXPECT_TRUE(w.Groesse1->isChecked());
    EXPECT_FALSE(w.CheckBox5->isChecked());
    EXPECT_FALSE(w.Datum1->isChecked());
    EXPECT_TRUE(w.CheckBox6->isChecked());
    EXPECT_TRUE(w.CheckBox1->isChecked());
    EXPECT_TRUE(w.versteckteDateien1->isChecked());
    EXPECT_FALSE(w.Suchkriterien1->isChecked());
    EXPECT_TRUE(w.Panel2->isHidden());
    EXPECT_EQ(w.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(w.ComboBox9->currentIndex(), 2);
    EXPECT_EQ(w.Memo1->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(w.Memo1->palette().color(QPalette::Base), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(w.Memo1->BackgroundColor(), 0x00336699);

    EXPECT_FALSE(OptionsChanged);
    EXPECT_TRUE(ShownErrors().isEmpty());
    EXPECT_EQ(HelpFile(), t.programDirectory() + QStringLiteral("Tabulist.hlp"));
    // The hidden entry is listed, so the listing reflects the stored options.
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral(".hidden")));
    EXPECT_FALSE(w.Memo1->toPlainText().startsWith(QStringLiteral("Memo1")));
    EXPECT_EQ(w.StatusBar1->PanelText(3),
              QStringLiteral("path: ") + t.listedDirectory() + QStringLiteral("/*.*"));
    EXPECT_EQ(w.StatusBar1->PanelText(1), QString());
}

TEST(StartUp, SelectsTodayInBothDateRanges) {
    WindowTest t;  // its clock reads 29 February 2000
    const TSavedOptions r = DefaultRecord();
    t.Start(&r);
    THaupt& w = t.window();
    for (QComboBox* day : {w.ComboBox3, w.ComboBox6}) {
        EXPECT_EQ(day->count(), 31);
        EXPECT_EQ(day->currentText(), QStringLiteral("29"));
    }
    for (QComboBox* month : {w.ComboBox4, w.ComboBox7}) EXPECT_EQ(month->currentIndex(), 1);
    for (QComboBox* year : {w.ComboBox5, w.ComboBox8}) {
        EXPECT_EQ(year->itemText(year->count() - 1), QStringLiteral("2099"));
        EXPECT_EQ(year->currentIndex(), 20);
    }
    // Date controls start hidden: CheckBox2 starts unchecked.
    EXPECT_TRUE(w.ComboBox3->isHidden());
    EXPECT_TRUE(w.Label7->isHidden());
}

TEST(StartUp, YearOutsideTheListsLeavesNoYearSelected) {
    WindowTest t;
    SetCurrentDateTimeSource([] { return QDateTime(QDate(2100, 1, 5), QTime(8, 0)); });
    const TSavedOptions r = DefaultRecord();
    t.Start(&r);
    EXPECT_EQ(t.window().ComboBox5->currentIndex(), -1);
    EXPECT_EQ(t.window().ComboBox8->currentIndex(), -1);
    EXPECT_EQ(t.window().ComboBox3->currentIndex(), 4);
}

TEST(StartUp, StoredColumnIndexOutsideTheListIsOneColumnAsListed) {
    WindowTest t;
    TSavedOptions r = DefaultRecord();
    r.ColumnIndex = 255;
    r.SizeUnitIndex = 9;
    t.Start(&r);
    THaupt& w = t.window();
    // The listing is one-column detail lines; the controls must agree with it.
    EXPECT_EQ(w.ComboBox1->currentText(), QStringLiteral("1 column"));
    EXPECT_EQ(w.ComboBox1->currentIndex(), 0);
    for (QWidget* control : {static_cast<QWidget*>(w.CheckBox3), static_cast<QWidget*>(w.CheckBox4),
                             static_cast<QWidget*>(w.CheckBox5), static_cast<QWidget*>(w.CheckBox6),
                             static_cast<QWidget*>(w.ComboBox9)})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(w.Attribute1->isEnabled());
    // No size unit is chosen, so the size column stays empty.
    EXPECT_EQ(WithoutParentLine(w.Memo1->toPlainText()),
              QStringLiteral("[.]                            \t\t\t06/15/21 09:30:00\n"
                             "alpha.txt                      \tA \t\t05/01/01 13:04:06\n"
                             "beta.dat                       \tA \t\t12/31/99 23:59:58\n"
                             "[sub]                          \t\t\t03/01/20 12:00:00\n"
                             "\n"
                             "founded files:                \t2\n"
                             "founded directories:\t3\n"));
    EXPECT_EQ(w.ComboBox9->currentIndex(), -1);
}

TEST(StartUp, WithoutSettingsFileShowsTheErrorOnceAndStillLists) {
    WindowTest t;
    t.Start(nullptr);
    THaupt& w = t.window();
    ASSERT_EQ(ShownErrors(), QStringList{QStringLiteral("File not found.")});
    // Design state, but the lists on their first entries and the dates filled.
    EXPECT_EQ(w.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(w.ComboBox9->currentIndex(), 0);
    EXPECT_TRUE(w.CheckBox3->isChecked() && w.Attribute1->isChecked());
    EXPECT_TRUE(w.CheckBox3->isEnabled());
    EXPECT_FALSE(w.CheckBox1->isChecked());
    EXPECT_FALSE(w.Panel2->isHidden());
    EXPECT_EQ(w.ComboBox5->currentIndex(), 20);
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral("alpha.txt")));
    EXPECT_FALSE(OptionsChanged);
    EXPECT_EQ(HelpFile(), t.programDirectory() + QStringLiteral("Tabulist.hlp"));
}

TEST(StartUp, CreatesTheWindowSetInOrderWithFormNames) {
    WindowTest t;
    const TSavedOptions r = DefaultRecord();
    t.Start(&r);
    const TWindowSet& set = Windows();
    EXPECT_EQ(set.Haupt->objectName(), QStringLiteral("Haupt"));
    EXPECT_EQ(set.Zusatzformular->objectName(), QStringLiteral("Zusatzformular"));
    EXPECT_EQ(set.Info->objectName(), QStringLiteral("Info"));
    EXPECT_EQ(set.PEDialog->objectName(), QStringLiteral("PEDialog"));
    EXPECT_EQ(set.Drucken->objectName(), QStringLiteral("Drucken"));
    EXPECT_NE(qobject_cast<TZusatzformular*>(set.Zusatzformular), nullptr);
    EXPECT_NE(qobject_cast<TInfo*>(set.Info), nullptr);
    EXPECT_NE(qobject_cast<TPEDialog*>(set.PEDialog), nullptr);
    EXPECT_NE(qobject_cast<TDrucken*>(set.Drucken), nullptr);
    // The dialogs are created after the main window, which stays the first one.
    const QObjectList children = set.Haupt->children();
    EXPECT_LT(children.indexOf(set.Zusatzformular), children.indexOf(set.Info));
    EXPECT_LT(children.indexOf(set.PEDialog), children.indexOf(set.Drucken));
    EXPECT_FALSE(set.Zusatzformular->isVisible());
}

TEST(StartUp, CaptionNamesTheDriveOnceShown) {
    WindowTest t;
    const TSavedOptions r = DefaultRecord();
    t.Start(&r);
    EXPECT_EQ(t.window().windowTitle(), QStringLiteral("Tabulist"));
    t.Show();  // in a chroot whose "/" is no mount there is no drive at all; that must not crash
    const bool hasDrive = DriveTable::system().driveOf(QDir::currentPath()) != nullptr;
    EXPECT_EQ(t.window().DriveComboBox1->Text().isEmpty(), !hasDrive);
    EXPECT_EQ(t.window().windowTitle(),
              QStringLiteral("Tabulist - current drive: ") + t.window().DriveComboBox1->Text());
    EXPECT_TRUE(t.window().Memo1->toPlainText().contains(QStringLiteral("beta.dat")));
}

TEST(ErrorDisplay, TitleAndFullStopRule) {
    EXPECT_EQ(ApplicationTitle(QStringLiteral("/opt/bin/TABULIST.EXE")),
              QStringLiteral("Tabulist"));
    EXPECT_EQ(ApplicationTitle(QStringLiteral("/x/Tabulist")), QStringLiteral("Tabulist"));
    EXPECT_EQ(ApplicationTitle(QStringLiteral("tabuLIST.prog.bin")), QStringLiteral("tabulist"));
    EXPECT_EQ(ErrorDisplayText(QStringLiteral("Disk full")), QStringLiteral("Disk full."));
    EXPECT_EQ(ErrorDisplayText(QStringLiteral("I/O error 21")), QStringLiteral("I/O error 21."));
    // ")" and "." do not sort after ".": nothing is appended.
    EXPECT_EQ(ErrorDisplayText(QStringLiteral("List index out of bounds (3)")),
              QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(ErrorDisplayText(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(ErrorDisplayText(QString()), QString());
}

// The window starts whatever lies in the settings file: it shows the loader's message
// or takes the record as it is, with flag values, units and indexes out of range.
class SettingsAtStartUp : public ::testing::Test {
protected:
    QString SettingsPath() { return t.programDirectory() + QStringLiteral("Tabulist.sav"); }
    void Write(const QByteArray& bytes) { WriteFile(SettingsPath(), bytes); }
    // Starts, lists once more from the controls and closes without saving.
    void StartAndUse() {
        t.Start(nullptr);
        t.Show();
        t.window().BuildListing();
        OptionsChanged = false;
        t.window().close();
        ProcessEvents();
        DestroyWindowSet();
    }
    WindowTest t;
};

TEST_F(SettingsAtStartUp, RandomRecordsAndShortFiles) {
    std::mt19937 random(11);
    for (int round = 0; round < 24; ++round) {
        const int size = round < 4 ? round * 98 : 296 + int(random() % 5);
        const QByteArray bytes = RandomBytes(random, size);
        Write(bytes);
        ShownErrors().clear();
        StartAndUse();
        if (size < 296)
            EXPECT_EQ(ShownErrors(), QStringList{"Read beyond end of file."}) << size;
        else
            EXPECT_TRUE(ShownErrors().isEmpty()) << ShownErrors().join('|').toStdString();
        EXPECT_EQ(ReadFile(SettingsPath()), bytes);
    }
}

TEST_F(SettingsAtStartUp, DirectoryInPlaceOfTheFile) {
    ASSERT_TRUE(QDir().mkpath(SettingsPath()));
    StartAndUse();
    ASSERT_EQ(ShownErrors().size(), 1);
    EXPECT_TRUE(QFileInfo(SettingsPath()).isDir());
}

}  // namespace
}  // namespace tabulist::test
