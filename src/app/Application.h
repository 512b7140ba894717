#pragma once

#include <QApplication>
#include <QString>
#include <functional>

namespace tabulist {

// The application object. Its notify() is the one place where the program's errors
// are caught: they are shown by ShowErrorDisplay and the program goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The title derived from a program path: the file name up to its first ".",
// every character after the first in lower case ("/opt/TABULIST.EXE" gives "Tabulist").
QString ApplicationTitle(const QString& programPath);

// The message with a full stop appended when its last character sorts after ".".
QString ErrorDisplayText(const QString& message);

// The default error display: a message box with the error icon and OK, captioned
// with the application's name.
void ShowErrorDisplay(const QString& message);

// Tests replace the message box: the hook receives caption and text instead.
using ErrorDisplayHook = std::function<void(const QString& caption, const QString& text)>;
void SetErrorDisplayHook(ErrorDisplayHook hook);

}  // namespace tabulist
