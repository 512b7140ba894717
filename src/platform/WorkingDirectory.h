#pragma once

#include <QByteArray>

namespace tabulist {

// The process's working directory as the file system names it; EInOutError on failure.
QByteArray ReadWorkingDirectory();

// Makes rawPath the working directory; EInOutError on failure.
void ChangeWorkingDirectory(const QByteArray& rawPath);

// The same without an error: false when the move failed.
bool TryChangeWorkingDirectory(const QByteArray& rawPath);

}  // namespace tabulist
