#pragma once

#include <QString>
#include <QStringView>
#include <cstring>

namespace tabulist {

// One line of the listing written in place. The characters go straight into storage kept
// from line to line, without the sharing and capacity checks QString::append makes on every
// call: a listing allocates nothing per entry once the buffer has grown to its longest line.
class LineBuffer {
public:
    LineBuffer() = default;
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    // Starts a new line. The storage is kept unless somebody still holds the last line.
    void clear();

    qsizetype size() const { return end_ - begin_; }
    bool isEmpty() const { return end_ == begin_; }
    QChar* data() { return begin_; }

    void append(QChar c) {
        room(1);
        *end_++ = c;
    }
    void append(const QChar* text, qsizetype n) {
        if (n <= 0) return;  // an empty text may have no storage at all to copy from
        room(n);
        std::memcpy(static_cast<void*>(end_), text, size_t(n) * sizeof(QChar));
        end_ += n;
    }
    void append(QStringView text) { append(text.data(), text.size()); }
    void append(QLatin1String text) {
        room(text.size());
        for (const char c : text) *end_++ = QChar(uchar(c));
    }
    // n copies of c.
    void fill(QChar c, qsizetype n) {
        if (n <= 0) return;
        room(n);
        for (QChar* stop = end_ + n; end_ != stop;) *end_++ = c;
    }

    LineBuffer& operator+=(QChar c) {
        append(c);
        return *this;
    }
    LineBuffer& operator+=(QLatin1Char c) {
        append(QChar(c));
        return *this;
    }
    LineBuffer& operator+=(QLatin1String text) {
        append(text);
        return *this;
    }
    LineBuffer& operator+=(QStringView text) {
        append(text);
        return *this;
    }
    LineBuffer& operator+=(const QString& text) {
        append(QStringView(text));
        return *this;
    }

    // The line written so far; the reference stays valid until the next clear(). A copy
    // taken from it is the caller's, whatever this buffer does afterwards.
    const QString& text();
    // The line, handing over the storage.
    QString take();

private:
    void room(qsizetype n) {
        if (limit_ - end_ < n) grow(n);
    }
    void grow(qsizetype n);
    // Points the cursors at text_'s storage, the line's first `keep` characters kept.
    void attach(qsizetype keep);

    QString text_;
    QChar* begin_ = nullptr;
    QChar* end_ = nullptr;
    QChar* limit_ = nullptr;
    bool open_ = false;  // text_'s size is its capacity and the cursors point into it
};

}  // namespace tabulist
