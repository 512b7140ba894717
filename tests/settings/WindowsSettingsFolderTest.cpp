// Where a user's settings go on Windows when the program folder takes none.
#include <gtest/gtest.h>

#include <QDir>

#include "settings/SettingsFolder.h"

namespace tabulist {
namespace {

TEST(WindowsSettingsFolder, PerUserFolderIsTabulistInTheRoamingApplicationData) {
    const QString appData = qEnvironmentVariable("APPDATA");
    ASSERT_FALSE(appData.isEmpty());
    EXPECT_EQ(PerUserSettingsFolder(), QDir::cleanPath(appData + QStringLiteral("/Tabulist")));
}

}  // namespace
}  // namespace tabulist
