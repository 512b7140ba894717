// Text of any content through the printer text device on pages and fonts of any size:
// the layout must end, draw every printable character exactly once, in order, and keep
// its positions on the page.
#include <QList>
#include <QString>
#include <cstdint>
#include <cstring>

#include "output/PrinterTextDevice.h"

namespace {

// Fixed-pitch surface: each character as wide as the fuzzer says, its cell as high.
class FixedSurface : public tabulist::PrintSurface {
public:
    int charWidth = 1, cellHeight = 1;
    QString drawn;
    bool badPosition = false;
    int pageWidth = 0;

    QSize TextExtent(QStringView text) override {
        return {int(text.size()) * charWidth, text.isEmpty() ? 0 : cellHeight};
    }
    int AverageCharWidth() override { return charWidth; }
    int CellHeight() override { return cellHeight; }
    void TextOut(int x, int y, QStringView text) override {
        if (x < 0 || y < 0 || (x > 0 && x + TextExtent(text).width() > pageWidth))
            badPosition = true;
        drawn += text;
    }
};

class Document : public tabulist::PrintDocument {
public:
    int width = 0, height = 0;
    int pages = 0;
    bool open = false;
    FixedSurface surface;
    void StartDocument() override { open = true, pages = 1; }
    void StartNextPage() override {
        if (!open) __builtin_trap();
        ++pages;
    }
    void FinishDocument() override { open = false; }
    void AbandonDocument() override { open = false; }
    int PrintableWidth() override { return width; }
    int PrintableHeight() override { return height; }
    tabulist::PrintSurface& Surface() override { return surface; }
};

uint16_t Take16(const uint8_t*& data, size_t& size) {
    uint16_t v = 0;
    if (size >= 2) {
        std::memcpy(&v, data, 2);
        data += 2;
        size -= 2;
    }
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Document document;
    // Page and font sizes in device units, as large as a poster at high resolution.
    document.width = Take16(data, size) % 20000;
    document.height = Take16(data, size) % 30000;
    document.surface.charWidth = Take16(data, size) % 600;
    document.surface.cellHeight = Take16(data, size) % 600;
    document.surface.pageWidth = document.width;
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));

    tabulist::PrinterTextDevice device(document);
    device.Open();
    // Lines as the print command writes them, split where the text has line feeds.
    for (const QStringView line : QStringView(text).split(u'\n')) device.WriteLine(line);
    device.Close();

    QString expected = text;
    expected.remove(QChar(9)).remove(QChar(10)).remove(QChar(12)).remove(QChar(13));
    if (document.surface.drawn != expected) __builtin_trap();
    if (document.surface.badPosition || document.open) __builtin_trap();
    return 0;
}
