#pragma once

#include <QByteArray>
#include <vector>

#include "platform/DriveTable.h"

namespace tabulist {

// One line of /proc/self/mountinfo with the device numbers it names; the label and the
// removable flag are left for the caller to look up.
struct MountInfoLine {
    MountRecord record;
    unsigned major = 0;
    unsigned minor = 0;
};

// Mount points and sources come with spaces, tabs, newlines and backslashes written as
// octal escapes ("\040"); they are decoded. Lines that do not parse are skipped.
std::vector<MountInfoLine> ParseMountInfo(const QByteArray& text);

// udev writes unsafe characters of a label link's name as "\xHH".
QByteArray DecodeLabelLinkName(const QByteArray& name);

}  // namespace tabulist
