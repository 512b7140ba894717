#pragma once

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include "forms/Hauptfenster/Hauptfenster.h"
#include "settings/SavedOptions.h"
#include "support/Events.h"
#include "support/Fixture.h"

namespace tabulist::test {

// The messages the default error display would have shown, in order.
QStringList& ShownErrors();

// A record as the settings file holds it, with the options a test starts from.
TSavedOptions DefaultRecord();

// The window set started against a temporary program directory (holding the given
// record, or none) and a temporary working directory with a few entries. Start-up runs
// on a fixed clock unless the test sets its own before calling Start.
class WindowTest {
public:
    WindowTest();
    ~WindowTest();

    void Start(const TSavedOptions* record);  // nullptr: no settings file
    void Show();                              // shows the window and waits until active
    void StartShown();                        // both, from the default record

    THaupt& window() const { return *window_; }
    Fixture& files() { return files_; }
    QString programDirectory() const { return programDir_.path() + QLatin1Char('/'); }
    QString listedDirectory() const { return files_.rootText(); }

private:
    WorkingDirectoryGuard workingDirectory_;
    QTemporaryDir programDir_;
    Fixture files_;
    THaupt* window_ = nullptr;
};

// The ".." line carries the time of the shared temporary directory, which other
// programs change at any moment; comparisons leave it out.
QString WithoutParentLine(QString text);

// What the text view must hold after listing directory with the controls as they stand:
// the engine's lines, each with its line end, the ".." line left out.
QString ExpectedListing(THaupt& w, const QString& directory);

}  // namespace tabulist::test
