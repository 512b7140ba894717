// Parsing /proc/self/mountinfo into mount records.
#include "platform/MountInfo.h"

#include <QList>

namespace tabulist {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArray decodeOctal(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out.append(char((a - '0') << 6 | (b - '0') << 3 | (c - '0')));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

}  // namespace

std::vector<MountInfoLine> ParseMountInfo(const QByteArray& text) {
    std::vector<MountInfoLine> lines;
    for (const QByteArray& line : text.split('\n')) {
        // id parent major:minor root mount-point options [optional...] - type source super
        const QList<QByteArray> f = line.split(' ');
        const qsizetype dash = f.indexOf(QByteArray("-"), 6);
        if (f.size() < 7 || dash < 0 || dash + 2 >= f.size()) continue;
        const QList<QByteArray> device = f[2].split(':');
        if (device.size() != 2) continue;
        MountInfoLine l;
        l.major = device[0].toUInt();
        l.minor = device[1].toUInt();
        l.record.mountPoint = QString::fromUtf8(decodeOctal(f[4]));
        l.record.fsType = QString::fromUtf8(decodeOctal(f[dash + 1]));
        l.record.source = QString::fromUtf8(decodeOctal(f[dash + 2]));
        lines.push_back(std::move(l));
    }
    return lines;
}

QByteArray DecodeLabelLinkName(const QByteArray& name) {
    QByteArray out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int hi = hexValue(name[i + 2]), lo = hexValue(name[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out.append(char(hi << 4 | lo));
                i += 3;
                continue;
            }
        }
        out.append(name[i]);
    }
    return out;
}

}  // namespace tabulist
