#pragma once

#include <QString>
#include <stdexcept>

namespace tabulist {

// Every failure the program reports is one of these; the application's notify()
// is the one place that catches them and shows the message.
class TabulistError : public std::runtime_error {
public:
    explicit TabulistError(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

// Input/output errors carry a code: 2 "File not found", 3 "Invalid filename",
// 4 "Too many open files", 5 "File access denied", 100 "Read beyond end of file",
// 101 "Disk full", 106 "Invalid numeric input", any other "I/O error %d".
class EInOutError : public TabulistError {
public:
    explicit EInOutError(int code);
    EInOutError(int code, const QString& message);
    int code() const { return code_; }
    static QString messageFor(int code);

private:
    int code_;
};

// Maps an errno value to the code of an input/output error:
// ENOENT 2; ENOTDIR, ENAMETOOLONG 3; EMFILE, ENFILE 4; EACCES, EPERM, EROFS 5;
// ENOSPC 101; anything else InOutSystemError + the errno value, whose message is
// "I/O error %d" with the errno value (EIO is 5 but is not an access problem).
int InOutCodeFromErrno(int err);
constexpr int InOutTooManyOpenFiles = 4;
constexpr int InOutSystemError = 0x10000;
EInOutError InOutErrorFromErrno(int err);

// "Invalid argument to date encode" / "Invalid argument to time encode".
class EConvertError : public TabulistError {
public:
    using TabulistError::TabulistError;
};
EConvertError DateEncodeError();
EConvertError TimeEncodeError();

// "Floating point division by zero" / "Invalid floating point operation".
class EMathError : public TabulistError {
public:
    using TabulistError::TabulistError;
};
EMathError ZeroDivideError();
EMathError InvalidOpError();

// "List index out of bounds (%d)".
class EListError : public TabulistError {
public:
    explicit EListError(int index);
};

}  // namespace tabulist
