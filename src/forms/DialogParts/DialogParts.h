#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tabulist {

// A panel with an outer and an inner bevel and a border between them, filled with its
// background colour.
class TBevelPanel : public QWidget {
    Q_OBJECT

public:
    enum Bevel { None, Lowered, Raised };

    TBevelPanel(QWidget* parent, Bevel outer, Bevel inner, int bevelWidth, int borderWidth);
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel outer_;
    Bevel inner_;
    int bevelWidth_;
    int borderWidth_;
};

// Registers the shared button glyphs; anything that loads them calls this first.
void EnsureDialogResources();

// The dialogs' face, "MS Sans Serif" 8 point where it exists, a narrow sans serif elsewhere.
QFont DialogFont();

// A push button with a glyph from the resources, at its place in its parent.
QPushButton* MakeBitBtn(QWidget* parent, const QString& caption, const QString& glyph, int left,
                        int top, int width, int height);

// A fixed-size dialog frame: title, system menu and close box, nothing to resize with.
void MakeFixedDialog(QWidget* dialog, const QString& caption, int clientWidth, int clientHeight);

void CentreOnScreen(QWidget* window);

}  // namespace tabulist
