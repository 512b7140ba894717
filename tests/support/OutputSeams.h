#pragma once

#include <QPrinter>
#include <QString>

#include "forms/OutputCommands/PrintCommand.h"
#include "forms/OutputCommands/SaveCommand.h"
#include "support/Seam.h"

namespace tabulist::test {

// While it lives, the print dialog is answered with the PDF printer writing to the file
// pdf names at the time of printing (a test may point it elsewhere; it must outlive this).
class PrintsToPdf {
public:
    explicit PrintsToPdf(const QString& pdf) {
        PrintCommand::confirmPrintDialog = [&pdf](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
    }

private:
    SeamRestorer<decltype(PrintCommand::confirmPrintDialog)> keep_{
        PrintCommand::confirmPrintDialog};
};

// While it lives, the save dialog is answered with the given file name.
class SavesTo {
public:
    explicit SavesTo(const QString& file) {
        SaveCommand::chooseFileName = [file](QWidget*, const QString&) { return file; };
    }

private:
    SeamRestorer<decltype(SaveCommand::chooseFileName)> keep_{SaveCommand::chooseFileName};
};

}  // namespace tabulist::test
