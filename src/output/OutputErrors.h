#pragma once

#include "platform/Errors.h"

namespace tabulist {

// Errors of the printer object: "Printing in progress", "Printer is not currently printing",
// "There is no default printer currently selected", "Printer selected is not valid",
// "Operation not supported on selected printer".
class EPrinter : public TabulistError {
public:
    using TabulistError::TabulistError;
};
EPrinter PrintingInProgressError();
EPrinter NotPrintingError();
EPrinter NoDefaultPrinterError();
EPrinter InvalidPrinterError();
EPrinter PrinterNotSupportedError();

// Errors of writing a text file: "Cannot create file %s" and "Stream write error".
class EStreamError : public TabulistError {
public:
    using TabulistError::TabulistError;
};
class ECreateFileError : public EStreamError {
public:
    explicit ECreateFileError(const QString& fileName);
};
class EStreamWriteError : public EStreamError {
public:
    EStreamWriteError();
};

}  // namespace tabulist
