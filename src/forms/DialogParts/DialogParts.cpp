// The bevel panel, glyph buttons, font and frame that the dialogs share.
#include "forms/DialogParts/DialogParts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>

// The glyphs live in a static library, whose resources are not registered on their own.
static void InitDialogResources() { Q_INIT_RESOURCE(DialogGlyphs); }

namespace tabulist {

TBevelPanel::TBevelPanel(QWidget* parent, Bevel outer, Bevel inner, int bevelWidth, int borderWidth)
    : QWidget(parent),
      outer_(outer),
      inner_(inner),
      bevelWidth_(bevelWidth),
      borderWidth_(borderWidth) {
    setAutoFillBackground(true);
}

void TBevelPanel::setColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

namespace {

// Light top and left edges look raised, dark ones lowered.
void drawBevel(QPainter& painter, QRect& rect, TBevelPanel::Bevel bevel, int width,
               const QPalette& palette) {
    if (bevel == TBevelPanel::None) return;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor& topLeft = bevel == TBevelPanel::Raised ? light : dark;
    const QColor& bottomRight = bevel == TBevelPanel::Raised ? dark : light;
    for (int i = 0; i < width; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
        rect.adjust(1, 1, -1, -1);
    }
}

}  // namespace

void TBevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect rect = this->rect();
    drawBevel(painter, rect, outer_, bevelWidth_, palette());
    rect.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    drawBevel(painter, rect, inner_, bevelWidth_, palette());
}

void EnsureDialogResources() {
    static const bool ready = (InitDialogResources(), true);
    (void)ready;
}

QFont DialogFont() {
    QFont font;
    // The layout was drawn for a narrow face; where it is missing a condensed one keeps
    // the captions inside their controls.
    if (QFontDatabase::families().contains(QStringLiteral("MS Sans Serif")))
        font.setFamily(QStringLiteral("MS Sans Serif"));
    else
        font.setStretch(QFont::Condensed);
    font.setPointSize(8);
    return font;
}

QPushButton* MakeBitBtn(QWidget* parent, const QString& caption, const QString& glyph, int left,
                        int top, int width, int height) {
    auto* button = new QPushButton(caption, parent);
    if (!glyph.isEmpty()) button->setIcon(QIcon(glyph));
    button->setGeometry(left, top, width, height);
    return button;
}

void MakeFixedDialog(QWidget* dialog, const QString& caption, int clientWidth, int clientHeight) {
    EnsureDialogResources();
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(clientWidth, clientHeight);
    dialog->setFont(DialogFont());
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->geometry().center());
    window->move(frame.topLeft());
}

}  // namespace tabulist
