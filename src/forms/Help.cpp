// The help file and the help window that shows one of its sections.
#include "forms/Help.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QWindow>

#include "forms/ScreenPlace.h"

namespace tabulist {

namespace {
QString helpFile = QStringLiteral("TABULIST.HLP");
int lastContext = 0;
QPointer<QTextBrowser> helpWindow;
}  // namespace

void SetHelpFile(const QString& path) { helpFile = path; }
QString HelpFile() { return helpFile; }
int LastHelpContext() { return lastContext; }

namespace {

constexpr QSize HelpSize(640, 520);

// A modal dialog blocks every window but its own and their transients, so help asked for from
// one becomes a transient of that dialog and takes input while it is up; once the dialog ends,
// help is a window of its own again. Only that tie changes: the window itself stays, and with
// it the place where the user put it.
void BelongToModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal != nullptr ? modal->windowHandle() : nullptr;
    helpWindow->winId();  // the native window, whose owner is set
    QWindow* help = helpWindow->windowHandle();
    if (help->transientParent() == owner) return;
    help->setTransientParent(owner);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        QObject::connect(dialog, &QDialog::finished, helpWindow, [dialog] {
            QObject::disconnect(dialog, nullptr, helpWindow, nullptr);
            if (helpWindow) BelongToModalDialog();
        });
    }
}

// The window help was asked from: the modal dialog, else the active window.
QWidget* Asker() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    QWidget* active = QApplication::activeWindow();
    return active == helpWindow ? nullptr : active;
}

}  // namespace

void ShowHelpContext(int context) {
    lastContext = context;
    if (!helpWindow) {
        helpWindow = new QTextBrowser;
        helpWindow->setObjectName(QStringLiteral("HelpWindow"));
        helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        // An open help window must not keep the program running once the main window closed.
        helpWindow->setAttribute(Qt::WA_QuitOnClose, false);
        helpWindow->setOpenExternalLinks(true);
    }
    // Placed before its native window exists, which then goes where its frame was put.
    if (!helpWindow->isVisible()) FitOnScreen(helpWindow, HelpSize, Asker(), ScreenPlace::Beside);
    BelongToModalDialog();
    helpWindow->setWindowTitle(QApplication::applicationName() + QStringLiteral(" - Help"));
    if (QFileInfo::exists(helpFile)) {
        QUrl url = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
        url.setFragment(QStringLiteral("context-%1").arg(context));
        // The help file is HTML whatever its extension says.
        helpWindow->document()->setMetaInformation(QTextDocument::DocumentUrl, url.toString());
        helpWindow->setSource(url, QTextDocument::HtmlResource);
    } else {
        helpWindow->setHtml(QStringLiteral("<p>The help file %1 cannot be found.</p>")
                                .arg(helpFile.toHtmlEscaped()));
    }
    helpWindow->show();
    helpWindow->raise();
}

void OfferHelp(QDialog* dialog, int context) {
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        buttons->addButton(QDialogButtonBox::Help);
        QObject::connect(buttons, &QDialogButtonBox::helpRequested,
                         [context] { ShowHelpContext(context); });
    }
    new QShortcut(QKeySequence(Qt::Key_F1), dialog, [context] { ShowHelpContext(context); });
}

}  // namespace tabulist
