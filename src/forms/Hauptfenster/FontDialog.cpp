#include "forms/Hauptfenster/FontDialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPixmap>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

#include "forms/Hauptfenster/ColorValues.h"
#include "forms/Help.h"

namespace tabulist {
namespace {

constexpr int HelpContext = 5;

struct NamedColor {
    const char* name;
    int32_t value;  // 0x00BBGGRR
};

constexpr NamedColor TextColors[16] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

struct StyleChoice {
    bool bold;
    bool italic;
    const char* fallbackName;
};

constexpr StyleChoice Styles[4] = {{false, false, "Regular"},
                                   {false, true, "Italic"},
                                   {true, false, "Bold"},
                                   {true, true, "Bold Italic"}};

// The face's own name for a style, preferring the plain weights over light or heavy ones.
QString StyleName(const QString& family, const StyleChoice& choice) {
    QString found;
    for (const QString& style : QFontDatabase::styles(family)) {
        // Oblique faces count as italic: the record knows only the one slant.
        const bool slanted = QFontDatabase::font(family, style, 10).style() != QFont::StyleNormal;
        if (slanted != choice.italic) continue;
        const int weight = QFontDatabase::weight(family, style);
        if ((weight >= QFont::DemiBold) != choice.bold) continue;
        if (weight == (choice.bold ? QFont::Bold : QFont::Normal)) return style;
        if (found.isEmpty()) found = style;
    }
    return found.isEmpty() ? QString::fromLatin1(choice.fallbackName) : found;
}

QIcon Swatch(const QColor& color) {
    QPixmap picture(12, 12);
    picture.fill(color);
    return QIcon(picture);
}

double PointSize(const QFont& font, const QWidget* widget) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() * 72.0 / widget->logicalDpiY();
}

}  // namespace

int32_t StandardTextColor(int k) { return TextColors[k].value; }

TFontDialog::TFontDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Font"));
    FaceBox = new QComboBox(this);
    FaceBox->setObjectName(QStringLiteral("FaceBox"));
    FaceBox->addItems(QFontDatabase::families());
    StyleBox = new QComboBox(this);
    StyleBox->setObjectName(QStringLiteral("StyleBox"));
    SizeBox = new QComboBox(this);
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    SizeBox->setEditable(true);
    for (int size : QFontDatabase::standardSizes()) SizeBox->addItem(QString::number(size));

    auto* effects = new QGroupBox(QStringLiteral("Effects"), this);
    StrikeOutBox = new QCheckBox(QStringLiteral("Stri&keout"), effects);
    UnderlineBox = new QCheckBox(QStringLiteral("&Underline"), effects);
    ColorBox = new QComboBox(effects);
    ColorBox->setObjectName(QStringLiteral("ColorBox"));
    for (const NamedColor& c : TextColors)
        ColorBox->addItem(Swatch(ColorFromValue(c.value, palette())), QString::fromLatin1(c.name),
                          c.value);
    auto* colorLabel = new QLabel(QStringLiteral("&Color:"), effects);
    colorLabel->setBuddy(ColorBox);
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(StrikeOutBox);
    effectsLayout->addWidget(UnderlineBox);
    effectsLayout->addWidget(colorLabel);
    effectsLayout->addWidget(ColorBox);

    auto* sampleBox = new QGroupBox(QStringLiteral("Sample"), this);
    Sample = new QLabel(QStringLiteral("AaBbYyZz"), sampleBox);
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setMinimumSize(160, 60);
    Sample->setAutoFillBackground(true);
    (new QVBoxLayout(sampleBox))->addWidget(Sample);

    Buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);

    auto* grid = new QGridLayout(this);
    const char* captions[] = {"&Font:", "Font st&yle:", "&Size:"};
    QComboBox* boxes[] = {FaceBox, StyleBox, SizeBox};
    for (int k = 0; k < 3; ++k) {
        auto* label = new QLabel(QString::fromLatin1(captions[k]), this);
        label->setBuddy(boxes[k]);
        grid->addWidget(label, 0, k);
        grid->addWidget(boxes[k], 1, k);
    }
    grid->addWidget(effects, 2, 0);
    grid->addWidget(sampleBox, 2, 1, 1, 2);
    grid->addWidget(Buttons, 3, 0, 1, 3);
    grid->setColumnStretch(0, 2);

    connect(FaceBox, &QComboBox::activated, this, [this] {
        font_.setFamily(FaceBox->currentText());
        FillStyles();
        ShowSample();
    });
    connect(StyleBox, &QComboBox::activated, this, [this](int k) {
        font_.setBold(Styles[k].bold);
        font_.setItalic(Styles[k].italic);
        ShowSample();
    });
    connect(SizeBox, &QComboBox::textActivated, this, &TFontDialog::SizeEdited);
    connect(SizeBox, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (SizeBox->lineEdit()->isModified()) SizeEdited(text);
    });
    connect(StrikeOutBox, &QCheckBox::clicked, this, [this](bool on) {
        font_.setStrikeOut(on);
        ShowSample();
    });
    connect(UnderlineBox, &QCheckBox::clicked, this, [this](bool on) {
        font_.setUnderline(on);
        ShowSample();
    });
    connect(ColorBox, &QComboBox::activated, this, &TFontDialog::ShowSample);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpContext(HelpContext); });
    new QShortcut(QKeySequence(Qt::Key_F1), this, [] { ShowHelpContext(HelpContext); });
}

void TFontDialog::setCurrentFont(const QFont& font) {
    font_ = font;
    const QString family = font.family();
    int face = FaceBox->findText(family, Qt::MatchFixedString);
    if (face < 0) {
        // A face that is not installed (a stored name from elsewhere) stays selectable.
        FaceBox->insertItem(0, family);
        face = 0;
    }
    FaceBox->setCurrentIndex(face);
    FillStyles();
    const double size = PointSize(font, this);
    SizeBox->setEditText(QString::number(std::round(size * 10) / 10));
    SizeBox->lineEdit()->setModified(false);
    StrikeOutBox->setChecked(font.strikeOut());
    UnderlineBox->setChecked(font.underline());
    ShowSample();
}

void TFontDialog::setCurrentColorValue(int32_t value) {
    if (ColorBox->count() > 16) ColorBox->removeItem(16);
    int index = ColorBox->findData(value);
    if (index < 0) {
        ColorBox->addItem(
            Swatch(ColorFromValue(value, palette())),
            value == clWindowText ? QStringLiteral("Window text") : QStringLiteral("Custom"),
            value);
        index = 16;
    }
    ColorBox->setCurrentIndex(index);
    ShowSample();
}

int32_t TFontDialog::selectedColorValue() const { return ColorBox->currentData().toInt(); }

// The style list of the chosen face; the selection follows the font's bold and italic.
void TFontDialog::FillStyles() {
    StyleBox->clear();
    int current = 0;
    for (int k = 0; k < 4; ++k) {
        StyleBox->addItem(StyleName(font_.family(), Styles[k]));
        if (Styles[k].bold == font_.bold() && Styles[k].italic == font_.italic()) current = k;
    }
    StyleBox->setCurrentIndex(current);
}

void TFontDialog::SizeEdited(const QString& text) {
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (!ok || size <= 0) return;
    font_.setPointSizeF(size);
    ShowSample();
}

void TFontDialog::ShowSample() {
    Sample->setFont(font_);
    QPalette p = Sample->palette();
    p.setColor(QPalette::WindowText, ColorFromValue(selectedColorValue(), QPalette()));
    Sample->setPalette(p);
}

}  // namespace tabulist
