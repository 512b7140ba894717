// The working directory through getcwd(3) and chdir(2).
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/Errors.h"
#include "platform/WorkingDirectory.h"

namespace tabulist {

QByteArray ReadWorkingDirectory() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) throw InOutErrorFromErrno(errno);
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.data());
}

void ChangeWorkingDirectory(const QByteArray& rawPath) {
    if (chdir(rawPath.constData()) != 0) throw InOutErrorFromErrno(errno);
}

bool TryChangeWorkingDirectory(const QByteArray& rawPath) {
    return chdir(rawPath.constData()) == 0;
}

}  // namespace tabulist
