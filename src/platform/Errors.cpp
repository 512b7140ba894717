// The program's error classes and their exact message texts.
#include "platform/Errors.h"

#include <cerrno>

namespace tabulist {

TabulistError::TabulistError(const QString& message)
    : std::runtime_error(message.toUtf8().constData()) {}

EInOutError::EInOutError(int code) : TabulistError(messageFor(code)), code_(code) {}

EInOutError::EInOutError(int code, const QString& message) : TabulistError(message), code_(code) {}

QString EInOutError::messageFor(int code) {
    switch (code) {
        case 2:
            return QStringLiteral("File not found");
        case 3:
            return QStringLiteral("Invalid filename");
        case 4:
            return QStringLiteral("Too many open files");
        case 5:
            return QStringLiteral("File access denied");
        case 100:
            return QStringLiteral("Read beyond end of file");
        case 101:
            return QStringLiteral("Disk full");
        case 106:
            return QStringLiteral("Invalid numeric input");
        default:
            return QStringLiteral("I/O error %1")
                .arg(code > InOutSystemError ? code - InOutSystemError : code);
    }
}

namespace {
// The errno values that have a code of their own; 0 for the rest.
int MappedCode(int err) {
    switch (err) {
        case ENOENT:
            return 2;
        case ENOTDIR:
        case ENAMETOOLONG:
            return 3;
        case EMFILE:
        case ENFILE:
            return 4;
        case EACCES:
        case EPERM:
        case EROFS:
            return 5;
        case ENOSPC:
            return 101;
        default:
            return 0;
    }
}
}  // namespace

int InOutCodeFromErrno(int err) {
    const int code = MappedCode(err);
    return code != 0 ? code : InOutSystemError + err;
}

EInOutError InOutErrorFromErrno(int err) {
    const int code = MappedCode(err);
    if (code == 0) return EInOutError(err, QStringLiteral("I/O error %1").arg(err));
    return EInOutError(code);
}

EConvertError DateEncodeError() {
    return EConvertError(QStringLiteral("Invalid argument to date encode"));
}
EConvertError TimeEncodeError() {
    return EConvertError(QStringLiteral("Invalid argument to time encode"));
}
EMathError ZeroDivideError() {
    return EMathError(QStringLiteral("Floating point division by zero"));
}
EMathError InvalidOpError() {
    return EMathError(QStringLiteral("Invalid floating point operation"));
}

EListError::EListError(int index)
    : TabulistError(QStringLiteral("List index out of bounds (%1)").arg(index)) {}

}  // namespace tabulist
