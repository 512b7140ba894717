// The application object: the one catch of the program's errors, and their default display.
#include "app/Application.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <exception>

#include "platform/Errors.h"

namespace tabulist {

namespace {

ErrorDisplayHook errorDisplayHook;

int ErrorDisplayMinimumWidth(const QFontMetrics& metrics, const QString& caption) {
    constexpr int Decorations = 160;  // icon and three buttons of a title bar, with margins
    return std::max(240, metrics.horizontalAdvance(caption) + Decorations);
}

}  // namespace

// The title comes from the program file itself, not from the name it was started by:
// started through the link ~/.local/bin/tabulist it still reads "Tabulist".
TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    const QString program = applicationFilePath();
    setApplicationName(ApplicationTitle(!program.isEmpty() ? program
                                        : argc > 0         ? QString::fromLocal8Bit(argv[0])
                                                           : QStringLiteral("Tabulist")));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const TabulistError& error) {
        ShowErrorDisplay(error.message());
    } catch (const std::exception& error) {
        ShowErrorDisplay(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

QString ApplicationTitle(const QString& programPath) {
    QString name = QFileInfo(programPath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) name.truncate(dot);
    if (name.isEmpty()) return name;
    return name.left(1) + name.mid(1).toLower();
}

QString ErrorDisplayText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
    return message;
}

void ShowErrorDisplay(const QString& message) {
    const QString caption = QApplication::applicationName();
    const QString text = ErrorDisplayText(message);
    if (errorDisplayHook) {
        errorDisplayHook(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    // A short message would give a box too narrow for its title beside the window manager's
    // icon and buttons; the box sizes itself to its layout, which a spacer holds open.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(ErrorDisplayMinimumWidth(box.fontMetrics(), caption), 0),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

void SetErrorDisplayHook(ErrorDisplayHook hook) { errorDisplayHook = std::move(hook); }

}  // namespace tabulist
