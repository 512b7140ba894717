#pragma once

#include <cstdio>
#include <functional>
#include <vector>

#include "listing/ListingEngine.h"

namespace tabulist {

// Where StreamSink's blocks go; raises an error when they cannot be written.
using BlockOut = std::function<void(const char* data, size_t size)>;

// Writes the lines as UTF-8, each ended by CR LF or LF. The bytes are encoded straight into
// one large buffer and written in big blocks, so a line costs no allocation. To a stream, a
// failed write raises the input/output error of its errno.
class StreamSink : public ListingSink {
public:
    StreamSink(FILE* stream, bool lf);
    StreamSink(BlockOut out, bool lf);

    void clear() override {}
    void appendLine(const QString& line) override;
    // Writes out what is buffered and flushes the stream; raises a failed write.
    void flush();
    // The same on the way out of an error: what was listed before it still reaches the
    // stream, and a second failure is not reported over the first.
    void flushAfterError() noexcept;

private:
    void writeBuffer();

    FILE* stream_ = nullptr;  // null: the blocks go to out_
    BlockOut out_;
    const char* lineEnd_;
    size_t lineEndSize_;
    std::vector<char> buffer_;
    size_t used_ = 0;
};

}  // namespace tabulist
