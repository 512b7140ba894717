#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <cstdint>

namespace tabulist {

// The font dialog of the text view: face, style, size, underline, strike-out and
// the text colour, with a sample. It starts from exactly the font it is given: a
// control the user leaves alone leaves its part of the font as it was, so OK without
// a change hands back the same font. Styles are the four the settings record can
// hold (regular, italic, bold, bold italic), named as the face names them.
class TFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontDialog(QWidget* parent = nullptr);

    void setCurrentFont(const QFont& font);
    QFont selectedFont() const { return font_; }
    // A colour value as the record stores it (direct or system colour).
    void setCurrentColorValue(int32_t value);
    int32_t selectedColorValue() const;

    QComboBox* FaceBox;
    QComboBox* StyleBox;
    QComboBox* SizeBox;
    QCheckBox* StrikeOutBox;
    QCheckBox* UnderlineBox;
    QComboBox* ColorBox;
    QLabel* Sample;
    QDialogButtonBox* Buttons;

private:
    void FillStyles();
    void SizeEdited(const QString& text);
    void ShowSample();

    QFont font_;
};

// The colour value of item k (0 to 15) of the colour list: the usual 16 text colours.
int32_t StandardTextColor(int k);

}  // namespace tabulist
