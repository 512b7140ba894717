// Date and time patterns of any shape, as a locale could hand them over, and any stamp.
#include <cstring>

#include "listing/DateTimeText.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    int32_t packed;
    std::memcpy(&packed, data, sizeof packed);
    tabulist::RegionalSettings settings;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 6),
                                           static_cast<qsizetype>(size - 6));
    const QStringList parts = text.split(QChar(u'\x01'));
    settings.shortDatePattern = parts.value(0);
    settings.dateSeparator = parts.value(1);
    settings.timeSeparator = parts.value(2);
    settings.amDesignator = parts.value(3);
    settings.pmDesignator = parts.value(4);
    settings.clock24 = data[4] & 1;
    settings.hourLeadingZero = data[4] & 2;
    settings.markBeforeTime = data[4] & 4;
    if (data[5] & 1) {
        // Short or missing name lists must not be read past their end.
        settings.shortMonthNames = parts.mid(5, data[5] >> 1);
        settings.longDayNames = parts.mid(5, data[5] >> 2);
    }
    try {
        const tabulist::DateTime t = tabulist::PackedTimeToDateTime(packed);
        (void)tabulist::DateTimeText(t, settings);
    } catch (const tabulist::EConvertError&) {
    }
    return 0;
}
