#pragma once

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

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

    // The entries' times (and the listed folder's own), so that listings read the same on
    // every run; a test that adds entries stamps them again.
    void StampFixedTimes();

    THaupt& window() const { return *window_; }
    Fixture& files() { return files_; }
    QString programDirectory() const { return programDir_.path() + QLatin1Char('/'); }
    QString listedDirectory() const { return files_.rootText(); }

private:
    WorkingDirectoryGuard workingDirectory_;
    std::string savedTimeLocale_;
    QTemporaryDir programDir_;
    Fixture files_;
    THaupt* window_ = nullptr;
};

// The ".." line carries the time of the shared temporary directory, which other
// programs change at any moment; comparisons leave it out.
QString WithoutParentLine(QString text);

// The listing of the working directory's files with the default record, ".." left out.
inline const QString DefaultListing = QStringLiteral(
    "[.]                            \t\t        0\t06/15/21 09:30:00\n"
    "alpha.txt                      \tA \t       10\t05/01/01 13:04:06\n"
    "beta.dat                       \tA \t     2000\t12/31/99 23:59:58\n"
    "[sub]                          \t\t        0\t03/01/20 12:00:00\n"
    "\n"
    "founded files:                \t2\n"
    "founded directories:\t3\n");

// The window lists again with its controls as they stand, nothing else running, and the
// text view's text is returned without the ".." line: what a listing disturbed by other
// requests must have come to.
QString UndisturbedListing(THaupt& w);

}  // namespace tabulist::test
