#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "support/Fixture.h"
#include "support/OutputSeams.h"
#include "support/PdfReader.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

// A fresh listing from the command-line lister, which shares the window's engine.
QString ListingOf(const QString& directory, const QStringList& options) {
    QByteArrayList args;
    for (const QString& option : options + QStringList{directory}) args << option.toUtf8();
    const test::ListRun run = test::RunList(args);
    return run.status == 0 ? QString::fromLocal8Bit(run.out) : QString();
}

TEST(ListingPrint, AFreshListingPrintsEveryLineInOrder) {
    test::Fixture fixture;
    for (int i = 0; i < 150; ++i) {
        const QByteArray name = "report-" + QByteArray::number(i).rightJustified(3, '0') + ".txt";
        fixture.file(name, i * 1000);
        fixture.setLocalTime(name, 2023, 1 + i % 12, 1 + i % 28, 10, i % 60);
    }
    fixture.dir("archive");
    const QString text = ListingOf(fixture.rootText(), {"--path", "--file-count", "--total-size"});
    ASSERT_FALSE(text.isEmpty());

    // The view holds the text as the listing wrote it; printing goes by its lines.
    QPlainTextEdit memo;
    memo.setFont(QFont("DejaVu Sans Mono", 9));
    memo.setPlainText(text);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("listing.pdf");
    const test::PrintsToPdf printsToPdf(pdf);
    TDrucken progress;
    PrintCommand().Run(nullptr, &memo, progress, [](const QString&) {});

    QString spaced = text;
    spaced.replace(QChar('\t'), QChar(' '));
    EXPECT_EQ(test::Words(test::PdfPages(pdf).join('\n')), test::Words(spaced));
    EXPECT_GE(test::PdfPageCount(pdf), 2);
}

}  // namespace
}  // namespace tabulist
