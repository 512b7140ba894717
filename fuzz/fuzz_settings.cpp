// Settings files of any length and content: loading either fills the record or throws
// the input/output error, and a stored record reads back byte for byte.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "platform/Errors.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tabulist.sav"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    tabulist::TSavedOptions record{};
    try {
        tabulist::LoadOptionsRecord(path, record);
    } catch (const tabulist::EInOutError& error) {
        if (size >= sizeof record) __builtin_trap();  // a full record must load
        return 0;
    }
    if (size < sizeof record) __builtin_trap();  // a short file must fail
    if (std::memcmp(&record, data, sizeof record) != 0) __builtin_trap();
    (void)record.fontName();  // any length byte, any bytes

    tabulist::StoreOptionsRecord(path, record);
    tabulist::TSavedOptions again{};
    tabulist::LoadOptionsRecord(path, again);
    if (std::memcmp(&record, &again, sizeof record) != 0) __builtin_trap();
    if (QFile(path).size() != static_cast<qint64>(sizeof record)) __builtin_trap();
    return 0;
}
