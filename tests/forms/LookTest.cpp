#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "forms/About/About.h"
#include "forms/Zusatz/Zusatz.h"

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

}  // namespace
}  // namespace tabulist
