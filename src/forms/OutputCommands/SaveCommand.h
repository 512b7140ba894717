#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tabulist {

// Saving the text view's text. Holds SaveDialog1's state: the name chosen last is
// proposed again.
class SaveCommand {
public:
    // Asks for the name, shows "Daten speichern ..." through panel1, writes the text with
    // CR LF line ends and clears panel1. Errors leave the status text standing.
    void Run(QWidget* parent, const QString& memoText,
             const std::function<void(const QString&)>& panel1);

    QString FileName() const { return fileName_; }

    // Shows SaveDialog1 and returns the chosen name, or an empty one when cancelled.
    // Tests put their own answer here.
    static std::function<QString(QWidget* parent, const QString& proposedName)> chooseFileName;

private:
    QString fileName_ = QStringLiteral("Tabulist.TXT");
};

}  // namespace tabulist
