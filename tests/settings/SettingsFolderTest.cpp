#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFolder.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::ReadFile;

QByteArray Bytes(const TSavedOptions& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

void Chmod(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

// A program folder holding installed defaults and a configuration home for the user;
// both reachable by the unprivileged user the checks run as.
class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid() && home.isValid());
        savedHome = qgetenv("XDG_CONFIG_HOME");
        hadHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        defaults.ShowHidden = 1;
        defaults.ColumnIndex = 3;
        StoreOptionsRecord(SettingsPath(program.path()), defaults);
        TAddedOptions added;
        added.Subfolders = true;
        StoreAddedOptions(AddedOptionsPath(SettingsPath(program.path())), added);
        Chmod(home.path(), 0777);
    }
    void TearDown() override {
        if (hadHome)
            qputenv("XDG_CONFIG_HOME", savedHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
        Chmod(program.path(), 0700);
    }
    QString installed() const { return SettingsPath(program.path()); }
    QString perUser() const { return home.path() + QStringLiteral("/tabulist/Tabulist.sav"); }

    QTemporaryDir program, home;
    TSavedOptions defaults{};
    QByteArray savedHome;
    bool hadHome = false;
};

TEST_F(SettingsFolder, WritableProgramFolderKeepsTheFilesBesideTheProgram) {
    EXPECT_EQ(UserSettingsPath(program.path()), installed());
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/tabulist")));
}

// Read-only program folder (and files, as a package installs them): the first start
// begins from the installed options, a store goes to the user's folder, and the next
// start reads the user's own options while the installed files stay as they were.
TEST_F(SettingsFolder, ReadOnlyProgramFolderStartsFromItsFilesAndStoresPerUser) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    Chmod(installed(), 0444);
    Chmod(AddedOptionsPath(installed()), 0444);
    Chmod(program.path(), 0555);
    const QByteArray installedBytes = ReadFile(installed());
    EXPECT_EQ(0, test::ExitStatusAsUnprivileged([&] {
                  const QString path = UserSettingsPath(program.path());
                  if (path != perUser()) return 1;
                  TSavedOptions loaded{};
                  LoadOptionsRecord(path,
                                    loaded);  // throws "File access denied" on a read-only copy
                  if (Bytes(loaded) != Bytes(defaults)) return 2;
                  if (!LoadAddedOptions(AddedOptionsPath(path)).Subfolders) return 3;

                  TSavedOptions changed = loaded;
                  changed.ShowHidden = 0;
                  StoreOptionsRecord(path, changed);
                  StoreAddedOptions(AddedOptionsPath(path), TAddedOptions{});

                  const QString again = UserSettingsPath(program.path());
                  if (again != path) return 4;
                  LoadOptionsRecord(again, loaded);
                  if (Bytes(loaded) != Bytes(changed)) return 5;
                  if (LoadAddedOptions(AddedOptionsPath(again)).Subfolders) return 6;
                  return 0;
              }));
    EXPECT_EQ(ReadFile(installed()), installedBytes);
}

// Without installed files the per-user folder stays empty, and the load reports the
// missing file as a start without one does.
TEST_F(SettingsFolder, NothingInstalledLeavesTheLoadToReportTheMissingFile) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    QFile::remove(installed());
    QFile::remove(AddedOptionsPath(installed()));
    Chmod(program.path(), 0555);
    EXPECT_TRUE(test::AsUnprivileged([&] {
        const QString path = UserSettingsPath(program.path());
        return path == perUser() && !QFileInfo::exists(path) &&
               !QFileInfo::exists(AddedOptionsPath(path));
    }));
}

TEST(PerUserSettingsFolder, ConfigurationHomeOrTheDotConfigFolder) {
    SKIP_ON_WINDOWS("Windows keeps per-user settings in %APPDATA%: WindowsSettingsFolder");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config/");
    EXPECT_EQ(PerUserSettingsFolder(), QStringLiteral("/somewhere/config/tabulist"));
    // Unset, empty or relative: the home folder's .config.
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/tabulist");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(PerUserSettingsFolder(), fallback);
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(PerUserSettingsFolder(), fallback);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PerUserSettingsFolder(), fallback);
    if (hadConfig) qputenv("XDG_CONFIG_HOME", savedConfig);
}

}  // namespace
}  // namespace tabulist
