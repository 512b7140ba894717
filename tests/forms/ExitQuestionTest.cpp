#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <memory>

#include "forms/Help.h"
#include "forms/PEnde/ExitQuestion.h"
#include "forms/PEnde/PEnde.h"
#include "platform/Errors.h"
#include "settings/SavedOptions.h"
#include "support/Events.h"
#include "support/Fixture.h"

namespace tabulist {
namespace {

using test::AnswerNextModal;

class ExitQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&SavedOptions, 0, sizeof SavedOptions);
        OptionsChanged = false;
        settingsPath = dir.pathText("Tabulist.sav");
    }

    // What the main window does on Yes: its controls into the record.
    std::function<void()> copyControls() {
        return [this] {
            ++copies;
            SavedOptions.ShowSize = 1;
            SavedOptions.ColumnIndex = 255;  // combo box without a selection
            SavedOptions.setFontName(QStringLiteral("DejaVu Sans"));
            SavedOptions.FontColor = static_cast<int32_t>(0x80000008);
            SavedOptions.FontSize = 10;
            SavedOptions.BackgroundColor = 0x00FFFFFF;
        };
    }

    static void Click(QDialog& dialog, QPushButton* TPEDialog::*button) {
        (static_cast<TPEDialog&>(dialog).*button)->click();
    }

    bool closeAnswering(std::function<void(QDialog&)> answer) {
        AnswerNextModal(std::move(answer));
        return FormClose(dialog, copyControls(), settingsPath);
    }

    test::Fixture dir;
    QString settingsPath;
    TPEDialog dialog;
    int copies = 0;
};

// The file image laid out by offset, independently of the record's declaration.
QByteArray ExpectedFileAfterYes() {
    QByteArray bytes(296, '\0');
    bytes[3] = 1;   // HeaderPath, left by the more options dialog
    bytes[14] = 2;  // TotalSizeUnit
    bytes[8] = 1;   // ShowSize
    bytes[15] = static_cast<char>(255);
    bytes[17] = 11;
    bytes.replace(18, 11, "DejaVu Sans");
    auto putLE = [&bytes](int offset, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(v >> (8 * i));
    };
    putLE(276, 0x80000008);
    putLE(284, 10);
    putLE(292, 0x00FFFFFF);
    return bytes;
}

TEST_F(ExitQuestion, WithoutChangesClosesAtOnceAndWritesNothing) {
    auto asked = std::make_shared<bool>(false);
    QTimer::singleShot(0, [asked] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *asked = true;
            modal->close();
        }
    });
    EXPECT_TRUE(FormClose(dialog, copyControls(), settingsPath));
    test::ProcessEvents();
    EXPECT_FALSE(*asked);
    EXPECT_EQ(ExitChoice, ExitNoSave);
    EXPECT_EQ(copies, 0);
    EXPECT_FALSE(QFile::exists(settingsPath));
}

TEST_F(ExitQuestion, YesByClickOrEnterCopiesThenStoresTheRecord) {
    const std::pair<const char*, std::function<void(QDialog&)>> answers[] = {
        {"click", [](QDialog& d) { Click(d, &TPEDialog::BitBtn1); }},
        // The focus is on Yes as soon as the dialog is up.
        {"Enter", [](QDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); }},
    };
    for (const auto& [how, answer] : answers) {
        SCOPED_TRACE(how);
        std::memset(&SavedOptions, 0, sizeof SavedOptions);
        SavedOptions.HeaderPath = 1;
        SavedOptions.TotalSizeUnit = 2;
        OptionsChanged = true;
        copies = 0;
        QFile::remove(settingsPath);

        EXPECT_TRUE(closeAnswering(answer));
        EXPECT_EQ(ExitChoice, ExitSave);
        EXPECT_EQ(copies, 1);
        QFile file(settingsPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), ExpectedFileAfterYes());
    }
}

TEST_F(ExitQuestion, NoAndEscapeCloseWithoutWriting) {
    const std::pair<const char*, std::function<void(QDialog&)>> answers[] = {
        {"click", [](QDialog& d) { Click(d, &TPEDialog::BitBtn2); }},
        {"Escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const auto& [how, answer] : answers) {
        SCOPED_TRACE(how);
        OptionsChanged = true;
        EXPECT_TRUE(closeAnswering(answer));
        EXPECT_EQ(ExitChoice, ExitNoSave);
        EXPECT_EQ(copies, 0);
        EXPECT_FALSE(QFile::exists(settingsPath));
    }
}

TEST_F(ExitQuestion, CancelAndCloseBoxKeepTheWindowAndAskAgain) {
    const std::pair<const char*, std::function<void(QDialog&)>> answers[] = {
        {"click", [](QDialog& d) { Click(d, &TPEDialog::BitBtn3); }},
        {"close box", [](QDialog& d) { d.close(); }},
    };
    for (const auto& [how, answer] : answers) {
        SCOPED_TRACE(how);
        OptionsChanged = true;
        EXPECT_FALSE(closeAnswering(answer));
        EXPECT_EQ(ExitChoice, ExitStay);
        EXPECT_TRUE(OptionsChanged);
        EXPECT_EQ(copies, 0);
        EXPECT_FALSE(QFile::exists(settingsPath));

        bool askedAgain = false;
        EXPECT_TRUE(closeAnswering([&askedAgain](QDialog& d) {
            askedAgain = true;
            Click(d, &TPEDialog::BitBtn2);
        }));
        EXPECT_TRUE(askedAgain);
    }
}

TEST_F(ExitQuestion, HelpShowsContextSixAndTheQuestionStays) {
    OptionsChanged = true;
    bool stillOpen = false;
    EXPECT_TRUE(closeAnswering([&stillOpen](QDialog& d) {
        Click(d, &TPEDialog::BitBtn4);
        test::ProcessEvents();
        stillOpen = d.isVisible();
        // Help windows are not the question; answer the question itself.
        static_cast<TPEDialog&>(d).BitBtn2->click();
    }));
    EXPECT_EQ(LastHelpContext(), 6);
    EXPECT_TRUE(stillOpen);
}

TEST_F(ExitQuestion, FailedStoreKeepsTheWindowOpenThenNoEnds) {
    dir.file("plain-file");
    dir.dir("read-only");
    std::vector<QString> badPaths = {dir.pathText("missing/Tabulist.sav"),
                                     dir.pathText("plain-file/Tabulist.sav")};
    // Permission bits do not stop root, so that case needs an ordinary user.
    if (geteuid() != 0) {
        dir.setMode("read-only", 0500);
        badPaths.push_back(dir.pathText("read-only/Tabulist.sav"));
    }
    for (const QString& path : badPaths) {
        SCOPED_TRACE(path.toStdString());
        settingsPath = path;
        OptionsChanged = true;
        EXPECT_THROW(closeAnswering([](QDialog& d) { Click(d, &TPEDialog::BitBtn1); }),
                     EInOutError);
        EXPECT_TRUE(OptionsChanged);
        EXPECT_EQ(SavedOptions.ShowSize, 1) << "the copied controls stay in the record";
        EXPECT_TRUE(closeAnswering([](QDialog& d) { Click(d, &TPEDialog::BitBtn2); }));
        EXPECT_FALSE(QFile::exists(path));
    }
}

}  // namespace
}  // namespace tabulist
