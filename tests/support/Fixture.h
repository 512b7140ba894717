#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <random>

namespace tabulist::test {

// A temporary directory tree for tests. Entries are named by raw bytes relative to the
// root ("sub/a.txt"); every call throws std::runtime_error when the system refuses, so a
// broken set-up fails the test instead of testing something else. The tree is removed
// with all its contents, permissions restored first, when the fixture ends.
class Fixture {
public:
    Fixture();
    ~Fixture();
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    const QByteArray& root() const { return root_; }
    QString rootText() const { return QString::fromUtf8(root_); }
    QByteArray path(const QByteArray& name) const;  // root + "/" + name
    QString pathText(const QByteArray& name) const { return QString::fromUtf8(path(name)); }

    // A regular file of the given size; sizes beyond the content are sparse (ftruncate),
    // so a 3 GiB file costs no disk space.
    QByteArray file(const QByteArray& name, int64_t size = 0);
    QByteArray file(const QByteArray& name, const QByteArray& content);
    QByteArray dir(const QByteArray& name);
    QByteArray symlink(const QByteArray& name, const QByteArray& target);
    QByteArray fifo(const QByteArray& name);

    // Last modification (and access) time; the link itself when onLink is set.
    void setTime(const QByteArray& name, const QDateTime& when, bool onLink = false);
    // The same from a local date and time, as the clock of this machine reads it.
    void setLocalTime(const QByteArray& name, int year, int month, int day, int hour = 0,
                      int minute = 0, int second = 0);
    void setMode(const QByteArray& name, mode_t mode);
    void remove(const QByteArray& name);  // a file, link or empty directory

private:
    QByteArray root_;
};

// A whole file's bytes, or "<unreadable>" when it cannot be opened.
QByteArray ReadFile(const QString& path);
// size bytes of noise from random.
QByteArray RandomBytes(std::mt19937& random, int size);
// Everything written to a temporary stream so far, from its start.
QByteArray ReadAll(FILE* stream);
// Replaces the file's contents; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);

// The "path:" header line of a listing's search path and mask, shown with the system's separators.
QString PathLine(const QString& searchSpec);

// The path as getcwd reports it (temporary folders may sit behind a link).
QByteArray RealPath(const QByteArray& path);
void ChangeDirectory(const QByteArray& path);

// Tests that move the process's working directory put it back through this.
class WorkingDirectoryGuard {
public:
    WorkingDirectoryGuard();
    ~WorkingDirectoryGuard();
    WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
    WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
    QByteArray saved_;
};

// Writes past bytes fail with EFBIG, as on a full disk, while this lives (SIGXFSZ ignored);
// the limit and the signal's handler are put back when it ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long savedLimit_ = 0;
    void (*savedHandler_)(int) = nullptr;
};

// Leaves the process `spare` descriptors above those open now while this lives: opening more
// fails with EMFILE. The limit is put back when it ends.
class DescriptorLimit {
public:
    explicit DescriptorLimit(int spare);
    ~DescriptorLimit();
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;

private:
    unsigned long long savedLimit_ = 0;
};

}  // namespace tabulist::test
