#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace tabulist {

class TDrucken;

// Printing the text view's lines on the current printer while the progress window shows
// how far it got and offers Cancel.
class PrintCommand {
public:
    static constexpr int MaxLineLength = 4096;

    // Drucken1Click: PrintDialog1, "Drucken ..." through panel1, the lines of memo in its
    // font and text colour, then the document finished or (cancelled) discarded.
    void Run(QWidget* parent, QPlainTextEdit* memo, TDrucken& progress,
             const std::function<void(const QString&)>& panel1);

    // Lays the lines of memo out as Run would and paints the pages into preview, a print
    // preview's printer holding the current printer's settings.
    void Paint(QPrinter& preview, const QPlainTextEdit* memo);

    // The colour the text is printed in; an invalid one takes the view's text colour.
    QColor TextColor;
    // The job's name and the PDF's title; none when empty.
    QString JobName;

    // Shows PrintDialog1 on a printer that holds the current printer's settings; returns
    // whether the user confirmed. Tests put their own answer here.
    static std::function<bool(QWidget* parent, QPrinter& printer)> confirmPrintDialog;

private:
    void UseFontOf(const QPlainTextEdit* memo) const;
};

// Lines of the text view as printing counts them: the empty line after a final line end
// is not one; each is cut after MaxLineLength characters; an index past the end is empty.
int PrintableLineCount(const QPlainTextEdit* memo);
QString PrintableLine(const QPlainTextEdit* memo, int index);

// Percentage before line i of m (100 when there is only one line).
int PrintProgress(int i, int m);

}  // namespace tabulist
