// The header and footer lines of a listing report.
#include "listing/ReportLines.h"

#include <QDir>

#include "listing/Rendering.h"
#include "platform/DriveTable.h"
#include "platform/Errors.h"
#include "platform/NameCoding.h"

namespace tabulist {

namespace {
constexpr int64_t QueryFailed = -1;  // what the drive queries give when they fail
}  // namespace

QString AmountText(int64_t amount, int unit, bool showUnit) {
    QString text;
    if (unit == 0) {
        text = IntegerText(amount, 0);
    } else if (unit >= 1 && unit <= 3) {
        // Repeated division, each quotient a double, as the header always did it.
        double value = static_cast<double>(amount);
        for (int i = 0; i < unit; ++i) value = value / 1024.0;
        text = DecimalComma(FixedText(value, 7, 3));
    } else {
        return text;
    }
    if (showUnit) text += UnitSuffix(unit);
    return text;
}

double CheckedDivide(double dividend, double divisor) {
    if (divisor == 0.0) {
        if (dividend == 0.0) throw InvalidOpError();
        throw ZeroDivideError();
    }
    return dividend / divisor;
}

QString PercentText(double value, bool showUnit) {
    QString text = DecimalComma(FixedText(value, 6, 2));
    if (showUnit) text += QLatin1String(" %");
    return text;
}

uint8_t DriveNumber(QChar letter) {
    const char16_t c = letter.toLower().unicode();
    if (c >= u'a' && c <= u'z') return static_cast<uint8_t>(c - u'a' + 1);
    return 0;
}

DriveFigures::DriveFigures(const ListingOptions& options, const ListingHooks& hooks)
    : driveNumber_(DriveNumber(options.driveLetter)),
      querySize_(hooks.driveSize ? hooks.driveSize : QueryDriveSize),
      queryFree_(hooks.driveFree ? hooks.driveFree : QueryDriveFree) {}

int64_t DriveFigures::size() {
    if (!size_) size_ = querySize_(driveNumber_);
    return *size_;
}

int64_t DriveFigures::free() {
    if (!free_) free_ = queryFree_(driveNumber_);
    return *free_;
}

void WriteHeader(const ListingOptions& options, const QString& searchSpec, DriveFigures& drive,
                 ListingSink& sink) {
    const bool unit = options.showUnit;
    if (options.headerDriveName) {
        sink.appendLine(QLatin1String("drive:  \t") + options.driveText);
        sink.appendLine(QString());
    }
    if (options.headerDriveInfo) {
        const int64_t size = drive.size();
        sink.appendLine(QLatin1String("size:          \t") +
                        AmountText(size, options.driveInfoUnit, unit));
        const int64_t free = drive.free();
        sink.appendLine(QLatin1String("free :            \t") +
                        AmountText(free, options.driveInfoUnit, unit));
        if (options.headerDrivePercent) {
            // A failed query (-1) gives -1 here too, not a share computed from it.
            const bool failed = size == QueryFailed || free == QueryFailed;
            const double used = failed ? QueryFailed
                                       : CheckedDivide(static_cast<double>(size - free) * 100.0,
                                                       static_cast<double>(size));
            sink.appendLine(QLatin1String("relative used:\t") + PercentText(used, unit));
            const double freeShare = failed ? QueryFailed
                                            : CheckedDivide(static_cast<double>(free) * 100.0,
                                                            static_cast<double>(size));
            sink.appendLine(QLatin1String("free space:  \t") + PercentText(freeShare, unit));
        }
    }
    if (options.headerDriveName || options.headerDriveInfo) sink.appendLine(QString());
    if (options.headerPath) {
        // Shown like the names: a control character in the path would break the line. With
        // the system's separator: "\" on Windows.
        sink.appendLine(QLatin1String("path:    \t") +
                        QDir::toNativeSeparators(DisplayName(searchSpec.toUtf8())));
        sink.appendLine(QString());
    }
}

void WriteFooter(const ListingOptions& options, const ListingResult& counts, DriveFigures& drive,
                 ListingSink& sink) {
    const bool unit = options.showUnit;
    if (options.footerFileCount) {
        sink.appendLine(QLatin1String("founded files:                \t") +
                        IntegerText(counts.fileCount - counts.dirCount, 0));
        sink.appendLine(QLatin1String("founded directories:\t") + IntegerText(counts.dirCount, 0));
    }
    if (options.footerTotalSize) {
        sink.appendLine(QLatin1String("total size of the files:\t") +
                        AmountText(counts.totalSize, options.totalSizeUnit, unit));
        if (options.footerPercent) {
            // Without the drive-information header the size is queried here.
            const int64_t size = drive.size();
            const double share = size == QueryFailed
                                     ? QueryFailed
                                     : CheckedDivide(static_cast<double>(counts.totalSize),
                                                     static_cast<double>(size)) *
                                           100.0;
            sink.appendLine(QLatin1String("relative size              :\t") +
                            PercentText(share, unit));
        }
    }
}

}  // namespace tabulist
