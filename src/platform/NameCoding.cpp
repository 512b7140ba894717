// File names decoded for display, with undecodable bytes and control characters replaced.
#include "platform/NameCoding.h"

#include <QChar>
#include <QString>
#include <cstring>

#include "platform/EntryScan.h"

namespace tabulist {
namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length and value of the sequence at p, or 0 when it is not well-formed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
size_t decodeOne(const unsigned char* p, size_t left, char32_t& c) {
    const unsigned char b = p[0];
    size_t n;
    char32_t min;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (left < n) return 0;
    for (size_t i = 1; i < n; ++i) {
        if (!isContinuation(p[i])) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

void DecodeName(const char* raw, size_t size, std::u32string& out, bool keepControls) {
    out.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(raw);
    size_t i = 0;
    while (i < size) {
        char32_t c;
        const size_t n = decodeOne(p + i, size - i, c);
        if (n == 0) {
            out.push_back(Replacement);
            ++i;
            continue;
        }
        // Control characters would break the line structure of a listing.
        out.push_back(!keepControls && (c < 0x20 || c == 0x7F) ? U'?' : c);
        i += n;
    }
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

void FoldCase(std::u32string& text) {
    for (char32_t& c : text) c = FoldCase(c);
}

void AppendUtf8(char32_t c, std::vector<char>& out) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

namespace {

// The display text of a name, written over out's own storage. A byte yields at most one
// UTF-16 unit, so the name's size bounds the text.
void DisplayNameInto(const char* raw, size_t size, QString& out) {
    out.resize(qsizetype(size));
    char16_t* text = reinterpret_cast<char16_t*>(out.data());
    const auto* p = reinterpret_cast<const unsigned char*>(raw);
    qsizetype n = 0;
    size_t i = 0;
    while (i < size) {
        // Printable ASCII, most names, goes across as it is.
        while (i < size && p[i] >= 0x20 && p[i] < 0x7F) text[n++] = char16_t(p[i++]);
        if (i == size) break;
        char32_t c = p[i];
        size_t length = 1;
        if (c >= 0x80) {
            length = decodeOne(p + i, size - i, c);
            if (length == 0) {
                c = Replacement;
                length = 1;
            }
        }
        if (c < 0x20 || c == 0x7F) c = U'?';
        if (c >= 0x10000) {
            text[n++] = QChar::highSurrogate(c);
            text[n++] = QChar::lowSurrogate(c);
        } else {
            text[n++] = char16_t(c);
        }
        i += length;
    }
    out.resize(n);
}

}  // namespace

QString DisplayName(const QByteArray& raw) {
    QString text;
    DisplayNameInto(raw.constData(), size_t(raw.size()), text);
    return text;
}

void SetEntryName(TSearchRec& rec, const char* raw, size_t size) {
    // Room for a long name once, so that later names fit without a new allocation.
    constexpr qsizetype Room = 255;
    if (rec.RawName.capacity() < Room) rec.RawName.reserve(Room);
    if (rec.Name.capacity() < Room) rec.Name.reserve(Room);
    rec.RawName.resize(qsizetype(size));
    std::memcpy(rec.RawName.data(), raw, size);
    DisplayNameInto(raw, size, rec.Name);
}

}  // namespace tabulist
