// The window program's own command-line options and its start without a display.
#include "app/CommandLine.h"

#include <QList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tabulist {

StartRequest ReadStartRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return StartRequest::Help;
        if (std::strcmp(argv[i], "--version") == 0) return StartRequest::Version;
    }
    return StartRequest::Window;
}

QString WindowUsageText() {
    return QStringLiteral(
        "Usage: tabulist [OPTION] [--] [DIRECTORY]\n"
        "Opens the Tabulist window. Given a DIRECTORY (or a file, for the folder it is in),\n"
        "the window lists it once it has started.\n"
        "\n"
        "  --help      show this text\n"
        "  --version   show the version\n"
        "Qt's own options (such as -platform offscreen or -style fusion) are accepted too.\n"
        "\n"
        "The window needs a display. tabulist-list writes the same listings to standard\n"
        "output without one (see tabulist-list --help).\n");
}

QString WindowVersionText() { return QStringLiteral("Tabulist " TABULIST_VERSION "\n"); }

std::optional<QByteArray> UnknownOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return std::nullopt;
        if (argv[i][0] == '-' && argv[i][1] != '\0') return QByteArray(argv[i]);
    }
    return std::nullopt;
}

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> held;
QtMessageHandler previous = nullptr;

void HoldPlatformMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && text.contains(QLatin1String("no Qt platform plugin could be"))) {
        std::fputs(
            "tabulist: the window needs a display, and none could be opened; without one, "
            "tabulist-list DIRECTORY prints the listing.\n",
            stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const QByteArray category(context.category ? context.category : "");
    if (type != QtFatalMsg && category.startsWith("qt.qpa.")) {
        held.append({type, category, text});
        return;
    }
    previous(type, context, text);  // Qt's default handler when there was none before
}

}  // namespace

NoDisplayExit::NoDisplayExit() { previous = qInstallMessageHandler(HoldPlatformMessages); }

NoDisplayExit::~NoDisplayExit() {
    qInstallMessageHandler(previous);
    for (const HeldMessage& m : held) {
        QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    held.clear();
}

}  // namespace tabulist
