#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <cstdint>

namespace tabulist {

// The listing's text view: no wrapping, both scroll bars, the selection stays visible
// without focus, tab stops every 8 average character widths. It keeps the colour
// values it was given as they were given, so that they are stored back unchanged.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    int32_t FontColor() const { return fontColor_; }
    void SetFontColor(int32_t value);
    int32_t BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(int32_t value);

    // The record's font fields of the current font.
    int32_t FontHeight() const;  // -(points x dpi / 72), rounded
    int32_t FontSize() const;    // points
    uint8_t FontStyle() const;   // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    void SetFontStyle(uint8_t style);

    // Appends the lines, each with its line end, in one edit.
    void AppendLines(const QStringList& lines);

protected:
    void changeEvent(QEvent* event) override;

private:
    void ApplyColors();

    int32_t fontColor_;
    int32_t backgroundColor_;
};

}  // namespace tabulist
