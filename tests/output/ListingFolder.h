#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace tabulist::test {

// A folder to save listings into. Every entry of it counts, so that a temporary file left
// behind shows.
class ListingFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
};

}  // namespace tabulist::test
