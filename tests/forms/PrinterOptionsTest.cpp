#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "forms/OutputCommands/PrinterOptions.h"
#include "output/TPrinter.h"

namespace tabulist {
namespace {

QPageLayout CurrentLayout() {
    QPrinter settings;
    Printer().LoadSettingsInto(settings);
    return settings.pageLayout();
}

// Answers the set-up dialog once it is open: landscape and A5, then the given button.
void AnswerSetupDialog(QDialogButtonBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "PrinterSetupDialog1");
        for (auto* radio : dialog->findChildren<QRadioButton*>())
            if (radio->text() == "Landscape") radio->setChecked(true);
        for (auto* combo : dialog->findChildren<QComboBox*>()) {
            const int a5 = combo->findText("A5");
            if (a5 >= 0) combo->setCurrentIndex(a5);
        }
        dialog->findChild<QDialogButtonBox*>()->button(button)->click();
    });
}

TEST(PrinterOptions, ConfirmingTheDialogMakesItsChoiceCurrent) {
    QPrinter portrait;
    portrait.setOutputFormat(QPrinter::PdfFormat);
    portrait.setPageOrientation(QPageLayout::Portrait);
    portrait.setPageSize(QPageSize(QPageSize::A4));
    Printer().SetPrinter(portrait);

    AnswerSetupDialog(QDialogButtonBox::Cancel);
    PrinterOptionsCommand(nullptr);
    EXPECT_EQ(CurrentLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(CurrentLayout().pageSize().id(), QPageSize::A4);

    AnswerSetupDialog(QDialogButtonBox::Ok);
    PrinterOptionsCommand(nullptr);
    EXPECT_EQ(CurrentLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(CurrentLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(Printer().CurrentDevice().Device, TPrinter::PdfPrinterName);
}

// Opens the set-up dialog, picks the paper of that name (none: leaves it) and confirms;
// returns the paper the dialog showed first.
QString ConfirmPaper(const QString& name) {
    QString shown;
    QTimer::singleShot(0, [&shown, name] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* paper = dialog->findChild<QComboBox*>("PaperSize");
        ASSERT_NE(paper, nullptr);
        shown = paper->currentText();
        if (!name.isEmpty()) paper->setCurrentIndex(paper->findText(name));
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    PrinterOptionsCommand(nullptr);
    return shown;
}

TEST(PrinterOptions, EveryStandardPaperForThePdfPrinterAndTheChoiceKept) {
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    Printer().SetPrinter(pdf);

    const QString envelope = QPageSize::name(QPageSize::C5E);
    EXPECT_EQ(ConfirmPaper(envelope), "A4");
    EXPECT_EQ(CurrentLayout().pageSize().id(), QPageSize::C5E);
    // Confirmed again unchanged, the envelope stays an envelope.
    EXPECT_EQ(ConfirmPaper(QString()), envelope);
    EXPECT_EQ(CurrentLayout().pageSize().id(), QPageSize::C5E);
    EXPECT_EQ(ConfirmPaper(QPageSize::name(QPageSize::JisB5)), envelope);
    EXPECT_EQ(CurrentLayout().pageSize().id(), QPageSize::JisB5);
}

}  // namespace
}  // namespace tabulist
