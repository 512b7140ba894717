#pragma once

#include <QString>
#include <cstdint>

#include "listing/LineBuffer.h"
#include "listing/ListingOptions.h"
#include "listing/Rendering.h"
#include "platform/Entries.h"

namespace tabulist {

// "A R H S " as far as the flags are set; an entry without flags gets an empty text.
QString AttributeLetters(int32_t attr);
void AppendAttributeLetters(LineBuffer& out, int32_t attr);

// The size field: bytes right-aligned in 9, or one division by 1024, 1024^2 or 1024^3 as a
// real in width 9 with 3 decimals and a comma; the unit suffix when asked. Other units: "".
QString DetailSizeText(int64_t size, int unit, bool showUnit);
void AppendDetailSize(LineBuffer& out, int64_t size, int unit, bool showUnit);

// One detail line: filled name, then the attribute, size and date fields that are switched
// on, each after a tab. Throws the date errors for an invalid stamp.
QString DetailLineText(const TSearchRec& rec, const ListingOptions& options);

// Detail lines written one after the other into one buffer, so that a listing allocates
// nothing per entry once the buffer has grown to its longest line.
class DetailLineWriter {
public:
    explicit DetailLineWriter(const ListingOptions& options)
        : options_(options), dates_(options.regional) {}

    // The entry's line; valid until the next call.
    const QString& line(const TSearchRec& rec);

private:
    const ListingOptions& options_;
    DateTimeWriter dates_;
    LineBuffer line_;
};

}  // namespace tabulist
