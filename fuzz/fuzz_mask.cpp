// Masks and names of any shape: the matcher must neither crash nor take long.
#include <cstddef>
#include <cstdint>

#include "platform/MaskMatcher.h"
#include "platform/NameCoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // First byte splits the input into a mask and a name.
    if (size < 1) return 0;
    const size_t split = data[0] % (size);
    const QByteArray rest(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    const QString mask = QString::fromUtf8(rest.left(static_cast<qsizetype>(split)));
    const QString name = tabulist::DisplayName(rest.mid(static_cast<qsizetype>(split)));
    const bool matches = tabulist::MatchesMask(name, mask);
    // "*" matches every name whatever else happens.
    if (!tabulist::MatchesMask(name, QStringLiteral("*"))) __builtin_trap();
    (void)matches;
    return 0;
}
