// The HTML catalogue. The data block is one JSON object:
//   {"path", "made", "program", "version": the title's parts,
//    "fields": ["name", "kind", "size", "modified"]: what each entry holds, in that order,
//      then the checksum's algorithm ("sha256", "md5", "xxh128") when the listing has one,
//      its value the lower-case hexadecimal checksum, "" for anything but a file read,
//    "folders": [[parent, name, [the entries' fields one after another], problem?], ...],
//    "kinds": [[type, attribute letters], ...]: what an entry's "kind" number stands for}
// Folders come in listing order, a parent before its children (parent -1 for the top);
// "modified" is the local date and time counted in seconds as if it were UTC; "problem" is
// there when the folder could not be read (wholly or in part). Every "<" is written "\u003c",
// so no name can end the data block or open a comment in it.
#include "listing/formats/HtmlWriter.h"

#include <QCryptographicHash>
#include <QHash>
#include <charconv>
#include <string>
#include <vector>

#include "listing/Checksums.h"
#include "listing/EntryRecord.h"
#include "listing/formats/CataloguePage.h"
#include "platform/IsoTime.h"
#include "platform/NameCoding.h"

namespace tabulist {

namespace {

// The page before and after the data block. Its one style and one script are allowed by
// their hashes; nothing else may load, so the page makes no request at all.
struct Page {
    QByteArray head, tail;
};

const Page& ThePage() {
    static const Page page = [] {
        const QByteArray style(catalogue::Page_css), script(catalogue::Page_js);
        const auto allowed = [](const QByteArray& block) {
            return "'sha256-" +
                   QCryptographicHash::hash(block, QCryptographicHash::Sha256).toBase64() + "'";
        };
        const QByteArray policy = "default-src 'none'; script-src " + allowed(script) +
                                  "; style-src " + allowed(style) +
                                  "; base-uri 'none'; form-action 'none'";
        QByteArray html(catalogue::Page_html);
        html.replace("@POLICY@", policy).replace("@STYLE@", style);
        const qsizetype data = html.indexOf("@DATA@");
        Page parts{html.left(data), html.mid(data + 6)};
        parts.tail.replace("@SCRIPT@", script);
        return parts;
    }();
    return page;
}

void AppendJsonChar(QByteArray& out, char32_t c) {
    switch (c) {
        case U'"':
            out += "\\\"";
            return;
        case U'\\':
            out += "\\\\";
            return;
        case U'<':
            out += "\\u003c";
            return;
        case U'\n':
            out += "\\n";
            return;
        case U'\r':
            out += "\\r";
            return;
        case U'\t':
            out += "\\t";
            return;
    }
    if (c < 0x20) {
        static const char hex[] = "0123456789abcdef";
        out += "\\u00";
        out += hex[c >> 4];
        out += hex[c & 15];
    } else if (c < 0x80) {
        out += char(c);
    } else {
        if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;  // a lone surrogate of a QString
        char bytes[4];
        int n;
        if (c < 0x800) {
            bytes[0] = char(0xC0 | (c >> 6)), n = 2;
        } else if (c < 0x10000) {
            bytes[0] = char(0xE0 | (c >> 12)), n = 3;
        } else {
            bytes[0] = char(0xF0 | (c >> 18)), n = 4;
        }
        for (int i = 1; i < n; ++i) bytes[i] = char(0x80 | ((c >> (6 * (n - 1 - i))) & 0x3F));
        out.append(bytes, n);
    }
}

void AppendJsonText(QByteArray& out, const QString& text) {
    out += '"';
    for (const char32_t c : text.toUcs4()) AppendJsonChar(out, c);
    out += '"';
}

void AppendNumber(QByteArray& out, int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

class HtmlWriter : public DataWriter {
public:
    explicit HtmlWriter(ByteOut out) : out_(std::move(out)) {}

    void begin(const ListingContext& context) override {
        bytes_ = ThePage().head;
        bytes_ += "{\"path\":";
        AppendJsonText(bytes_, context.directory);
        bytes_ += ",\"made\":";
        AppendJsonText(bytes_, context.made.isValid()
                                   ? IsoLocalTimeText(context.made.toSecsSinceEpoch())
                                   : QString());
        bytes_ += ",\"program\":";
        AppendJsonText(bytes_, context.program);
        bytes_ += ",\"version\":";
        AppendJsonText(bytes_, context.version);
        // A field added here gets its value in entryWithChecksum(); the page shows a field it
        // has no column of its own for as a column of text.
        bytes_ += ",\"fields\":[\"name\",\"kind\",\"size\",\"modified\"";
        checksum_ = context.checksum.has_value();
        if (checksum_) bytes_ += ",\"" + ChecksumName(*context.checksum).toLatin1() + '"';
        bytes_ += "],\"folders\":[";
    }

    void folder(const QString& folder) override { open(folder); }

    void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                           const EntryChecksum& checksum) override {
        if (!open_ || folder != openPath_) open(folder);
        if (entries_++ != 0) bytes_ += ',';
        appendName(rec.RawName);
        bytes_ += ',';
        AppendNumber(bytes_, kindOf(folder, rec));
        if (rec.MetadataError != 0) {
            // Size and time could not be read: the page shows "?".
            bytes_ += ",null,null";
        } else {
            bytes_ += ',';
            AppendNumber(bytes_, rec.Size);
            bytes_ += ',';
            AppendNumber(bytes_, LocalClockSeconds(rec.ModifiedTime));
        }
        // Hexadecimal digits only: nothing to escape.
        if (checksum_) bytes_ += ",\"" + checksum.text + '"';
        if (bytes_.size() >= FlushSize) flush();
    }

    void unreadable(const QString& folder, const QString& message) override {
        if (!open_ || folder != openPath_) open(folder);
        if (!problem_.isEmpty()) problem_ += QLatin1Char('\n');
        problem_ += message;
    }

    void end() override {
        if (records_ == 0) open(QStringLiteral("."));  // the page needs its top folder
        close();
        bytes_ += "],\"kinds\":[";
        for (size_t i = 0; i < kinds_.size(); ++i) {
            if (i != 0) bytes_ += ',';
            bytes_ += "[";
            AppendJsonText(bytes_, kinds_[i].type);
            bytes_ += ',';
            AppendJsonText(bytes_, kinds_[i].letters);
            bytes_ += "]";
        }
        bytes_ += "]}";
        bytes_ += ThePage().tail;
        flush();
    }

private:
    static constexpr qsizetype FlushSize = 1 << 16;

    struct Kind {
        int32_t attr;
        QString type, letters;
    };

    // Starts the record of a folder; a parent never seen (no folder event came for it) gets
    // an empty record first, so that every record's parent is one before it.
    int open(const QString& path) {
        close();
        int parent = -1;
        QString name;
        if (path != QLatin1String(".")) {
            const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
            const QString parentPath = slash < 0 ? QStringLiteral(".") : path.left(slash);
            const auto known = records_of_.constFind(parentPath);
            parent = known != records_of_.constEnd() ? *known : open(parentPath);
            close();
            name = path.mid(slash + 1);
        }
        if (records_ != 0) bytes_ += ",\n";
        bytes_ += '[';
        AppendNumber(bytes_, parent);
        bytes_ += ',';
        AppendJsonText(bytes_, name);
        bytes_ += ",[";
        open_ = true;
        openPath_ = path;
        entries_ = 0;
        records_of_.insert(path, records_);
        return records_++;
    }

    void close() {
        if (!open_) return;
        bytes_ += ']';
        if (!problem_.isEmpty()) {
            bytes_ += ',';
            AppendJsonText(bytes_, problem_);
            problem_.clear();
        }
        bytes_ += ']';
        open_ = false;
    }

    // A name's bytes as UTF-8, bad bytes as U+FFFD; ASCII names without a character that
    // needs escaping are copied as they are.
    void appendName(const QByteArray& raw) {
        bool plain = true;
        for (const char c : raw) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\' || b == '<') {
                plain = false;
                break;
            }
        }
        bytes_ += '"';
        if (plain) {
            bytes_ += raw;
        } else {
            DecodeName(raw.constData(), size_t(raw.size()), decoded_, true);
            for (const char32_t c : decoded_) AppendJsonChar(bytes_, c);
        }
        bytes_ += '"';
    }

    int kindOf(const QString& folder, const TSearchRec& rec) {
        // An entry whose metadata could not be read is a kind of its own, lettered "?".
        const bool known = rec.MetadataError == 0;
        const int32_t attr = known ? rec.Attr : -1;
        for (size_t i = 0; i < kinds_.size(); ++i)
            if (kinds_[i].attr == attr) return int(i);
        // A new attribute word: its type and letters as the other formats give them.
        const EntryRecord record = MakeEntryRecord(folder, rec);
        kinds_.push_back({attr, record.type, known ? record.attributes : QStringLiteral("?")});
        return int(kinds_.size() - 1);
    }

    void flush() {
        out_(bytes_);
        bytes_.resize(0);
    }

    ByteOut out_;
    QByteArray bytes_;
    std::u32string decoded_;
    std::vector<Kind> kinds_;
    QHash<QString, int> records_of_;
    QString openPath_, problem_;
    bool open_ = false;
    bool checksum_ = false;
    int records_ = 0;
    int64_t entries_ = 0;
};

}  // namespace

std::unique_ptr<DataWriter> MakeHtmlWriter(const DataOptions&, const DataOutput& output) {
    return std::make_unique<HtmlWriter>(output.bytes);
}

}  // namespace tabulist
