// The sums format: checksum lists for the system's checksum tools.
#include "listing/formats/SumsWriter.h"

namespace tabulist {

QByteArray SumsLine(const QByteArray& checksum, const QByteArray& path,
                    ChecksumAlgorithm algorithm) {
    const bool escaped = algorithm == ChecksumAlgorithm::Xxh128
                             ? path.contains('\n')
                             : path.contains('\\') || path.contains('\n') || path.contains('\r');
    QByteArray line;
    line.reserve(checksum.size() + path.size() + 4);
    if (escaped) line += '\\';
    line += checksum;
    line += "  ";
    if (!escaped) {
        line += path;
    } else {
        for (const char c : path) {
            if (c == '\\')
                line += "\\\\";
            else if (c == '\n')
                line += "\\n";
            else if (c == '\r')
                line += "\\r";
            else
                line += c;
        }
    }
    line += '\n';
    return line;
}

namespace {

class SumsWriter : public DataWriter {
public:
    explicit SumsWriter(ByteOut out) : out_(std::move(out)) {}

    void begin(const ListingContext& context) override {
        algorithm_ = context.checksum.value_or(ChecksumAlgorithm::Sha256);
    }
    void entryWithChecksum(const QString&, const TSearchRec&,
                           const EntryChecksum& checksum) override {
        if (!checksum.text.isEmpty())
            out_(SumsLine(checksum.text, checksum.relativePath, algorithm_));
    }
    void end() override {}

private:
    ByteOut out_;
    ChecksumAlgorithm algorithm_ = ChecksumAlgorithm::Sha256;
};

}  // namespace

std::unique_ptr<DataWriter> MakeSumsWriter(const DataOptions&, const DataOutput& output) {
    return std::make_unique<SumsWriter>(output.bytes);
}

}  // namespace tabulist
