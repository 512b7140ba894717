#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tabulist {

// What the window program's command line asks for before any window exists.
enum class StartRequest { Window, Help, Version };
StartRequest ReadStartRequest(int argc, char** argv);

// "tabulist --help": usage with the folder argument.
QString WindowUsageText();
// "tabulist --version".
QString WindowVersionText();

// Once Qt has taken its own options out of argv: the first argument that still looks like
// an option (a folder of such a name follows "--"), or none.
std::optional<QByteArray> UnknownOption(int argc, char** argv);

// Without a display, constructing the application object is fatal inside Qt (an abort with
// advice to reinstall). While this lives, that ends the program with one line on standard
// error naming the remedy and exit status 1; Qt's platform warnings are held back and
// passed on when the application object could be made after all.
class NoDisplayExit {
public:
    NoDisplayExit();
    ~NoDisplayExit();
    NoDisplayExit(const NoDisplayExit&) = delete;
    NoDisplayExit& operator=(const NoDisplayExit&) = delete;
};

}  // namespace tabulist
