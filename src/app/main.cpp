// The main sequence: the program's own options, application object, help file name, the
// window set, the loop.
#include <cstdio>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/FolderArgument.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"

namespace {

constexpr int kExitUsage = 2;

int Print(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered without a display.
    switch (tabulist::ReadStartRequest(argc, argv)) {
        case tabulist::StartRequest::Help:
            return Print(tabulist::WindowUsageText());
        case tabulist::StartRequest::Version:
            return Print(tabulist::WindowVersionText());
        case tabulist::StartRequest::Window:
            break;
    }
    std::optional<tabulist::NoDisplayExit> noDisplay(std::in_place);
    tabulist::TApplication app(argc, argv);  // takes Qt's own options out of argv
    noDisplay.reset();
    if (const std::optional<QByteArray> option = tabulist::UnknownOption(argc, argv)) {
        std::fprintf(stderr,
                     "tabulist: unknown option '%s'\n"
                     "Try 'tabulist --help' for more information.\n",
                     option->constData());
        return kExitUsage;
    }
    const std::optional<QByteArray> folder = tabulist::FolderArgument(argc, argv);
    tabulist::SetHelpFile(QStringLiteral("TABULIST.HLP"));
    tabulist::SetProgramDirectory(QCoreApplication::applicationDirPath());
    tabulist::CreateWindowSet();
    tabulist::Windows().Haupt->showMaximized();
    if (folder) tabulist::OpenFolderLater(*tabulist::Windows().Haupt, *folder);
    const int result = app.exec();
    tabulist::DestroyWindowSet();
    return result;
}
