// The printer object's errors.
#include "output/OutputErrors.h"

namespace tabulist {

EPrinter PrintingInProgressError() { return EPrinter(QStringLiteral("Printing in progress")); }
EPrinter NotPrintingError() {
    return EPrinter(QStringLiteral("Printer is not currently printing"));
}
EPrinter NoDefaultPrinterError() {
    return EPrinter(QStringLiteral("There is no default printer currently selected"));
}
EPrinter InvalidPrinterError() { return EPrinter(QStringLiteral("Printer selected is not valid")); }
EPrinter PrinterNotSupportedError() {
    return EPrinter(QStringLiteral("Operation not supported on selected printer"));
}

ECreateFileError::ECreateFileError(const QString& fileName)
    : EStreamError(QStringLiteral("Cannot create file %1").arg(fileName)) {}

EStreamWriteError::EStreamWriteError() : EStreamError(QStringLiteral("Stream write error")) {}

}  // namespace tabulist
