#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "forms/Hauptfenster/Clock.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

QString MemoText(THaupt& w) { return WithoutParentLine(w.Memo1->toPlainText()); }

class ListingRequests : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 4000; ++i)
            t.files().file(QByteArray("many-") + QByteArray::number(i) + ".txt", i);
        t.StartShown();
        w = &t.window();
    }
    WindowTest t;
    THaupt* w = nullptr;
};

TEST_F(ListingRequests, NewestRequestWinsAndTheResultIsOneWholeListing) {
    const int before = w->ListingsStarted();
    bool sawRunning = false;
    // Two more requests arrive while the first listing runs; only the last counts.
    QTimer::singleShot(5, w, [&] {
        sawRunning = w->ListingRunning();
        w->CheckBox6->click();
        w->CheckBox4->click();
    });
    w->CheckBox3->click();
    ProcessEvents();
    ASSERT_TRUE(sawRunning);
    EXPECT_FALSE(w->ListingRunning());
    // The first run and one rerun for the two requests that came while it ran.
    EXPECT_EQ(w->ListingsStarted() - before, 2);
    EXPECT_EQ(MemoText(*w), ExpectedListing(*w, t.listedDirectory()));
    EXPECT_EQ(w->Memo1->toPlainText().count(QStringLiteral("founded files:")), 1);
    EXPECT_EQ(w->StatusBar1->PanelText(1), QString());
    EXPECT_EQ(w->StatusBar1->PanelText(2), QString());
}

TEST_F(ListingRequests, ClickedRowRequestedDuringAListingIsTheOneListed) {
    TDirectoryListBox* list = w->DirectoryListBox1;
    int subRow = -1;
    for (int row = 0; row < list->RowCount(); ++row)
        if (list->RowPath(row).endsWith(QStringLiteral("/sub"))) subRow = row;
    ASSERT_GE(subRow, 0);
    QTimer::singleShot(5, w, [&] {
        const QRect rect = list->visualItemRect(list->item(subRow));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    });
    w->CheckBox6->click();
    ProcessEvents();
    EXPECT_EQ(MemoText(*w), ExpectedListing(*w, t.listedDirectory() + "/sub"));
    EXPECT_FALSE(w->PathFromClick);
}

TEST_F(ListingRequests, ClosingDuringAListingAbandonsItFirst) {
    OptionsChanged = false;
    QTimer::singleShot(5, w, [&] { w->close(); });
    w->CheckBox6->click();  // marks; the close below then asks
    OptionsChanged = false;
    PumpUntil([this] { return !w->isVisible(); });
    EXPECT_FALSE(w->ListingRunning());
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->Memo1->toPlainText().contains(QStringLiteral("founded files:")));
}

TEST_F(ListingRequests, ErrorDuringAListingIsShownOnceAndTheWindowStaysUsable) {
    // 31 February cannot be encoded: the first entry that reaches the date test fails.
    w->CheckBox2->click();
    w->ComboBox3->setCurrentIndex(30);
    w->ComboBox4->setCurrentIndex(1);
    ShownErrors().clear();
    QTest::keyClick(w->ComboBox7, Qt::Key_Down);  // a real event: its error reaches notify()
    ProcessEvents();
    EXPECT_EQ(ShownErrors(), QStringList{QStringLiteral("Invalid argument to date encode.")});
    EXPECT_FALSE(w->ListingRunning());
    EXPECT_EQ(w->StatusBar1->PanelText(1), QStringLiteral("searching ..."));

    QTest::mouseClick(w->CheckBox2, Qt::LeftButton, {}, QPoint(6, 8));
    ProcessEvents();
    EXPECT_EQ(ShownErrors().size(), 1);
    EXPECT_EQ(MemoText(*w), ExpectedListing(*w, t.listedDirectory()));
    EXPECT_EQ(w->StatusBar1->PanelText(1), QString());
}

TEST_F(ListingRequests, ClockTicksWhileAListingRuns) {
    int ticks = 0;
    SetCurrentDateTimeSource([&] {
        ++ticks;
        return QDateTime(QDate(2026, 12, 7), QTime(9, 0, ticks));
    });
    EXPECT_EQ(w->StatusBar1->PanelText(0), QStringLiteral("Date"));
    // The 4000 entries are slowed down by a busy timer so that the listing spans a tick.
    QTimer slow;
    QObject::connect(&slow, &QTimer::timeout, [] { QTest::qSleep(1); });
    slow.start(0);
    w->CheckBox6->click();
    slow.stop();
    EXPECT_GE(ticks, 1);
    EXPECT_TRUE(w->StatusBar1->PanelText(0).startsWith(QStringLiteral("Mo., ")));
}

}  // namespace
}  // namespace tabulist::test
