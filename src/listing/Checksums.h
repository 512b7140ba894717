#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

namespace tabulist {

// The checksums a listing can carry; each is named, as a field, after its algorithm.
enum class ChecksumAlgorithm { Sha256, Md5, Xxh128 };

QString ChecksumName(ChecksumAlgorithm algorithm);  // "sha256", "md5", "xxh128"
std::optional<ChecksumAlgorithm> ChecksumNamed(const QString& name);
int ChecksumHexLength(ChecksumAlgorithm algorithm);  // 64, 32, 32

// One checksum computed piece by piece; text() ends it.
class Hasher {
public:
    explicit Hasher(ChecksumAlgorithm algorithm);
    ~Hasher();
    Hasher(const Hasher&) = delete;
    Hasher& operator=(const Hasher&) = delete;

    void add(const char* data, size_t length);
    QByteArray text();  // lower-case hexadecimal

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Reads in pieces of at least 1 MiB, so that a file is read in few, long requests.
constexpr size_t ChecksumReadSize = size_t(1) << 20;

struct FileChecksum {
    QByteArray text;  // lower-case hexadecimal; empty for no regular file or a failed read
    int error = 0;    // the input/output error code of a failed read
};

// The checksum of the regular file at path (as the file system names it; a symbolic link
// has none), read with buffer of ChecksumReadSize bytes. done grows by the bytes read; stop, once
// set, ends the reading (the result then has neither text nor error).
FileChecksum ChecksumOfFile(const QByteArray& path, ChecksumAlgorithm algorithm, char* buffer,
                            std::atomic<int64_t>* done = nullptr,
                            const std::atomic<bool>* stop = nullptr);

}  // namespace tabulist
