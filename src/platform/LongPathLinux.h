#pragma once

#include <sys/stat.h>

#include <QByteArray>

namespace tabulist {

// open(2) and fstatat(2) of a path of any length, for the Linux files: a path longer than the
// system takes at once (PATH_MAX) is followed piece by piece from an open folder, each piece
// opened relative to the one before, so that no more than two descriptors are held. EINTR is
// tried again. -1 (or errno) as the calls give.
int OpenAnyLength(const QByteArray& path, int flags);
// 0, or the errno value.
int StatAnyLength(const QByteArray& path, struct stat& st, int flags);

}  // namespace tabulist
