#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace tabulist {

struct OpenedFile;  // a file open for writing, as one operating system holds it

// Writing a whole file under a name the user chose, so that a failure never leaves a
// half-written file where a good one was. The name is followed through symbolic links.
// A regular file (or a new name) is written to a temporary beside it that takes the name
// when complete, with the old file's mode and, where allowed, its owner; a new file gets the
// mode the umask gives. A pipe or a device is written into directly. Where the folder takes
// no temporary but the file itself is writable, the file can be overwritten in place.
class ReplacementFile {
public:
    enum class Failure { None, Create, Write };

    explicit ReplacementFile(const QString& name);
    ~ReplacementFile();  // discards an uncommitted temporary
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Opens where the bytes go; returns false (Error() tells why) when nothing can be created.
    bool Open(bool allowInPlace);
    // Writes all bytes; false on a short or failed write.
    bool Write(const char* data, qint64 size);
    // Makes the written bytes the file's content under its name.
    bool Commit();
    // Drops what was written: the temporary goes; the name keeps what it had.
    void Discard();

    Failure LastFailure() const { return failure_; }
    int Error() const { return error_; }  // errno of the failure
    // Whether a write failed for want of room (a full disk or a file-size limit).
    bool OutOfRoom() const;
    QByteArray Target() const { return target_; }
    QByteArray TemporaryName() const { return temporary_; }

private:
    bool Fail(Failure failure, int err);

    QByteArray target_;
    QByteArray temporary_;  // empty unless a temporary is being written
    OpenedFile* file_ = nullptr;
    bool inPlace_ = false;
    qint64 written_ = 0;
    Failure failure_ = Failure::None;
    int error_ = 0;
};

// A write-only device over a ReplacementFile, for writers that want a QIODevice.
class ReplacementDevice : public QIODevice {
public:
    explicit ReplacementDevice(ReplacementFile& file);

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    ReplacementFile& file_;
};

}  // namespace tabulist
