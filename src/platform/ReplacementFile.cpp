// ReplacementFile: a temporary beside the target, synced, and put in its place by a rename.
#include "platform/ReplacementFile.h"

#include <QFile>
#include <cerrno>

#include "platform/ReplacementFileSystem.h"

namespace tabulist {

ReplacementFile::ReplacementFile(const QString& name)
    : target_(FollowLinks(QFile::encodeName(name))) {}

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Fail(Failure failure, int err) {
    failure_ = failure;
    error_ = err;
    return false;
}

bool ReplacementFile::OutOfRoom() const {
    return failure_ == Failure::Write && (error_ == ENOSPC || error_ == EFBIG || error_ == 0);
}

bool ReplacementFile::Open(bool allowInPlace) {
    const TargetKind kind = InspectTarget(target_);
    const bool exists = kind != TargetKind::Missing;
    if (kind == TargetKind::Directory) return Fail(Failure::Create, EISDIR);
    if (kind == TargetKind::Other) {
        // A pipe or a device is not replaced by a file: the bytes go into it.
        const int err = OpenExistingForWriting(target_, file_);
        return err == 0 || Fail(Failure::Create, err);
    }
    if (exists) {
        // Refused as a direct write would be, before anything is created.
        OpenedFile* probe = nullptr;
        if (const int err = OpenExistingForWriting(target_, probe))
            return Fail(Failure::Create, err);
        CloseFile(probe);
    }
    if (const int err = CreateTemporaryBeside(target_, temporary_, file_)) {
        temporary_.clear();
        if (!exists || !allowInPlace) return Fail(Failure::Create, err);
        // The folder takes no new file, but the file may be written itself.
        if (const int inPlaceErr = OpenExistingForWriting(target_, file_))
            return Fail(Failure::Create, inPlaceErr);
        inPlace_ = true;
        return true;
    }
    if (exists) KeepOwnerAndMode(*file_, target_);
    return true;
}

bool ReplacementFile::Write(const char* data, qint64 size) {
    if (!file_) return Fail(Failure::Write, EBADF);
    while (size > 0) {
        int err = 0;
        const int64_t n = WriteSome(*file_, data, size, err);
        if (n < 0 && err == EINTR) continue;
        if (n < 0) return Fail(Failure::Write, err);
        if (n == 0) return Fail(Failure::Write, ENOSPC);
        data += n;
        size -= n;
        written_ += n;
    }
    return true;
}

bool ReplacementFile::Commit() {
    if (!file_) return Fail(Failure::Write, EBADF);
    // Overwritten from the start, the old content is cut only after the new one is there.
    if (inPlace_)
        if (const int err = TruncateFile(*file_, written_)) return Fail(Failure::Write, err);
    if (inPlace_ || !temporary_.isEmpty())
        if (const int err = SyncFile(*file_)) return Fail(Failure::Write, err);
    OpenedFile* file = file_;
    file_ = nullptr;
    if (const int err = CloseFile(file); err != 0 && err != EINTR) return Fail(Failure::Write, err);
    if (temporary_.isEmpty()) return true;
    if (const int err = RenameOver(temporary_, target_)) return Fail(Failure::Create, err);
    temporary_.clear();
    // Makes the rename itself durable; the file is written either way.
    SyncFolderOf(target_);
    return true;
}

void ReplacementFile::Discard() {
    if (file_) CloseFile(file_);
    file_ = nullptr;
    if (!temporary_.isEmpty()) RemoveFile(temporary_);
    temporary_.clear();
}

ReplacementDevice::ReplacementDevice(ReplacementFile& file) : file_(file) {
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ReplacementDevice::writeData(const char* data, qint64 size) {
    return file_.Write(data, size) ? size : -1;
}

}  // namespace tabulist
