#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "listing/Checksums.h"
#include "listing/ListingOptions.h"
#include "listing/formats/DataFormats.h"
#include "settings/SavedOptions.h"

namespace tabulist {

// A malformed command line; the message names the bad option or value.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// A date as given, not yet checked against the calendar (2001-02-31 is accepted here and
// fails when the filter first needs it, as in the window).
struct DayMonthYear {
    int year = 0;
    int month = 0;
    int day = 0;
};

struct CliArguments {
    enum class Action { List, Help, Version };
    Action action = Action::List;
    QString directory;     // empty: the working directory
    QString settingsFile;  // empty: no settings file
    bool lf = false;
    std::optional<DataFormat> format;  // none: the text listing
    QString output;                    // --output: the file written; empty: standard output
    QStringList given;                 // the options given, in command-line order
    std::optional<DayMonthYear> from;
    std::optional<DayMonthYear> to;
    std::optional<ChecksumAlgorithm> checksum;  // --checksum
    QString catalogue;                          // --compare: the catalogue to compare with
    // The flags in command-line order, applied after the settings file.
    std::vector<std::function<void(ListingOptions&)>> edits;
};

// Parses the arguments after the program name; throws UsageError.
CliArguments ParseCliArguments(const QStringList& args);

// The options of a listing: defaults, then the record (if any), then the flags; a date
// limit not given is today.
ListingOptions ComposeOptions(const CliArguments& arguments, const TSavedOptions* record,
                              QDate today);

QString CliUsageText();

// The options given that the data format ignores, each once; empty for the text listing.
QStringList IgnoredOptions(const CliArguments& arguments);

}  // namespace tabulist
