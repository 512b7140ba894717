#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/Fixture.h"
#include "support/InstallRun.h"

namespace tabulist::test {
namespace {

const QString SourceData = QStringLiteral(TABULIST_SOURCE_DIR "/data/");
const QString BuiltLister = QStringLiteral(TABULIST_BINARY_DIR "/tabulist-list");

// A prefix with a blank in it, as a home folder may have.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        prefix_ = dir_.path() + QStringLiteral("/my prefix");
        const RunResult install = InstallBuildTree(prefix_);
        ASSERT_TRUE(install.finished && install.exitCode == 0) << install.err.toStdString();
    }
    QString at(const QString& relative) const { return prefix_ + QLatin1Char('/') + relative; }

    QTemporaryDir dir_;
    QString prefix_;
};

TEST_F(InstallTest, InstallsEachFileWhereItBelongs) {
    const QStringList icons = {"32x32", "48x48", "64x64", "128x128"};
    QStringList expected = {"bin/tabulist",
                            "bin/tabulist-list",
                            "lib/tabulist/Tabulist",
                            "lib/tabulist/Tabulist.hlp",
                            "lib/tabulist/Tabulist.sav",
                            "lib/tabulist/tabulist-list",
                            "share/applications/tabulist.desktop",
                            "share/man/man1/tabulist-list.1"};
    for (const QString& size : icons)
        expected.append("share/icons/hicolor/" + size + "/apps/tabulist.png");
    expected.sort();
    EXPECT_EQ(InstalledFiles(prefix_), expected);

    for (const char* program : {"Tabulist", "tabulist-list"})
        EXPECT_TRUE(QFileInfo(at(QStringLiteral("lib/tabulist/") + program)).isExecutable())
            << program;
    // The links go to the program folder, where the programs find their settings.
    EXPECT_EQ(QFileInfo(at("bin/tabulist")).canonicalFilePath(),
              QFileInfo(at("lib/tabulist/Tabulist")).canonicalFilePath());
    EXPECT_EQ(QFileInfo(at("bin/tabulist-list")).canonicalFilePath(),
              QFileInfo(at("lib/tabulist/tabulist-list")).canonicalFilePath());

    EXPECT_EQ(ReadFile(at("lib/tabulist/Tabulist.hlp")), ReadFile(SourceData + "Tabulist.hlp"));
    const QByteArray settings = ReadFile(at("lib/tabulist/Tabulist.sav"));
    EXPECT_EQ(settings.size(), 296);
    EXPECT_EQ(settings, ReadFile(SourceData + "default.sav"));
    for (const QString& size : icons) {
        const QImage icon(at("share/icons/hicolor/" + size + "/apps/tabulist.png"), "PNG");
        EXPECT_EQ(QString("%1x%2").arg(icon.width()).arg(icon.height()), size);
    }
}

TEST_F(InstallTest, DesktopEntryIsValidAndStartsTheInstalledWindow) {
    const QString entry = at("share/applications/tabulist.desktop");
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate is missing (tools/deps.sh)";
    const RunResult validation = RunProgram(validator, {entry});
    EXPECT_TRUE(validation.finished && validation.exitCode == 0)
        << validation.out.toStdString() << validation.err.toStdString();
    EXPECT_TRUE(validation.out.isEmpty()) << validation.out.toStdString();  // no hints either

    EXPECT_EQ(ExecProgram(DesktopEntryValue(entry, "Exec")), at("bin/tabulist"));
    EXPECT_EQ(DesktopEntryValue(entry, "Icon"), "tabulist");
    EXPECT_EQ(DesktopEntryValue(entry, "Name"), "Tabulist");
}

TEST_F(InstallTest, InstalledListerListsLikeTheBuiltOne) {
    Fixture files;
    files.file("notes.txt", 1200);
    files.file("a b.dat", 7);
    files.dir("letters");
    files.setLocalTime("notes.txt", 2024, 5, 6, 7, 8, 9);
    const QStringList args = {"--lf", "--path", "--file-count", "--total-size", files.rootText()};

    const RunResult installed = RunProgram(at("bin/tabulist-list"), args);
    const RunResult built = RunProgram(BuiltLister, args);
    ASSERT_TRUE(installed.finished);
    EXPECT_EQ(installed.exitCode, 0) << installed.err.toStdString();
    EXPECT_EQ(installed.out, built.out);
    for (const char* name : {"notes.txt", "a b.dat", "[letters]"})
        EXPECT_TRUE(installed.out.contains(name)) << name;
}

TEST_F(InstallTest, ManualPageMatchesHelpAndVersion) {
    const RunResult help = RunProgram(at("bin/tabulist-list"), {"--help"});
    const RunResult version = RunProgram(at("bin/tabulist-list"), {"--version"});
    ASSERT_EQ(help.exitCode, 0);
    ASSERT_EQ(version.exitCode, 0);
    const QString page = QString::fromUtf8(ReadFile(at("share/man/man1/tabulist-list.1")));

    const QStringList fromHelp = HelpOptions(QString::fromLocal8Bit(help.out));
    EXPECT_GE(fromHelp.size(), 20);  // the parser did find the options
    // Joined, so that a difference shows as a readable diff.
    EXPECT_EQ(ManualPageOptions(page).join('\n').toStdString(), fromHelp.join('\n').toStdString());

    // "tabulist-list 2.1.5" -> the page's header carries "Tabulist 2.1.5".
    const QString number = QString::fromLatin1(version.out).trimmed().section(' ', -1);
    ASSERT_FALSE(number.isEmpty());
    EXPECT_TRUE(page.section('\n', 0, 0).contains("\"Tabulist " + number + "\""))
        << page.section('\n', 0, 0).toStdString();
}

TEST_F(InstallTest, InstallingAgainKeepsTheSavedSettings) {
    const QString settings = at("lib/tabulist/Tabulist.sav");
    QByteArray saved = ReadFile(settings);
    saved[0] = saved[0] ? 0 : 1;
    {
        QFile file(settings);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(saved);
    }
    const RunResult again = InstallBuildTree(prefix_);
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(ReadFile(settings), saved);
    EXPECT_TRUE(QFileInfo(at("bin/tabulist")).isSymLink());
}

// A package build stages the tree under DESTDIR; links and the desktop entry must point to
// where it will finally be, not into the staging folder.
TEST(StagedInstall, PointsAtTheFinalPrefix) {
    QTemporaryDir stage;
    const QString prefix = QStringLiteral("/opt/tabulist-test");
    const RunResult install = InstallBuildTree(prefix, stage.path());
    ASSERT_TRUE(install.finished && install.exitCode == 0) << install.err.toStdString();
    const QString root = stage.path() + prefix;
    EXPECT_EQ(QFile::symLinkTarget(root + "/bin/tabulist-list"),
              root + "/lib/tabulist/tabulist-list");
    EXPECT_EQ(QFile::symLinkTarget(root + "/bin/tabulist"), root + "/lib/tabulist/Tabulist");
    const QString exec = DesktopEntryValue(root + "/share/applications/tabulist.desktop", "Exec");
    EXPECT_EQ(ExecProgram(exec), prefix + "/bin/tabulist");
}

}  // namespace
}  // namespace tabulist::test
