#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "support/InstallRun.h"

namespace tabulist::test {
namespace {

const QString Version = QStringLiteral(TABULIST_VERSION);

// The package is built once from the build tree into a temporary folder and read back with
// dpkg-deb, as a user's apt would see it.
class PackageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dpkgDeb_ = QStandardPaths::findExecutable("dpkg-deb");
        if (dpkgDeb_.isEmpty() || !QFile::exists(QStringLiteral(TABULIST_CPACK)) ||
            QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty())
            return;
        dir_ = std::make_unique<QTemporaryDir>();
        build_ = RunProgram(
            QStringLiteral(TABULIST_CPACK),
            {"-G", "DEB", "--config", TABULIST_BINARY_DIR "/CPackConfig.cmake", "-B", dir_->path()},
            QProcessEnvironment::systemEnvironment(), 300000);
        const RunResult arch = RunProgram("dpkg", {"--print-architecture"});
        package_ = dir_->path() + "/tabulist_" + Version + '_' +
                   QString::fromLatin1(arch.out).trimmed() + ".deb";
    }
    static void TearDownTestSuite() {
        build_.reset();
        dir_.reset();
    }
    void SetUp() override {
        if (!build_) GTEST_SKIP() << "cpack, dpkg-deb or dpkg-shlibdeps (dpkg-dev) is missing";
        ASSERT_TRUE(build_->finished && build_->exitCode == 0)
            << build_->out.toStdString() << build_->err.toStdString();
        ASSERT_TRUE(QFile::exists(package_)) << package_.toStdString() << " was not made";
    }
    static QString DpkgDeb(const QStringList& arguments) {
        const RunResult run = RunProgram(dpkgDeb_, arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QString::fromUtf8(run.out);
    }

    static inline QString dpkgDeb_;
    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::optional<RunResult> build_;
    static inline QString package_;
};

TEST_F(PackageTest, HoldsTheProgramFolderLinksAndDesktopFiles) {
    // "-rwxr-xr-x root/root  12345 2026-01-02 03:04 ./usr/bin/x -> y" -> path: "mode owner -> y"
    static const QRegularExpression line(
        QStringLiteral(R"(^(\S+) (\S+) +\d+ \S+ \S+ \./(.*?)(?: -> (.*))?$)"));
    QMap<QString, QString> entries;
    for (const QString& text : DpkgDeb({"-c", package_}).split('\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = line.match(text);
        ASSERT_TRUE(match.hasMatch()) << text.toStdString();
        EXPECT_EQ(match.captured(2), "root/root") << text.toStdString();
        if (match.captured(1).startsWith('d')) {
            EXPECT_EQ(match.captured(1), "drwxr-xr-x") << text.toStdString();
            continue;
        }
        QString entry = match.captured(1);
        if (!match.captured(4).isEmpty()) entry = "link -> " + match.captured(4);
        entries.insert(match.captured(3), entry);
    }

    const QString program = "-rwxr-xr-x", data = "-rw-r--r--";
    QMap<QString, QString> expected = {
        {"usr/bin/tabulist", "link -> ../lib/tabulist/Tabulist"},
        {"usr/bin/tabulist-list", "link -> ../lib/tabulist/tabulist-list"},
        {"usr/lib/tabulist/Tabulist", program},
        {"usr/lib/tabulist/tabulist-list", program},
        {"usr/lib/tabulist/Tabulist.hlp", data},
        {"usr/lib/tabulist/Tabulist.sav", data},
        {"usr/share/applications/tabulist.desktop", data},
        {"usr/share/doc/tabulist/changelog.gz", data},
        {"usr/share/doc/tabulist/copyright", data},
        {"usr/share/man/man1/tabulist-list.1.gz", data}};
    for (const char* size : {"32x32", "48x48", "64x64", "128x128"})
        expected.insert(QString("usr/share/icons/hicolor/%1/apps/tabulist.png").arg(size), data);
    EXPECT_EQ(entries, expected);

    // Staged through DESTDIR: what is inside must name /usr, never the staging folder.
    QTemporaryDir tree;
    DpkgDeb({"-x", package_, tree.path()});
    EXPECT_EQ(ExecProgram(DesktopEntryValue(
                  tree.path() + "/usr/share/applications/tabulist.desktop", "Exec")),
              "/usr/bin/tabulist");
    QFile settings(tree.path() + "/usr/lib/tabulist/Tabulist.sav");
    QFile defaults(TABULIST_SOURCE_DIR "/data/default.sav");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly) && defaults.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), defaults.readAll());
}

TEST_F(PackageTest, ControlFieldsNameTheQtLibrariesItNeeds) {
    const QString fields =
        DpkgDeb({"-f", package_, "Package", "Version", "Architecture", "Depends"});
    const RunResult arch = RunProgram("dpkg", {"--print-architecture"});
    EXPECT_TRUE(fields.startsWith("Package: tabulist\nVersion: " + Version + "\nArchitecture: " +
                                  QString::fromLatin1(arch.out).trimmed() + "\nDepends: "))
        << fields.toStdString();
    const QString depends = fields.section("Depends: ", 1).trimmed();
    QStringList names;
    for (const QString& dependency : depends.split(QRegularExpression(",\\s*")))
        names.append(dependency.section(' ', 0, 0));
    // Found by dpkg-shlibdeps from the programs' libraries, plus the platform plugins Qt loads
    // at run time.
    for (const char* name : {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                             "libqt6printsupport6", "qt6-qpa-plugins"})
        EXPECT_TRUE(names.contains(name)) << name << " missing in " << depends.toStdString();
}

}  // namespace
}  // namespace tabulist::test
