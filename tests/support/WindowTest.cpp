// The window tests' application object, window set and listings.
#include "support/WindowTest.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <clocale>

#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Clock.h"
#include "settings/SettingsFile.h"
#include "support/Application.h"
#include "support/Events.h"

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
    StampFixedTimes();
    ChangeDirectory(files_.root());
    // Dates in the listings read the same whatever the machine's locale.
    savedTimeLocale_ = std::setlocale(LC_TIME, nullptr);
    std::setlocale(LC_TIME, "C");
    SavedOptions = TSavedOptions{};
    OptionsChanged = false;
    ShownErrors().clear();
    SetErrorDisplayHook([](const QString&, const QString& text) { ShownErrors().append(text); });
    SetCurrentDateTimeSource([] { return QDateTime(QDate(2000, 2, 29), QTime(10, 30, 15)); });
}

void WindowTest::StampFixedTimes() {
    files_.setLocalTime("alpha.txt", 2001, 5, 1, 13, 4, 6);
    files_.setLocalTime("beta.dat", 1999, 12, 31, 23, 59, 58);
    files_.setLocalTime(".hidden", 2010, 7, 4, 8, 0, 0);
    files_.setLocalTime("sub/inner.txt", 2020, 2, 29, 0, 0, 0);
    files_.setLocalTime("sub", 2020, 3, 1, 12, 0, 0);
    files_.setLocalTime("", 2021, 6, 15, 9, 30, 0);
}

WindowTest::~WindowTest() {
    DestroyWindowSet();
    SetCurrentDateTimeSource({});
    SetErrorDisplayHook({});
    std::setlocale(LC_TIME, savedTimeLocale_.c_str());
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

QString UndisturbedListing(THaupt& w) {
    w.BuildListing();
    PumpUntil([&w] { return !w.ListingRunning(); });
    return WithoutParentLine(w.Memo1->toPlainText());
}

}  // namespace tabulist::test
