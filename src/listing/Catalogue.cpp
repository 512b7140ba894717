// Catalogue: a streaming reader of JSON catalogues that keeps only what a comparison needs.
#include "listing/Catalogue.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Entries.h"
#include "platform/NameCoding.h"

namespace tabulist {

namespace {

constexpr size_t ReadPiece = size_t(1) << 20;
constexpr size_t LongestText = size_t(1) << 20;  // a path deeper than any file system's
constexpr size_t DeepestNesting = 4096;
constexpr size_t TextBlock = size_t(4) << 20;

// Where the bytes come from: a file read a piece at a time, or bytes in memory.
class Source {
public:
    explicit Source(QFile* file) : file_(file), piece_(file ? ReadPiece : 0) {}
    explicit Source(const QByteArray& bytes)
        : next_(bytes.constData()), end_(next_ + bytes.size()) {}

    // The next byte without taking it; -1 at the end.
    int peek() {
        if (next_ == end_ && !refill()) return -1;
        return static_cast<unsigned char>(*next_);
    }
    void take() {
        ++next_;
        ++offset_;
    }
    // The bytes available now, at least one unless at the end.
    std::string_view window() {
        if (next_ == end_) refill();
        return {next_, size_t(end_ - next_)};
    }
    void skip(size_t n) {
        next_ += n;
        offset_ += int64_t(n);
    }
    int64_t offset() const { return offset_; }
    QString readError() const { return error_; }

private:
    bool refill() {
        if (!file_) return false;
        const qint64 got = file_->read(piece_.data(), qint64(piece_.size()));
        if (got < 0) error_ = file_->errorString();
        if (got <= 0) return false;
        next_ = piece_.data();
        end_ = next_ + got;
        return true;
    }

    QFile* file_ = nullptr;
    std::vector<char> piece_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    int64_t offset_ = 0;
    QString error_;
};

enum class Token {
    ArrayStart,
    ArrayEnd,
    ObjectStart,
    ObjectEnd,
    Key,
    String,
    Number,
    Literal,
    End
};

const char* TokenName(Token token) {
    switch (token) {
        case Token::ArrayStart:
            return "an array";
        case Token::ObjectStart:
            return "an object";
        case Token::String:
        case Token::Key:
            return "a text";
        case Token::Number:
            return "a number";
        case Token::Literal:
            return "true, false or null";
        default:
            return "the end";
    }
}

void AppendCodePoint(std::string& out, uint32_t c) {
    std::vector<char> bytes;
    AppendUtf8(char32_t(c), bytes);
    out.append(bytes.data(), bytes.size());
}

}  // namespace

// A JSON pull parser (RFC 8259) without recursion, then the catalogue's shape on top of it:
// an array of flat objects. A fault of shape is reported only once the rest has been read
// as JSON, so that a file cut short or broken says so rather than "another shape".
class CatalogueParser {
public:
    CatalogueParser(Source& source, const QString& name, Catalogue& out)
        : source_(source), name_(name), out_(out) {}

    void run();

private:
    Token next();
    void space();
    void readString();
    void readNumber();
    void readLiteral();
    int hexDigit();
    void afterValue();

    [[noreturn]] void notJson(const QString& what);
    [[noreturn]] void cutShort(const QString& where);
    // The first fault of shape; reading goes on as plain JSON to the end.
    void wrongShape(const QString& what);
    [[noreturn]] void finishAsJson();
    QString where() const;
    QString entryName() const { return QStringLiteral("entry %1").arg(entries_ + 1); }

    Source& source_;
    QString name_;
    Catalogue& out_;
    std::vector<char> stack_;  // '[' or '{' per open container
    bool wantValue_ = true;    // a value (or a key, in an object) comes next
    bool first_ = true;        // nothing in the open container yet
    bool started_ = false;
    std::string text_;  // the last text or number read
    bool tooLong_ = false;
    int64_t line_ = 1;
    int64_t lineStart_ = 0;
    int64_t entries_ = 0;
    QString shapeFault_;
};

QString CatalogueParser::where() const {
    return QStringLiteral("line %1, column %2").arg(line_).arg(source_.offset() - lineStart_ + 1);
}

void CatalogueParser::notJson(const QString& what) {
    if (!source_.readError().isEmpty())
        throw CatalogueError(
            QStringLiteral("cannot read catalogue '%1': %2").arg(name_, source_.readError()));
    throw CatalogueError(
        QStringLiteral("catalogue '%1' is not JSON: %2 at %3").arg(name_, what, where()));
}

void CatalogueParser::cutShort(const QString& where) {
    if (!source_.readError().isEmpty())
        throw CatalogueError(
            QStringLiteral("cannot read catalogue '%1': %2").arg(name_, source_.readError()));
    throw CatalogueError(QStringLiteral("catalogue '%1' is truncated: it ends %2 (%3)")
                             .arg(name_, where, this->where()));
}

void CatalogueParser::wrongShape(const QString& what) {
    if (shapeFault_.isEmpty())
        shapeFault_ = QStringLiteral("'%1' is not a catalogue of tabulist-list --format json: %2")
                          .arg(name_, what);
}

void CatalogueParser::finishAsJson() {
    while (next() != Token::End) {
    }
    throw CatalogueError(shapeFault_);
}

void CatalogueParser::space() {
    for (;;) {
        const std::string_view bytes = source_.window();
        if (bytes.empty()) return;
        size_t i = 0;
        for (; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\n') {
                ++line_;
                lineStart_ = source_.offset() + int64_t(i) + 1;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                break;
            }
        }
        source_.skip(i);
        if (i < bytes.size()) return;
    }
}

int CatalogueParser::hexDigit() {
    const int c = source_.peek();
    if (c < 0) cutShort(QStringLiteral("inside a text"));
    source_.take();
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    notJson(QStringLiteral("a bad \\u escape"));
}

// A text after its opening quote, unescaped into text_ (up to LongestText bytes).
void CatalogueParser::readString() {
    text_.clear();
    tooLong_ = false;
    uint32_t highSurrogate = 0;
    for (;;) {
        const std::string_view bytes = source_.window();
        if (bytes.empty()) cutShort(QStringLiteral("inside a text"));
        size_t i = 0;
        while (i < bytes.size() && bytes[i] != '"' && bytes[i] != '\\' &&
               static_cast<unsigned char>(bytes[i]) >= 0x20)
            ++i;
        if (i > 0) {
            if (highSurrogate) AppendCodePoint(text_, 0xFFFD);
            highSurrogate = 0;
            if (text_.size() + i <= LongestText)
                text_.append(bytes.data(), i);
            else
                tooLong_ = true;
            source_.skip(i);
            continue;
        }
        const char c = bytes[0];
        if (static_cast<unsigned char>(c) < 0x20)
            notJson(QStringLiteral("a control character in a text"));
        source_.take();
        if (c == '"') break;
        const int e = source_.peek();
        if (e < 0) cutShort(QStringLiteral("inside a text"));
        source_.take();
        uint32_t code = 0;
        switch (e) {
            case '"':
            case '\\':
            case '/':
                code = uint32_t(e);
                break;
            case 'b':
                code = '\b';
                break;
            case 'f':
                code = '\f';
                break;
            case 'n':
                code = '\n';
                break;
            case 'r':
                code = '\r';
                break;
            case 't':
                code = '\t';
                break;
            case 'u':
                for (int k = 0; k < 4; ++k) code = code * 16 + uint32_t(hexDigit());
                break;
            default:
                notJson(QStringLiteral("a bad escape in a text"));
        }
        // Surrogate pairs join; a lone half becomes U+FFFD, as the names' decoding does.
        if (code >= 0xDC00 && code < 0xE000 && highSurrogate) {
            code = 0x10000 + ((highSurrogate - 0xD800) << 10) + (code - 0xDC00);
            highSurrogate = 0;
        } else {
            if (highSurrogate) AppendCodePoint(text_, 0xFFFD);
            highSurrogate = 0;
            if (code >= 0xD800 && code < 0xDC00) {
                highSurrogate = code;
                continue;
            }
            if (code >= 0xDC00 && code < 0xE000) code = 0xFFFD;
        }
        if (text_.size() + 4 <= LongestText)
            AppendCodePoint(text_, code);
        else
            tooLong_ = true;
    }
    if (highSurrogate) AppendCodePoint(text_, 0xFFFD);
}

void CatalogueParser::readNumber() {
    text_.clear();
    tooLong_ = false;
    const auto digits = [&] {
        size_t n = 0;
        for (int c = source_.peek(); c >= '0' && c <= '9'; c = source_.peek(), ++n) {
            if (text_.size() < 64)
                text_ += char(c);
            else
                tooLong_ = true;
            source_.take();
        }
        return n;
    };
    const auto fail = [&] {
        if (source_.peek() < 0) cutShort(QStringLiteral("inside a number"));
        notJson(QStringLiteral("a malformed number"));
    };
    if (source_.peek() == '-') {
        text_ += '-';
        source_.take();
    }
    if (source_.peek() == '0') {
        text_ += '0';
        source_.take();
    } else if (digits() == 0) {
        fail();
    }
    if (source_.peek() == '.') {
        text_ += '.';
        source_.take();
        if (digits() == 0) fail();
    }
    if (source_.peek() == 'e' || source_.peek() == 'E') {
        text_ += 'e';
        source_.take();
        if (source_.peek() == '+' || source_.peek() == '-') {
            text_ += char(source_.peek());
            source_.take();
        }
        if (digits() == 0) fail();
    }
}

void CatalogueParser::readLiteral() {
    const int first = source_.peek();
    const char* word = first == 't' ? "true" : first == 'f' ? "false" : "null";
    for (const char* c = word; *c; ++c) {
        const int got = source_.peek();
        if (got < 0) cutShort(QStringLiteral("inside %1").arg(QLatin1String(word)));
        if (got != *c) notJson(QStringLiteral("an unexpected '%1'").arg(QChar(got)));
        source_.take();
    }
}

// After a value or a container's end: the separator or end that follows, in the container.
void CatalogueParser::afterValue() {
    wantValue_ = false;
    first_ = false;
}

Token CatalogueParser::next() {
    space();
    int c = source_.peek();
    if (stack_.empty() && started_) {
        if (c < 0) return Token::End;
        notJson(QStringLiteral("more after the end of the JSON value"));
    }
    if (c < 0) {
        if (!started_) throw CatalogueError(QStringLiteral("catalogue '%1' is empty").arg(name_));
        cutShort(stack_.back() == '[' ? QStringLiteral("before the closing ']'")
                                      : QStringLiteral("before the closing '}'"));
    }
    started_ = true;
    // '[' or '{': in that container; ':' a member's value comes next.
    char top = stack_.empty() ? 0 : stack_.back();
    if (top == ':') {
        stack_.back() = top = '{';
    } else if (top != 0) {
        const char close = top == '[' ? ']' : '}';
        if (c == close && (first_ || !wantValue_)) {
            source_.take();
            stack_.pop_back();
            afterValue();
            return top == '[' ? Token::ArrayEnd : Token::ObjectEnd;
        }
        if (!wantValue_) {
            if (c != ',') notJson(QStringLiteral("an unexpected '%1'").arg(QChar(c)));
            source_.take();
            wantValue_ = true;
            space();
            c = source_.peek();
            if (c < 0) cutShort(QStringLiteral("after a ','"));
        }
        if (top == '{') {
            // A key and its colon; the value comes on the next call.
            if (c != '"')
                notJson(QStringLiteral("an unexpected '%1' where a key belongs").arg(QChar(c)));
            source_.take();
            readString();
            space();
            const int colon = source_.peek();
            if (colon < 0) cutShort(QStringLiteral("after a key"));
            if (colon != ':')
                notJson(QStringLiteral("an unexpected '%1' after a key").arg(QChar(colon)));
            source_.take();
            stack_.back() = ':';
            return Token::Key;
        }
    }
    switch (c) {
        case '[':
        case '{':
            if (stack_.size() >= DeepestNesting) {
                wrongShape(QStringLiteral("values nested more than %1 deep").arg(DeepestNesting));
                throw CatalogueError(shapeFault_);
            }
            source_.take();
            stack_.push_back(char(c));
            wantValue_ = true;
            first_ = true;
            return c == '[' ? Token::ArrayStart : Token::ObjectStart;
        case '"':
            source_.take();
            readString();
            afterValue();
            return Token::String;
        case 't':
        case 'f':
        case 'n':
            readLiteral();
            afterValue();
            return Token::Literal;
        default:
            if (c == '-' || (c >= '0' && c <= '9')) {
                readNumber();
                afterValue();
                return Token::Number;
            }
            notJson(QStringLiteral("an unexpected '%1'").arg(QChar(c)));
    }
}

void CatalogueParser::run() {
    if (next() != Token::ArrayStart) {
        wrongShape(QStringLiteral("it is not an array of entries"));
        finishAsJson();
    }
    std::string folder, name, modified, checksum, key;
    for (Token token = next(); token != Token::ArrayEnd; token = next()) {
        if (token != Token::ObjectStart) {
            wrongShape(
                QStringLiteral("%1 is %2, not an object").arg(entryName(), TokenName(token)));
            finishAsJson();
        }
        Catalogue::Entry entry{};
        unsigned seen = 0;  // one bit per field below
        checksum.clear();
        const auto text = [&](Token value, std::string& into, unsigned bit) {
            if (value != Token::String || tooLong_) {
                wrongShape(QStringLiteral("%1: \"%2\" is %3, not a text%4")
                               .arg(entryName(), QString::fromStdString(key), TokenName(value),
                                    tooLong_ ? QStringLiteral(" of at most 1 MiB") : QString()));
                finishAsJson();
            }
            into = text_;
            seen |= bit;
        };
        for (Token member = next(); member != Token::ObjectEnd; member = next()) {
            key = text_;
            const Token value = next();
            if (key == "folder") {
                text(value, folder, 1);
            } else if (key == "name") {
                text(value, name, 2);
            } else if (key == "type") {
                std::string type;
                text(value, type, 4);
                if (type == "file")
                    entry.type = EntryType::File;
                else if (type == "directory")
                    entry.type = EntryType::Directory;
                else if (type == "other")
                    entry.type = EntryType::Other;
                else {
                    wrongShape(QStringLiteral("%1: unknown type \"%2\"")
                                   .arg(entryName(), QString::fromStdString(type)));
                    finishAsJson();
                }
            } else if (key == "size") {
                char* end = nullptr;
                errno = 0;
                const long long size =
                    value == Token::Number ? std::strtoll(text_.c_str(), &end, 10) : -1;
                if (value != Token::Number || tooLong_ || errno != 0 || *end != 0 || size < 0) {
                    wrongShape(QStringLiteral("%1: \"size\" is not a whole number of bytes")
                                   .arg(entryName()));
                    finishAsJson();
                }
                entry.size = size;
                seen |= 8;
            } else if (key == "modified") {
                text(value, modified, 16);
                const std::optional<int64_t> when = ParseIsoTime(modified);
                if (!when) {
                    wrongShape(
                        QStringLiteral("%1: \"modified\" is not a date and time").arg(entryName()));
                    finishAsJson();
                }
                entry.modified = *when;
            } else if (const auto algorithm = ChecksumNamed(QString::fromStdString(key))) {
                text(value, checksum, 32);
                const bool hex = std::all_of(checksum.begin(), checksum.end(), [](char c) {
                    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
                });
                const bool sameAlgorithm = entries_ == 0
                                               ? !out_.checksum_ || out_.checksum_ == algorithm
                                               : out_.checksum_ == algorithm;
                if (!sameAlgorithm || !hex ||
                    (!checksum.empty() && int(checksum.size()) != ChecksumHexLength(*algorithm))) {
                    wrongShape(
                        QStringLiteral("%1: \"%2\" is not a checksum of the catalogue's kind")
                            .arg(entryName(), QString::fromStdString(key)));
                    finishAsJson();
                }
                out_.checksum_ = algorithm;
            } else if (value == Token::ArrayStart || value == Token::ObjectStart) {
                // A field of a later version: passed over whole.
                for (size_t depth = 1; depth > 0;) {
                    const Token inner = next();
                    if (inner == Token::ArrayStart || inner == Token::ObjectStart) ++depth;
                    if (inner == Token::ArrayEnd || inner == Token::ObjectEnd) --depth;
                }
            }
        }
        const unsigned required = out_.checksum_ ? 63 : 31;
        if ((seen & required) != required) {
            static const char* const fields[] = {"folder", "name", "type", "size", "modified"};
            QString missing;
            for (int bit = 0; bit < 5 && missing.isEmpty(); ++bit)
                if (!(seen & (1u << bit))) missing = QLatin1String(fields[bit]);
            if (missing.isEmpty()) missing = ChecksumName(*out_.checksum_);
            wrongShape(QStringLiteral("%1 has no \"%2\"").arg(entryName(), missing));
            finishAsJson();
        }
        if (folder != ".") name.insert(0, folder + '/');
        if (name.size() > UINT32_MAX || modified.size() > 255) {
            wrongShape(QStringLiteral("%1 has a text too long").arg(entryName()));
            finishAsJson();
        }
        entry.pathLength = uint32_t(name.size());
        entry.modifiedLength = uint8_t(modified.size());
        entry.checksumLength = uint8_t(checksum.size());
        entry.texts = out_.keep(name, modified, checksum);
        out_.entries_.push_back(entry);
        ++entries_;
    }
    if (next() != Token::End) notJson(QStringLiteral("more after the end of the JSON value"));
    if (!shapeFault_.isEmpty()) throw CatalogueError(shapeFault_);
}

EntryType EntryTypeOf(int32_t attr) {
    if (attr & AttrDirectory) return EntryType::Directory;
    if (attr & AttrSystem) return EntryType::Other;  // devices, FIFOs, sockets
    return EntryType::File;
}

const char* EntryTypeName(EntryType type) {
    switch (type) {
        case EntryType::File:
            return "file";
        case EntryType::Directory:
            return "directory";
        case EntryType::Other:
            break;
    }
    return "other";
}

const char* Catalogue::keep(std::string_view a, std::string_view b, std::string_view c) {
    const size_t size = a.size() + b.size() + c.size();
    if (size > blockFree_) {
        const size_t block = std::max(size, TextBlock);
        blocks_.push_back(std::make_unique<char[]>(block));
        blockNext_ = blocks_.back().get();
        blockFree_ = block;
    }
    char* const kept = blockNext_;
    std::memcpy(kept, a.data(), a.size());
    std::memcpy(kept + a.size(), b.data(), b.size());
    std::memcpy(kept + a.size() + b.size(), c.data(), c.size());
    blockNext_ += size;
    blockFree_ -= size;
    return kept;
}

Catalogue Catalogue::read(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw CatalogueError(
            QStringLiteral("cannot read catalogue '%1': %2").arg(file, in.errorString()));
    Source source(&in);
    Catalogue catalogue;
    CatalogueParser(source, file, catalogue).run();
    return catalogue;
}

Catalogue Catalogue::parse(const QByteArray& json, const QString& name) {
    Source source(json);
    Catalogue catalogue;
    CatalogueParser(source, name, catalogue).run();
    return catalogue;
}

namespace {

// Days from 1970-01-01 to the date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

}  // namespace

std::optional<int64_t> ParseIsoTime(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS then Z or +HH:MM / -HH:MM
    const auto number = [&](size_t at, size_t digits) -> int {
        int value = 0;
        for (size_t i = at; i < at + digits; ++i) {
            if (i >= text.size() || text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 60)
        return std::nullopt;
    int64_t offset = 0;
    if (text.size() == 20 && text[19] == 'Z') {
        offset = 0;
    } else if (text.size() == 25 && (text[19] == '+' || text[19] == '-') && text[22] == ':') {
        const int oh = number(20, 2), om = number(23, 2);
        if (oh < 0 || om < 0 || om > 59) return std::nullopt;
        offset = (text[19] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    } else {
        return std::nullopt;
    }
    return DaysFromCivil(year, unsigned(month), unsigned(day)) * 86400 + hour * 3600 + minute * 60 +
           second - offset;
}

}  // namespace tabulist
