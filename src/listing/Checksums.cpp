// Checksums of files: sha256 and md5 through libcrypto's EVP interface, xxh128 through
// libxxhash's streaming XXH3.
#include "listing/Checksums.h"

#include <openssl/evp.h>
#include <xxhash.h>

#include <new>

#include "platform/FileStore.h"

namespace tabulist {

QString ChecksumName(ChecksumAlgorithm algorithm) {
    switch (algorithm) {
        case ChecksumAlgorithm::Sha256:
            return QStringLiteral("sha256");
        case ChecksumAlgorithm::Md5:
            return QStringLiteral("md5");
        case ChecksumAlgorithm::Xxh128:
            break;
    }
    return QStringLiteral("xxh128");
}

std::optional<ChecksumAlgorithm> ChecksumNamed(const QString& name) {
    for (const auto algorithm :
         {ChecksumAlgorithm::Sha256, ChecksumAlgorithm::Md5, ChecksumAlgorithm::Xxh128})
        if (ChecksumName(algorithm) == name) return algorithm;
    return std::nullopt;
}

int ChecksumHexLength(ChecksumAlgorithm algorithm) {
    return algorithm == ChecksumAlgorithm::Sha256 ? 64 : 32;
}

struct Hasher::State {
    ChecksumAlgorithm algorithm;
    EVP_MD_CTX* evp = nullptr;
    XXH3_state_t* xxh = nullptr;

    ~State() {
        EVP_MD_CTX_free(evp);
        XXH3_freeState(xxh);
    }
};

Hasher::Hasher(ChecksumAlgorithm algorithm) : state_(std::make_unique<State>()) {
    state_->algorithm = algorithm;
    if (algorithm == ChecksumAlgorithm::Xxh128) {
        state_->xxh = XXH3_createState();
        if (!state_->xxh || XXH3_128bits_reset(state_->xxh) != XXH_OK) throw std::bad_alloc();
        return;
    }
    state_->evp = EVP_MD_CTX_new();
    const EVP_MD* md = algorithm == ChecksumAlgorithm::Sha256 ? EVP_sha256() : EVP_md5();
    if (!state_->evp || EVP_DigestInit_ex(state_->evp, md, nullptr) != 1) throw std::bad_alloc();
}

Hasher::~Hasher() = default;

void Hasher::add(const char* data, size_t length) {
    if (state_->xxh)
        XXH3_128bits_update(state_->xxh, data, length);
    else
        EVP_DigestUpdate(state_->evp, data, length);
}

QByteArray Hasher::text() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (state_->xxh) {
        XXH128_canonical_t canonical;
        XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(state_->xxh));
        static_assert(sizeof canonical.digest <= sizeof digest);
        std::copy(std::begin(canonical.digest), std::end(canonical.digest), digest);
        length = sizeof canonical.digest;
    } else {
        EVP_DigestFinal_ex(state_->evp, digest, &length);
    }
    return QByteArray(reinterpret_cast<const char*>(digest), qsizetype(length)).toHex();
}

FileChecksum ChecksumOfFile(const QByteArray& path, ChecksumAlgorithm algorithm, char* buffer,
                            std::atomic<int64_t>* done, const std::atomic<bool>* stop) {
    Hasher hasher(algorithm);
    bool stopped = false;
    const int error =
        ReadSequentially(path, buffer, ChecksumReadSize, [&](const char* data, size_t length) {
            hasher.add(data, length);
            if (done) done->fetch_add(int64_t(length), std::memory_order_relaxed);
            stopped = stop && stop->load(std::memory_order_relaxed);
            return !stopped;
        });
    FileChecksum result;
    if (error > 0) result.error = error;
    if (error == 0 && !stopped) result.text = hasher.text();
    return result;
}

}  // namespace tabulist
