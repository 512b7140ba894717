// The file helpers of the tests that need no system call of their own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdio>

#include "support/Fixture.h"

namespace tabulist::test {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray RandomBytes(std::mt19937& random, int size) {
    QByteArray bytes(size, 0);
    for (char& b : bytes) b = char(random() & 0xFF);
    return bytes;
}

QByteArray ReadAll(FILE* stream) {
    std::fflush(stream);
    std::rewind(stream);
    QByteArray bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        bytes.append(buffer, qsizetype(n));
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString PathLine(const QString& searchSpec) {
    return "path:    \t" + QDir::toNativeSeparators(searchSpec);
}

}  // namespace tabulist::test
