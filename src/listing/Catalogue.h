#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "listing/Checksums.h"
#include "platform/Errors.h"

namespace tabulist {

// A catalogue that cannot be used: it cannot be opened, is empty, is not JSON, ends
// early, or is JSON of another shape. The message says which and where.
class CatalogueError : public TabulistError {
public:
    using TabulistError::TabulistError;
};

enum class EntryType : uint8_t { File, Directory, Other };
EntryType EntryTypeOf(int32_t attr);
const char* EntryTypeName(EntryType type);  // "file", "directory", "other"

// The entries of a JSON catalogue made by tabulist-list --format json, held compactly: a
// record of fixed size per entry and its texts in large shared blocks, so that a
// catalogue of a million entries takes tens of megabytes, not the size of its file.
class Catalogue {
public:
    struct Entry {
        const char* texts;  // the path, then the modified text, then the checksum
        uint32_t pathLength;
        uint8_t modifiedLength;
        uint8_t checksumLength;
        EntryType type;
        int64_t size;
        int64_t modified;  // seconds since 1970

        std::string_view path() const { return {texts, pathLength}; }
        std::string_view modifiedText() const { return {texts + pathLength, modifiedLength}; }
        std::string_view checksum() const {
            return {texts + pathLength + modifiedLength, checksumLength};
        }
    };

    // Reads the file; throws CatalogueError. name: the file as messages show it.
    static Catalogue read(const QString& file);
    // The same from bytes already in memory.
    static Catalogue parse(const QByteArray& json, const QString& name);

    const std::vector<Entry>& entries() const { return entries_; }
    // The algorithm whose field the entries carry; none for a catalogue without checksums.
    std::optional<ChecksumAlgorithm> checksum() const { return checksum_; }

private:
    friend class CatalogueParser;
    const char* keep(std::string_view a, std::string_view b, std::string_view c);

    std::vector<Entry> entries_;
    std::optional<ChecksumAlgorithm> checksum_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t blockFree_ = 0;
    char* blockNext_ = nullptr;
};

// Seconds since 1970 of "YYYY-MM-DDTHH:MM:SS" followed by "Z" or an offset "+HH:MM";
// none for anything else.
std::optional<int64_t> ParseIsoTime(std::string_view text);

}  // namespace tabulist
