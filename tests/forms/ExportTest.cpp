#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

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

    QByteArray Export(const QString& type, const QString& name, const QString& written) {
        AnswerNextModal(
            [type, name](QDialog& d) {
                auto& dialog = static_cast<QFileDialog&>(d);
                dialog.selectNameFilter(type);
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
