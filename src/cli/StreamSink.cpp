// The sink that writes listing lines to a C stream.
#include "cli/StreamSink.h"

#include <cerrno>
#include <cstring>

#include "platform/Errors.h"

namespace tabulist {

void StreamSink::appendLine(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    if (std::fwrite(bytes.constData(), 1, bytes.size(), stream_) != size_t(bytes.size()) ||
        std::fputs(lineEnd_, stream_) == EOF) {
        throw InOutErrorFromErrno(errno);
    }
}

void StreamSink::flush() {
    if (std::fflush(stream_) != 0) throw InOutErrorFromErrno(errno);
}

}  // namespace tabulist
