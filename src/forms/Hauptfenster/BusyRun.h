#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <cstdint>

#include "forms/Hauptfenster/StatusPanels.h"
#include "listing/ListingEngine.h"

namespace tabulist {

// An export or a comparison while it reads the folder. The window repaints but takes no
// input, so nothing starts a listing or changes the options half-way; Esc (or closing the
// window) stops the run. The status bar says what runs ("exporting ..."), shows the activity
// marks and, in the wide path panel until the run ends, how far it has come ("exporting: 1,024
// entries", or the checksums' bytes, rate and time left).
class BusyRun : public QObject {
public:
    BusyRun(TStatusBar* statusBar, const QString& doing);
    ~BusyRun() override;

    // The run's hooks; they refer to this object.
    ListingHooks hooks();
    bool stopped() const { return stopped_; }
    // "cannot read PATH: MESSAGE" for each folder or file that could not be read.
    const QStringList& unreadable() const { return unreadable_; }
    // Empties the busy and activity panels.
    void clearPanels();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& text);

    TStatusBar* statusBar_;
    QString doing_;
    QString pathPanel_;  // the path panel's text, back at the end
    QElapsedTimer shown_;
    QElapsedTimer started_;
    int64_t entries_ = 0;
    bool checksums_ = false;
    bool stopped_ = false;
    QStringList unreadable_;
};

}  // namespace tabulist
