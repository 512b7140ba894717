#pragma once

#include <cstdio>

#include "listing/ListingEngine.h"

namespace tabulist {

// Writes each line to a stream as it comes, UTF-8, ended by CR LF or LF.
// A failed write raises the input/output error of its errno.
class StreamSink : public ListingSink {
public:
    StreamSink(FILE* stream, bool lf) : stream_(stream), lineEnd_(lf ? "\n" : "\r\n") {}

    void clear() override {}
    void appendLine(const QString& line) override;
    // Pushes out what the stream still buffers; raises a failed write.
    void flush();

private:
    FILE* stream_;
    const char* lineEnd_;
};

}  // namespace tabulist
