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

// A modal dialog blocks every window but its own, so help asked for from one becomes a window
// of that dialog; when the dialog ends, help stays open as a window of its own. Help that is
// on screen keeps its place and size through the change: its position includes the frame,
// where the user put the title bar.
void BelongToModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == helpWindow->parentWidget()) return;
    const bool shown = helpWindow->isVisible();
    const QPoint place = helpWindow->pos();
    const QSize size = helpWindow->size();
    helpWindow->setParent(modal, Qt::Window);
    if (shown) {
        helpWindow->resize(size);
        helpWindow->move(place);
        helpWindow->show();
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        QObject::connect(dialog, &QDialog::finished, helpWindow, [] {
            if (!helpWindow) return;
            QObject::disconnect(helpWindow->parentWidget(), nullptr, helpWindow, nullptr);
            BelongToModalDialog();
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
    BelongToModalDialog();
    if (!helpWindow->isVisible()) FitOnScreen(helpWindow, HelpSize, Asker(), ScreenPlace::Beside);
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
