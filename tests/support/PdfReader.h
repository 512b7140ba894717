#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace tabulist::test {

// What poppler's tools read from a PDF file.
inline QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPageCount(const QString& pdf) {
    const auto match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunTool("pdfinfo", {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of the pages (all by default), one entry per page.
inline QStringList PdfPages(const QString& pdf) {
    QStringList pages = RunTool("pdftotext", {"-layout", pdf, "-"}).split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

// The non-empty lines of the text, each with its blanks run together and ligatures
// ("fi" drawn as one glyph) taken apart again.
inline QStringList Words(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QChar('\n'))) {
        const QString simple = line.normalized(QString::NormalizationForm_KC).simplified();
        if (!simple.isEmpty()) lines.append(simple);
    }
    return lines;
}

}  // namespace tabulist::test
