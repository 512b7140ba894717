// The window tests' application object, window set and expected listings.
#include "support/WindowTest.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Clock.h"
#include "settings/SettingsFile.h"
#include "support/Application.h"
#include "support/Events.h"
#include "support/LinesSink.h"

namespace tabulist::test {

// The program's own application object, so that errors pass through its notify().
TABULIST_TEST_APPLICATION(TApplication);

QStringList& ShownErrors() {
    static QStringList errors;
    return errors;
}

TSavedOptions DefaultRecord() {
    TSavedOptions r{};
    r.ShowAttributes = r.ShowSize = r.ShowDate = 1;
    r.ShowSearchOptions = 1;
    r.FooterFileCount = 1;
    r.setFontName(QStringLiteral("DejaVu Sans Mono"));
    r.FontColor = int32_t(0x80000008u);
    r.FontHeight = -13;
    r.FontSize = 10;
    r.BackgroundColor = int32_t(0x80000005u);
    return r;
}

WindowTest::WindowTest() {
    files_.file("alpha.txt", 10);
    files_.file("beta.dat", 2000);
    files_.file(".hidden", 5);
    files_.dir("sub");
    files_.file("sub/inner.txt", 3);
    ChangeDirectory(files_.root());
    SavedOptions = TSavedOptions{};
    OptionsChanged = false;
    ShownErrors().clear();
    SetErrorDisplayHook([](const QString&, const QString& text) { ShownErrors().append(text); });
    SetCurrentDateTimeSource([] { return QDateTime(QDate(2000, 2, 29), QTime(10, 30, 15)); });
}

WindowTest::~WindowTest() {
    DestroyWindowSet();
    SetCurrentDateTimeSource({});
    SetErrorDisplayHook({});
}

void WindowTest::Start(const TSavedOptions* record) {
    if (record) StoreOptionsRecord(programDirectory() + QStringLiteral("Tabulist.sav"), *record);
    SetProgramDirectory(programDirectory());
    CreateWindowSet();
    window_ = Windows().Haupt;
}

void WindowTest::StartShown() {
    const TSavedOptions record = DefaultRecord();
    Start(&record);
    Show();
}

void WindowTest::Show() {
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    ProcessEvents();
}

QString WithoutParentLine(QString text) {
    static const QRegularExpression parent(QStringLiteral("^\\[\\.\\.\\][^\n]*\n"),
                                           QRegularExpression::MultilineOption);
    return text.remove(parent);
}

QString ExpectedListing(THaupt& w, const QString& directory) {
    ListingOptions o;
    o.directory = directory;
    o.maskText = w.ComboBox2->currentText();
    o.columnIndex = w.ComboBox1->currentIndex();
    o.showAttributes = w.CheckBox3->isChecked();
    o.showSize = w.CheckBox4->isChecked();
    o.showDate = w.CheckBox5->isChecked();
    o.showUnit = w.CheckBox6->isChecked();
    o.sizeUnitIndex = w.ComboBox9->currentIndex();
    o.showHidden = w.CheckBox1->isChecked();
    o.attributeClass = w.RadioGroup1->ItemIndex();
    o.footerFileCount = SavedOptions.FooterFileCount;
    o.driveText = w.DriveComboBox1->Text();
    o.driveLetter = w.DriveComboBox1->DriveLetter();
    o.regional = RegionalSettings::fromLocale();
    LinesSink sink;
    BuildListingReport(o, sink);
    return WithoutParentLine(sink.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

}  // namespace tabulist::test
