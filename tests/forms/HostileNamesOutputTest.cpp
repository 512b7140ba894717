#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "platform/NameCoding.h"
#include "support/OutputSeams.h"
#include "support/PdfReader.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

QString WithoutBlanks(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// What the view shows of hostile names is what the saved file and the printed page hold.
TEST(HostileNamesOutput, SavedFileAndPdfHoldWhatTheViewHolds) {
    WindowTest t;
    const QByteArrayList names = {"new\nline", "tab\tbed", "latin1-\xe9t\xe9",
                                  "%s%n",      "-rf",      "[x]",
                                  "Case",      "case",     QByteArray(255, 'n')};
    for (const QByteArray& name : names) t.files().file(name, 1);
    t.StartShown();
    THaupt& w = t.window();
    const QString view = w.Memo1->toPlainText();

    QTemporaryDir out;
    const QString saved = out.filePath("listing.txt"), pdf = out.filePath("listing.pdf");
    const SavesTo savesTo(saved);
    w.BitBtn2Click();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QString(view).replace('\n', QStringLiteral("\r\n")).toUtf8());

    const PrintsToPdf printsToPdf(pdf);
    w.Drucken1Click();
    const QString printed = WithoutBlanks(PdfPages(pdf).join(QString()));
    for (const QByteArray& name : names) {
        const QString shown = DisplayName(name);
        EXPECT_TRUE(view.contains(shown)) << shown.toStdString();
        EXPECT_TRUE(printed.contains(WithoutBlanks(shown))) << shown.toStdString();
    }
    EXPECT_EQ(view.count(QStringLiteral("ase ")), 2);  // the case twins stay two lines
    EXPECT_TRUE(ShownErrors().isEmpty());
}

}  // namespace
}  // namespace tabulist::test
