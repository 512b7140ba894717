#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <ostream>

#include "output/PrintSurface.h"

namespace tabulist::test {

// A printer with fixed metrics that records what is drawn where: every character is
// 10 units wide unless given a width of its own, text is 12 high, the cell 15.
class RecordingDocument : public PrintDocument, public PrintSurface {
public:
    struct Placed {
        int page, x, y;
        QString text;
        bool operator==(const Placed&) const = default;
        friend void PrintTo(const Placed& p, std::ostream* os) {
            *os << "page " << p.page << " (" << p.x << ", " << p.y << ") \"" << p.text.toStdString()
                << '"';
        }
    };

    int width = 200;
    int height = 100;
    int textHeight = 12;
    int cellHeight = 15;
    QHash<char32_t, int> charWidths;
    QList<Placed> placed;
    int pages = 0;
    bool finished = false;
    bool abandoned = false;

    void StartDocument() override { pages = 1; }
    void StartNextPage() override { ++pages; }
    void FinishDocument() override { finished = true; }
    void AbandonDocument() override { abandoned = true; }
    int PrintableWidth() override { return width; }
    int PrintableHeight() override { return height; }
    PrintSurface& Surface() override { return *this; }

    QSize TextExtent(QStringView text) override {
        int w = 0;
        for (char32_t c : text.toUcs4()) w += charWidths.value(c, 10);
        return {w, textHeight};
    }
    int AverageCharWidth() override { return 10; }
    int CellHeight() override { return cellHeight; }
    void TextOut(int x, int y, QStringView text) override {
        placed.append({pages, x, y, text.toString()});
    }
};

}  // namespace tabulist::test
