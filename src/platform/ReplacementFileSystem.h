#pragma once

#include <QByteArray>
#include <cstdint>

namespace tabulist {

// The calls ReplacementFile needs from one operating system, supplied by its file
// (ReplacementFileLinux.cpp). Failures return the C library's error number (errno values),
// success 0.

struct OpenedFile;

// What the name finally points at, through any chain of symbolic links; a dangling link
// gives the name it points at, which is then created.
QByteArray FollowLinks(QByteArray path);

enum class TargetKind { Missing, Directory, Regular, Other };  // Other: a pipe or a device
TargetKind InspectTarget(const QByteArray& target);

int OpenExistingForWriting(const QByteArray& target, OpenedFile*& out);
// A new file beside target, under a name no other file has; its name in name.
int CreateTemporaryBeside(const QByteArray& target, QByteArray& name, OpenedFile*& out);
// Gives the file target's owner where allowed, then target's permissions.
void KeepOwnerAndMode(OpenedFile& file, const QByteArray& target);
// Writes some of the bytes: how many, or -1 with error set.
int64_t WriteSome(OpenedFile& file, const char* data, int64_t size, int& error);
int TruncateFile(OpenedFile& file, int64_t size);
int SyncFile(OpenedFile& file);
int CloseFile(OpenedFile* file);  // the file is gone whatever it returns
int RenameOver(const QByteArray& from, const QByteArray& to);
// Makes a rename into path's folder durable, where the system can.
void SyncFolderOf(const QByteArray& path);
void RemoveFile(const QByteArray& path);

}  // namespace tabulist
