// The sink that writes listing lines to a C stream.
#include "cli/StreamSink.h"

#include <cerrno>
#include <cstring>

#include "platform/Errors.h"

namespace tabulist {

namespace {

constexpr size_t BufferSize = 256 * 1024;

// UTF-8 of a UTF-16 text, or -1 for a lone surrogate (left to Qt's own conversion).
// out has room for three bytes per unit.
ptrdiff_t EncodeUtf8(const char16_t* text, qsizetype size, char* out) {
    char* p = out;
    for (qsizetype i = 0; i < size; ++i) {
        // Runs of ASCII, most of a listing, four units at a time.
        while (size - i >= 4) {
            const char16_t a = text[i], b = text[i + 1], c = text[i + 2], d = text[i + 3];
            if ((a | b | c | d) >= 0x80) break;
            p[0] = char(a);
            p[1] = char(b);
            p[2] = char(c);
            p[3] = char(d);
            p += 4;
            i += 4;
        }
        if (i == size) break;
        const char32_t u = text[i];
        if (u < 0x80) {
            *p++ = char(u);
        } else if (u < 0x800) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (u < 0xD800 || u > 0xDFFF) {
            *p++ = char(0xE0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else {
            if (u > 0xDBFF || i + 1 == size || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return -1;
            const char32_t c = 0x10000 + ((u - 0xD800) << 10) + (text[++i] - 0xDC00);
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    return p - out;
}

}  // namespace

StreamSink::StreamSink(FILE* stream, bool lf) : StreamSink(BlockOut(), lf) { stream_ = stream; }

StreamSink::StreamSink(BlockOut out, bool lf)
    : out_(std::move(out)),
      lineEnd_(lf ? "\n" : "\r\n"),
      lineEndSize_(std::strlen(lineEnd_)),
      buffer_(BufferSize) {}

void StreamSink::appendLine(const QString& line) {
    const size_t most = size_t(line.size()) * 3 + lineEndSize_;
    if (buffer_.size() - used_ < most) {
        writeBuffer();
        if (buffer_.size() < most) buffer_.resize(most);
    }
    char* at = buffer_.data() + used_;
    ptrdiff_t size =
        EncodeUtf8(reinterpret_cast<const char16_t*>(line.constData()), line.size(), at);
    if (size < 0) {
        const QByteArray bytes = line.toUtf8();
        size = bytes.size();
        std::memcpy(at, bytes.constData(), size_t(size));
    }
    std::memcpy(at + size, lineEnd_, lineEndSize_);
    used_ += size_t(size) + lineEndSize_;
}

void StreamSink::writeBuffer() {
    const size_t size = used_;
    used_ = 0;
    if (size == 0) return;
    if (!stream_) {
        out_(buffer_.data(), size);
    } else if (std::fwrite(buffer_.data(), 1, size, stream_) != size) {
        throw InOutErrorFromErrno(errno);
    }
}

void StreamSink::flush() {
    writeBuffer();
    if (stream_ && std::fflush(stream_) != 0) throw InOutErrorFromErrno(errno);
}

void StreamSink::flushAfterError() noexcept {
    if (!stream_) return;  // what goes elsewhere is dropped with the error
    if (used_ != 0) std::fwrite(buffer_.data(), 1, used_, stream_);
    used_ = 0;
    std::fflush(stream_);
}

}  // namespace tabulist
