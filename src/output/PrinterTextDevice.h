#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

#include "output/PrintSurface.h"

namespace tabulist {

// Lays text out line by line on the pages of a printer: line ends, tab stops, form feeds,
// lines broken at the last character that fits, pages ended when two lines no longer fit.
class PrinterTextDevice {
public:
    static constexpr int BufferSize = 128;

    // Binds a closed device to the printer (the process's printer when none is given).
    explicit PrinterTextDevice(PrintDocument& printer);
    PrinterTextDevice();

    // Starts a document; its errors leave the device closed.
    void Open();
    void Write(QStringView text);
    // The text, then CR LF, then a flush.
    void WriteLine(QStringView line);
    void Flush();
    // Flushes and finishes the document.
    void Close();
    // Drops what is buffered and discards the document.
    void Abandon();

    bool IsOpen() const { return open_; }
    int32_t PosX() const { return posX_; }
    int32_t PosY() const { return posY_; }
    int32_t LineHeight() const { return lineHeight_; }

private:
    void LayoutChunk(QStringView chunk);
    void PlaceRun(QStringView run);
    void AdvanceLine();
    void AdvancePage();
    // How many units of the run's head fit from PosX on, whole characters only.
    qsizetype FittingLength(QStringView run, QSize& extent);

    PrintDocument& printer_;
    bool open_ = false;
    QString buffer_;
    int32_t posX_ = 0;
    int32_t posY_ = 0;
    int32_t pageWidth_ = 0;
    int32_t pageHeight_ = 0;
    int32_t lineHeight_ = 0;
};

}  // namespace tabulist
