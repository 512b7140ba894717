// LineBuffer: the storage behind the cursors, kept in a QString so that a finished line is
// handed to the sinks without a copy.
#include "listing/LineBuffer.h"

#include <algorithm>

namespace tabulist {

void LineBuffer::attach(qsizetype keep) {
    text_.resize(text_.capacity());
    begin_ = text_.data();
    end_ = begin_ + keep;
    limit_ = begin_ + text_.size();
    open_ = true;
}

void LineBuffer::clear() {
    if (!open_ && !text_.isDetached()) {
        // A sink kept the last line: it gets to keep it, and this line gets new storage.
        text_ = QString();
    }
    if (text_.capacity() < 128) text_.reserve(128);
    attach(0);
}

void LineBuffer::grow(qsizetype n) {
    const qsizetype used = size();
    if (!open_) {
        // Still showing the last text (or never used): start from what it holds.
        const QString kept = text_;
        text_ = QString();
        text_.reserve(std::max<qsizetype>(128, 2 * (kept.size() + n)));
        text_.append(kept);
        attach(kept.size());
        return;
    }
    text_.resize(used);
    text_.reserve(std::max(2 * text_.capacity(), used + n));
    attach(used);
}

const QString& LineBuffer::text() {
    if (open_) {
        text_.resize(size());
        open_ = false;
        limit_ = end_;  // whoever copies the line now shares this storage: no more writing
    }
    return text_;
}

QString LineBuffer::take() {
    text();
    QString line;
    line.swap(text_);
    begin_ = end_ = limit_ = nullptr;
    return line;
}

}  // namespace tabulist
