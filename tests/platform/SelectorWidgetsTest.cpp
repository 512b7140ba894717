#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/widgets/DirectoryListBox.h"
#include "platform/widgets/DriveComboBox.h"
#include "platform/widgets/SelectorGlyphs.h"
#include "support/Application.h"
#include "support/Fixture.h"
#include "support/SelectorTestSupport.h"

namespace tabulist {
namespace {

// The selector widgets need an application object; the engine tests beside them do not mind it.
TABULIST_TEST_APPLICATION(QApplication);

using test::Fixture;
using Strings = std::vector<std::string>;

// The two controls as the main window holds them, on "/" and two fixture drives,
// started in first/sub.
class SelectorWidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        first.dir("sub");
        first.dir("sub/alpha");
        first.dir("sub/beta");
        test::ChangeDirectory(first.path("sub"));
        const DriveTable table = test::TableWithDrives({first.root(), second.root()});
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        combo = new TDriveComboBox(window.get());
        list = new TDirectoryListBox(window.get());
        layout->addWidget(combo);
        layout->addWidget(list);
        combo->setDriveTableSource([table] { return table; });
        combo->SetDirList(list);
        list->OnChange = log.record("list");
        list->OnClick = log.record("click");
        // The main window's handler asks for the highlighted row at the first report.
        combo->OnChange = [this] {
            log.events.emplace_back("drive");
            highlightAtReport = highlightedRow();
        };
        window->resize(260, 300);
        window->show();
        home = combo->DriveLetter();
        away = home == u'd' ? u'e' : u'd';
    }
    QPoint rowCentre(int row) const { return list->visualItemRect(list->item(row)).center(); }
    int highlightedRow() const {
        for (int row = 0;; ++row)
            if (list->Selected(row)) return row;
    }

    test::WorkingDirectoryGuard guard;
    Fixture first, second;
    test::NotificationLog log;
    std::unique_ptr<QWidget> window;
    TDriveComboBox* combo = nullptr;
    TDirectoryListBox* list = nullptr;
    QChar home, away;
    int highlightAtReport = -1;
};

TEST_F(SelectorWidgetsTest, FirstShowBuildsAndReportsTheDriveOnce) {
    EXPECT_EQ(log.take(), Strings({"drive"}));
    EXPECT_EQ(highlightAtReport, 1);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->Text(), combo->currentText());
    EXPECT_TRUE(combo->Text().startsWith(QString(home) + ":"));
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(list->viewport()->cursor().shape(), Qt::PointingHandCursor);
    // sub, its root and two subdirectories; the current row highlighted in the view too.
    EXPECT_EQ(list->RowCount(), 4);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(highlightedRow(), 1);
    EXPECT_EQ(list->currentRow(), 1);
}

TEST_F(SelectorWidgetsTest, PickingDrivesByKeyboard) {
    log.take();
    const int homeRow = combo->currentIndex();
    const int awayRow = away == u'd' ? 1 : 2;
    combo->setFocus();
    QTest::keyClick(combo, awayRow > homeRow ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(log.take(), Strings({"list", "drive", "drive"}));
    EXPECT_EQ(combo->DriveLetter(), away);
    EXPECT_EQ(combo->currentIndex(), awayRow);
    EXPECT_EQ(list->CurrentDirectoryRaw(), test::RealPath(second.root()));
    EXPECT_EQ(list->count(), 1);

    emit combo->activated(awayRow);  // the same drive reported again
    EXPECT_EQ(log.take(), Strings({"drive"}));

    combo->setCurrentIndex(homeRow);  // from code: nothing runs
    EXPECT_TRUE(log.take().empty());
    emit combo->activated(homeRow);
    EXPECT_EQ(log.take(), Strings({"list", "drive", "drive"}));
    EXPECT_EQ(list->CurrentDirectoryRaw(), test::RealPath(first.path("sub")));
}

TEST_F(SelectorWidgetsTest, ClicksKeysAndDoubleClicksInTheList) {
    log.take();
    const QString sub = list->CurrentDirectory();

    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(highlightedRow(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(log.take(), Strings({"click"}));
    EXPECT_EQ(highlightedRow(), 2);
    EXPECT_EQ(list->CurrentDirectory(), sub);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(log.take(), Strings({"click"}));
    EXPECT_EQ(highlightedRow(), 3);
    QTest::keyClick(list, Qt::Key_Down);  // already on the last row
    EXPECT_TRUE(log.take().empty());

    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(log.take(), Strings({"list"}));
    EXPECT_EQ(list->CurrentDirectory(), sub + "/beta");
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(highlightedRow(), 2);

    // Double-click on the root row: the click part, then the move.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(log.take(), Strings({"click", "list"}));
    EXPECT_EQ(list->CurrentDirectoryRaw(), test::RealPath(first.root()));
    EXPECT_EQ(highlightedRow(), 0);

    // On the current row neither the double-click nor Enter moves anything.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(log.take(), Strings({"click"}));

    list->BuildDirectoryRows();  // rows and highlight from code report nothing
    EXPECT_TRUE(log.take().empty());
}

TEST_F(SelectorWidgetsTest, RowsDrawGlyphsAtTheirIndentsOverATransparentKey) {
    QFontMetrics metrics(list->font());
    EXPECT_EQ(list->visualItemRect(list->item(0)).height(), std::max(metrics.height(), 16));

    const QImage image = list->viewport()->grab().toImage();
    const QColor base = list->palette().base().color();
    const QColor key = QColor(0xFF, 0x00, 0xFF);
    auto glyphColumns = [&](int row) {
        // The columns where a row has pixels that are not its background, left of the text.
        const QRect rect = list->visualItemRect(list->item(row));
        // The rows are drawn in the active colours, also when the window is not active.
        const QColor back = list->Selected(row)
                                ? list->palette().color(QPalette::Active, QPalette::Highlight)
                                : base;
        int firstInk = -1;
        for (int x = rect.left(); x < rect.left() + 30 && firstInk < 0; ++x)
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                if (image.pixelColor(x, y) != back) {
                    firstInk = x - rect.left();
                    break;
                }
        return firstInk;
    };
    EXPECT_EQ(glyphColumns(0), 2);   // root: 4 x 0 + 2
    EXPECT_EQ(glyphColumns(1), 6);   // current: 4 x 1 + 2
    EXPECT_EQ(glyphColumns(2), 10);  // subdirectory: 4 x 1 + 6
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ASSERT_NE(image.pixelColor(x, y), key);

    for (const char* name : {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"})
        EXPECT_EQ(SelectorGlyph(name).size(), QSize(16, 11)) << name;
    const QImage open = SelectorGlyph("OPENFOLDER").toImage();
    const QImage current = SelectorGlyph("CURRENTFOLDER").toImage();
    const QImage closed = SelectorGlyph("CLOSEDFOLDER").toImage();
    EXPECT_EQ(open.size(), QSize(16, 15));
    EXPECT_EQ(current.size(), QSize(16, 15));
    EXPECT_EQ(closed.size(), QSize(16, 15));
    EXPECT_NE(open, current);
    EXPECT_NE(open, closed);
    EXPECT_EQ(qAlpha(closed.pixel(0, 14)), 0);

    // A picture for people: the window, the open drive list and the rows at twice the size.
    if (const QByteArray shot = qgetenv("TABULIST_SELECTOR_SHOT"); !shot.isEmpty()) {
        list->model().setHighlighted(2);
        std::vector<MountRecord> mounts{{"/", "ext4", "/dev/sda1", "System", false},
                                        {"/media/stick", "vfat", "/dev/sdb1", "", false},
                                        {"/mnt/disc", "iso9660", "/dev/sr0", "Disc", false},
                                        {"/mnt/share", "nfs4", "server:/export", "", false},
                                        {"/scratch", "tmpfs", "tmpfs", "", false}};
        combo->SetDirList(nullptr);
        combo->setDriveTableSource([mounts] { return DriveTable::fromMounts(mounts); });
        combo->BuildDriveList();
        combo->SelectDrive(u'c');
        combo->showPopup();
        const QPixmap form = window->grab();
        const QPixmap popup = combo->view()->grab();
        QPixmap sheet(form.width() + popup.width() + 30, form.height());
        sheet.fill(Qt::lightGray);
        QPainter painter(&sheet);
        painter.drawPixmap(10, 0, form);
        painter.drawPixmap(form.width() + 20, 10, popup);
        painter.end();
        sheet.scaled(sheet.size() * 2).save(QString::fromUtf8(shot));
    }
}

}  // namespace
}  // namespace tabulist
