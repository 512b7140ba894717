#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <cstring>

#include "ModalAnswer.h"
#include "forms/About/About.h"
#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"
#include "settings/SavedOptions.h"

namespace tabulist {
namespace {

// Under ctest each test runs in a process of its own, where no dialog was made before.
TEST(DialogLook, ProgramIconLoadsBeforeAnyDialogExists) {
    EXPECT_EQ(ProgramIcon().size(), QSize(32, 32));
}

TEST(DialogLook, CentredOnTheScreenEachTimeTheyAreShown) {
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    TZusatzformular more;
    TInfo info;
    for (QDialog* dialog : {static_cast<QDialog*>(&more), static_cast<QDialog*>(&info)}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        dialog->move(0, 0);
        dialog->hide();
        dialog->show();
        EXPECT_LE((dialog->frameGeometry().center() - centre).manhattanLength(), 2);
        dialog->hide();
    }
}

// Pictures of the three dialogs for the documentation; run with
// TABULIST_SCREENSHOTS=<directory> to write them.
TEST(DialogLook, Screenshots) {
    const QString target = qEnvironmentVariable("TABULIST_SCREENSHOTS");
    if (target.isEmpty()) GTEST_SKIP() << "TABULIST_SCREENSHOTS names no directory";
    ASSERT_TRUE(QDir().mkpath(target));
    std::memset(&SavedOptions, 0, sizeof SavedOptions);
    SavedOptions.HeaderDriveName = 1;
    SavedOptions.HeaderDriveInfo = 1;
    SavedOptions.DriveInfoUnit = 2;
    SavedOptions.HeaderPath = 1;
    SavedOptions.FooterFileCount = 1;
    SavedOptions.FooterTotalSize = 1;
    SavedOptions.TotalSizeUnit = 1;
    SavedOptions.FooterPercent = 1;
    TZusatzformular more;
    TInfo info;
    TPEDialog exit;
    const std::pair<QDialog*, const char*> shots[] = {
        {&more, "more-options.png"}, {&exit, "exit-question.png"}, {&info, "about.png"}};
    for (const auto& [dialog, file] : shots) {
        dialog->show();
        test::ProcessEvents();
        EXPECT_TRUE(dialog->grab().save(target + QLatin1Char('/') + QLatin1String(file)));
        dialog->hide();
    }
}

}  // namespace
}  // namespace tabulist
