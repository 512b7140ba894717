#include <gtest/gtest.h>

#include <QProcessEnvironment>

#include "app/CommandLine.h"
#include "support/InstallRun.h"

namespace tabulist::test {
namespace {

const QString Window = QStringLiteral(TABULIST_BINARY_DIR "/Tabulist");

// The window program's answers that need no window, with and without a display.
TEST(WindowCommandLine, HelpVersionUnknownOptionAndNoDisplay) {
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcessEnvironment noDisplay = offscreen;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        noDisplay.remove(QString::fromLatin1(name));
    const QByteArray usage = WindowUsageText().toUtf8();
    ASSERT_TRUE(usage.startsWith("Usage: tabulist [OPTION] [--] [DIRECTORY]\n"));
    ASSERT_TRUE(usage.contains("\n  --version   show the version\n"));
    const QByteArray noDisplayLine =
        "tabulist: the window needs a display, and none could be opened; without one, "
        "tabulist-list DIRECTORY prints the listing.\n";
    struct Case {
        QStringList arguments;
        const QProcessEnvironment& environment;
        int status;
        QByteArray out, err;
    };
    const Case cases[] = {
        {{"--help"}, noDisplay, 0, usage, ""},
        {{"-h", "somewhere"}, noDisplay, 0, usage, ""},
        {{"--version"}, noDisplay, 0, "Tabulist " TABULIST_VERSION "\n", ""},
        {{}, noDisplay, 1, "", noDisplayLine},
        {{"/tmp"}, noDisplay, 1, "", noDisplayLine},
        {{"--bogus"},
         offscreen,
         2,
         "",
         "tabulist: unknown option '--bogus'\nTry 'tabulist --help' for more information.\n"},
        {{"-x", "/tmp"},
         offscreen,
         2,
         "",
         "tabulist: unknown option '-x'\nTry 'tabulist --help' for more information.\n"},
    };
    for (const Case& c : cases) {
        const RunResult run = RunProgram(Window, c.arguments, c.environment);
        const std::string what = c.arguments.join(QLatin1Char(' ')).toStdString();
        ASSERT_TRUE(run.finished) << what;
        EXPECT_EQ(run.exitCode, c.status) << what;
        EXPECT_EQ(run.out, c.out) << what;
        // Qt may warn about its runtime folder first; the program's own lines come last.
        EXPECT_TRUE(run.err.endsWith(c.err)) << what << ": " << run.err.constData();
        if (c.err.isEmpty()) {
            EXPECT_EQ(run.err, QByteArray()) << what;
        }
    }
}

}  // namespace
}  // namespace tabulist::test
