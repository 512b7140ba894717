// The help file and the help window that shows one of its sections.
#include "forms/Help.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

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

// A modal dialog blocks every window but its own, so help asked for from one becomes a window
// of that dialog; when the dialog ends, help stays open as a window of its own.
void BelongToModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == helpWindow->parentWidget()) return;
    const bool shown = helpWindow->isVisible();
    const QRect place = helpWindow->geometry();
    helpWindow->setParent(modal, Qt::Window);
    helpWindow->setGeometry(place);
    if (shown) helpWindow->show();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        QObject::connect(dialog, &QDialog::finished, helpWindow, [] {
            if (!helpWindow) return;
            QObject::disconnect(helpWindow->parentWidget(), nullptr, helpWindow, nullptr);
            BelongToModalDialog();
        });
    }
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
        helpWindow->resize(640, 520);
    }
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

}  // namespace tabulist
