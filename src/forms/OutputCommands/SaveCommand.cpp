// BitBtn2Click: saving the text view's text under a chosen name.
#include "forms/OutputCommands/SaveCommand.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "forms/Help.h"
#include "output/ListingFile.h"

namespace tabulist {

namespace {

QString ShowSaveDialog1(QWidget* parent, const QString& proposedName) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Our own dialog, so that it carries the Help button; no question before replacing.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    // The pattern matches whatever the case of the extension: "LIST.TXT" is a text file too.
    dialog.setNameFilter(QStringLiteral("Textdateien (*.[Tt][Xx][Tt])"));
    dialog.selectFile(proposedName);
    OfferHelp(&dialog, 7);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::function<QString(QWidget*, const QString&)> SaveCommand::chooseFileName = ShowSaveDialog1;

void SaveCommand::Run(QWidget* parent, const QString& memoText,
                      const std::function<void(const QString&)>& panel1) {
    const QString chosen = chooseFileName(parent, fileName_);
    if (chosen.isEmpty()) return;
    fileName_ = chosen;
    panel1(QStringLiteral("Daten speichern ..."));
    QCoreApplication::processEvents();  // the status text is painted before the file is written
    WriteListingFile(fileName_, ListingFileBytes(memoText));
    panel1(QString());
}

}  // namespace tabulist
