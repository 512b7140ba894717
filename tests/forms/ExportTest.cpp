#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Errors.h"
#include "settings/AddedOptions.h"
#include "support/DataReadBack.h"
#include "support/Events.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

class Additions : public ::testing::Test {
protected:
    void SetUp() override {
        AddedOptions = TAddedOptions{};
        files = &t.files();
        files->file("=cmd.txt", 4);  // a name a spreadsheet would take for a formula
        t.StartShown();
        w = &t.window();
        OptionsChanged = false;
    }
    // Answers the export dialog with a type and a name, the way a user fills it in.
    // Until the folder has loaded, the dialog may put its proposal (the last export) back.
    static void ChooseName(QFileDialog& dialog, const QString& name) {
        dialog.setDirectory(QFileInfo(name).absolutePath());
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        PumpUntil([&dialog, edit, name] {
            if (dialog.selectedFiles() == QStringList(name)) return true;
            edit->setText(QFileInfo(name).fileName());
            return false;
        });
    }

    QByteArray Export(const QString& type, const QString& name, const QString& written,
                      const QString& checksum = {}) {
        AnswerNextModal(
            [type, name, checksum](QDialog& d) {
                auto& dialog = static_cast<QFileDialog&>(d);
                dialog.selectNameFilter(type);
                // As a user picks the type: the checksum choice follows it.
                emit dialog.filterSelected(type);
                if (!checksum.isEmpty())
                    dialog.findChild<QComboBox*>(QStringLiteral("ChecksumBox"))
                        ->setCurrentText(checksum);
                ChooseName(dialog, name);
                d.accept();  // QDialog::accept is public; QFileDialog overrides it
            },
            "QFileDialog");
        // Queued, so that an error reaches the application's error display.
        QMetaObject::invokeMethod(w->ExportItem, &QAction::trigger, Qt::QueuedConnection);
        PumpUntil([&written] { return QFile::exists(written) || !ShownErrors().isEmpty(); });
        QFile file(written);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList NamesOf(const QJsonArray& entries) {
        QStringList names;
        for (const QJsonValue& e : entries) names << e.toObject().value("name").toString();
        return names;
    }

    WindowTest t;
    Fixture* files = nullptr;
    THaupt* w = nullptr;
    QTemporaryDir out;
};

TEST_F(Additions, ExportWritesTheConfiguredListingNotTheEditedView) {
    w->Memo1->setPlainText(QStringLiteral("edited away"));
    // No extension given: the chosen type adds its own.
    const QByteArray json =
        Export("JSON file (*.json)", out.filePath("listing"), out.filePath("listing.json"));
    EXPECT_EQ(NamesOf(JsonArray(json)), QStringList({"=cmd.txt", "alpha.txt", "beta.dat", "sub"}));
    EXPECT_EQ(w->StatusBar1->PanelText(1), "");

    const QList<QStringList> rows =
        CsvRows(Export("CSV file (*.csv)", out.filePath("l.csv"), out.filePath("l.csv")));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], QStringList({"folder", "name", "type", "attributes", "size", "modified"}));
    EXPECT_EQ(rows[1].mid(0, 5), QStringList({".", "'=cmd.txt", "file", "A", "4"}));

    // The catalogue: its type adds ".html"; the page names the window as its maker.
    const QByteArray html = Export("HTML catalogue (*.html)", out.filePath("catalogue"),
                                   out.filePath("catalogue.html"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>") && html.endsWith("</html>\n"));
    EXPECT_TRUE(html.contains("\"program\":\"Tabulist\""));
    EXPECT_TRUE(html.contains("[-1,\"\",[\"=cmd.txt\","));
    EXPECT_TRUE(ShownErrors().isEmpty());
}

TEST_F(Additions, AFailedExportShowsTheSaveErrorAndLeavesNoPartialFile) {
    const QString target = out.filePath("big.csv");
    {
        test::FileSizeLimit limit(16);
        Export("CSV file (*.csv)", target, target);
    }
    ASSERT_EQ(ShownErrors().size(), 1);
    EXPECT_TRUE(ShownErrors()[0].startsWith("Stream write error"))
        << ShownErrors()[0].toStdString();
    EXPECT_TRUE(w->StatusBar1->PanelText(1).startsWith("exporting ..."));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Excel is offered with its suffix; Esc during an export stops it and leaves no file.
TEST_F(Additions, ExcelExportsAWorkbookAndEscStopsAnExport) {
    const QString book = out.filePath("book.xlsx");
    Export("Excel workbook (*.xlsx)", out.filePath("book"), book);
    const QJsonArray sheets = XlsxSheets(book);
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[0].toObject()["rows"].toArray().size(), 5);
    EXPECT_EQ(sheets[0].toObject()["rows"].toArray()[1].toArray()[1].toString(), "s:=cmd.txt");

    // In a folder of its own: where the dialog keeps its earlier proposal (book.xlsx) a moment
    // longer, no overwrite question can come up there.
    const QString stopDir = out.filePath("stop");
    ASSERT_TRUE(QDir().mkpath(stopDir));
    AnswerNextModal(
        [this, stopDir](QDialog& d) {
            ChooseName(static_cast<QFileDialog&>(d), stopDir + "/stopped.csv");
            d.accept();
            // Reaches the window once the export runs.
            QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        },
        "QFileDialog");
    w->ExportItem->trigger();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"book.xlsx"}));
    EXPECT_TRUE(QDir(stopDir).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(ShownErrors().isEmpty());
    EXPECT_EQ(w->StatusBar1->PanelText(1), "");
}

TEST_F(Additions, ExportCarriesTheChosenChecksumsAndAChecksumListNeedsOne) {
    const auto hashOf = [this](const QByteArray& name, QCryptographicHash::Algorithm algorithm) {
        QFile file(files->pathText(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromLatin1(QCryptographicHash::hash(file.readAll(), algorithm).toHex());
    };
    const QList<QStringList> rows = CsvRows(
        Export("CSV file (*.csv)", out.filePath("md5.csv"), out.filePath("md5.csv"), "md5"));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].last(), "md5");
    EXPECT_EQ(rows[2].mid(1, 2), QStringList({"alpha.txt", "file"}));
    EXPECT_EQ(rows[2].last(), hashOf("alpha.txt", QCryptographicHash::Md5));
    EXPECT_EQ(rows[4].last(), "");  // the folder

    // Picking the checksum list turns "none" into its algorithm.
    const QString sums =
        Export("Checksum list (*.sums)", out.filePath("all"), out.filePath("all.sums"), "none");
    EXPECT_TRUE(sums.contains(hashOf("beta.dat", QCryptographicHash::Sha256) + "  beta.dat\n"))
        << sums.toStdString();
    EXPECT_TRUE(ShownErrors().isEmpty());
}

// The report replaces the text as a listing does and can be undone; a stopped comparison
// and a damaged catalogue leave the text alone.
TEST_F(Additions, CompareWithCatalogueShowsTheChangesAsAListing) {
    const QString catalogue = out.filePath("before.json");
    Export("JSON file (*.json)", catalogue, catalogue, "sha256");
    files->file("alpha.txt", QByteArray(10, 'x'));  // new content, same size and time
    files->setLocalTime("alpha.txt", 2001, 5, 1, 13, 4, 6);
    files->remove("beta.dat");
    files->file("new.txt", 5);
    const QString listing = w->Memo1->toPlainText();

    // Called as the menu item calls it, so that the comparison has ended when this returns; an
    // error comes back as its message (the application shows it; not thrown through Qt here).
    const auto compare = [this](const QString& name, bool stop) -> QString {
        AnswerNextModal(
            [this, name, stop](QDialog& d) {
                ChooseName(static_cast<QFileDialog&>(d), name);
                d.accept();
                if (stop)
                    QCoreApplication::postEvent(
                        w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
            },
            "QFileDialog");
        try {
            w->CompareItemClick();
        } catch (const TabulistError& e) {
            return e.message();
        }
        return {};
    };
    compare(catalogue, true);
    EXPECT_EQ(w->Memo1->toPlainText(), listing);

    compare(catalogue, false);
    const QString summary = "1 added, 1 removed, 1 changed, 0 moved";
    EXPECT_EQ(w->Memo1->toPlainText(),
              "changed: alpha.txt (checksum differs)\n"
              "removed: beta.dat\n"
              "added: new.txt\n" +
                  summary + "\n");
    EXPECT_EQ(w->StatusBar1->PanelText(1), "3 changes");
    EXPECT_EQ(w->StatusBar1->PanelText(3), "compared with before.json: " + summary);
    EXPECT_TRUE(w->Memo1->UndoListing());
    EXPECT_EQ(w->Memo1->toPlainText(), listing);

    QFile damaged(out.filePath("cut.json"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[{\"folder\": \".\", \"na");
    damaged.close();
    const QString error = compare(damaged.fileName(), false);
    EXPECT_TRUE(error.contains("is truncated")) << error.toStdString();
    EXPECT_EQ(w->Memo1->toPlainText(), listing);
}

// Runs as the test forms_unreadable_export, where every open of a path holding "secret" fails
// with EACCES (tests/support/FailCalls.cpp): the export completes, then a message that takes
// input names the file.
TEST_F(Additions, AFileThatCannotBeReadIsNamedAfterTheExport) {
    if (!qEnvironmentVariableIsSet("TABULIST_FAIL"))
        GTEST_SKIP() << "runs as forms_unreadable_export, under the read-error interposer";
    files->file("s.txt", 3);  // made under another name: opening "secret" fails
    ASSERT_TRUE(QFile::rename(files->pathText("s.txt"), files->pathText("secret.txt")));
    w->RefreshItem->trigger();
    QString shown;
    AnswerNextModal(
        [&shown](QDialog& d) {
            auto& box = static_cast<QMessageBox&>(d);
            shown = box.text() + "\n" + box.informativeText();
            QTest::keyClick(&box, Qt::Key_Return);  // the window's input is back
        },
        "QMessageBox");
    const QList<QStringList> rows =
        CsvRows(Export("CSV file (*.csv)", out.filePath("s.csv"), out.filePath("s.csv"), "sha256"));
    PumpUntil([&shown] { return !shown.isEmpty(); });
    EXPECT_EQ(shown,
              "The export is complete, but 1 of the folders and files listed could not be "
              "read: what they hold, or their checksums, are missing from it.\n"
              "cannot read " +
                  files->pathText("secret.txt") + ": File access denied");
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[4].mid(1, 1), QStringList("secret.txt"));
    EXPECT_EQ(rows[4].last(), "");
    EXPECT_EQ(rows[3].last().size(), 64);  // beta.dat, read
}

TEST_F(Additions, SortByRelistsMarksTheOptionsAndReachesTheExport) {
    const int before = w->ListingsStarted();
    w->SortSizeItem->trigger();
    w->SortDescendingItem->trigger();
    EXPECT_EQ(w->ListingsStarted() - before, 2);
    EXPECT_TRUE(OptionsChanged);
    const QString text = w->Memo1->toPlainText();
    EXPECT_LT(text.indexOf("beta.dat"), text.indexOf("alpha.txt"));
    EXPECT_LT(text.indexOf("alpha.txt"), text.indexOf("=cmd.txt"));
    EXPECT_LT(text.indexOf("[..]"), text.indexOf("beta.dat"));

    w->CopyOptionsIntoSavedOptions();
    EXPECT_EQ(AddedOptions.Sort, SortKey::Size);
    EXPECT_TRUE(AddedOptions.SortDescending);
    const QByteArray json =
        Export("JSON file (*.json)", out.filePath("s.json"), out.filePath("s.json"));
    EXPECT_EQ(NamesOf(JsonArray(json)), QStringList({"beta.dat", "alpha.txt", "=cmd.txt", "sub"}));
}

}  // namespace
}  // namespace tabulist::test
