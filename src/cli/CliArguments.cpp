// tabulist-list's command line: parsing, composing the listing options, the usage text.
#include "cli/CliArguments.h"

#include <QRegularExpression>
#include <map>

#include "settings/RecordListingOptions.h"

namespace tabulist {

namespace {

using Edit = std::function<void(ListingOptions&)>;

int UnitIndex(const QString& option, const QString& value) {
    static const QStringList units = {"bytes", "kbytes", "mbytes", "gbytes"};
    const int index = units.indexOf(value);
    if (index < 0) {
        throw UsageError(QStringLiteral("invalid unit '%1' for %2 (bytes, kbytes, mbytes, gbytes)")
                             .arg(value, option));
    }
    return index;
}

int ClassIndex(const QString& value) {
    static const QStringList classes = {"all", "archive", "read-only", "system"};
    const int index = classes.indexOf(value);
    if (index < 0) {
        throw UsageError(
            QStringLiteral("invalid class '%1' for --class (all, archive, read-only, system)")
                .arg(value));
    }
    return index;
}

int ColumnCount(const QString& value) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < 1 || n > 6) {
        throw UsageError(
            QStringLiteral("invalid column count '%1' for --columns (1 to 6)").arg(value));
    }
    return n;
}

// The index of value in choices, or a usage error naming them.
int ChoiceIndex(const QString& option, const QString& value, const QStringList& choices) {
    const int index = choices.indexOf(value);
    if (index < 0) {
        throw UsageError(QStringLiteral("invalid value '%1' for %2 (%3)")
                             .arg(value, option, choices.join(QStringLiteral(", "))));
    }
    return index;
}

DayMonthYear ParseDay(const QString& option, const QString& value) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(value);
    const auto invalid = [&] {
        return UsageError(QStringLiteral("invalid date '%1' for %2 (YYYY-MM-DD, years 1980 to "
                                         "2099)")
                              .arg(value, option));
    };
    if (!match.hasMatch()) throw invalid();
    const DayMonthYear date{match.captured(1).toInt(), match.captured(2).toInt(),
                            match.captured(3).toInt()};
    if (date.year < 1980 || date.year > 2099 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > 31) {
        throw invalid();
    }
    return date;
}

const std::map<QString, Edit>& Switches() {
    static const std::map<QString, Edit> switches = {
        {"--no-attributes", [](ListingOptions& o) { o.showAttributes = false; }},
        {"--no-size", [](ListingOptions& o) { o.showSize = false; }},
        {"--no-date", [](ListingOptions& o) { o.showDate = false; }},
        {"--unit-suffix", [](ListingOptions& o) { o.showUnit = true; }},
        {"--hidden", [](ListingOptions& o) { o.showHidden = true; }},
        {"--drive-name", [](ListingOptions& o) { o.headerDriveName = true; }},
        {"--drive-info", [](ListingOptions& o) { o.headerDriveInfo = true; }},
        {"--drive-percent", [](ListingOptions& o) { o.headerDrivePercent = true; }},
        {"--path", [](ListingOptions& o) { o.headerPath = true; }},
        {"--file-count", [](ListingOptions& o) { o.footerFileCount = true; }},
        {"--total-size", [](ListingOptions& o) { o.footerTotalSize = true; }},
        {"--total-percent", [](ListingOptions& o) { o.footerPercent = true; }},
        {"--reverse", [](ListingOptions& o) { o.order.descending = true; }},
        {"--recursive", [](ListingOptions& o) { o.subfolders = true; }},
        {"--one-file-system", [](ListingOptions& o) { o.oneFileSystem = true; }},
        {"--folder-totals", [](ListingOptions& o) { o.folderTotals = true; }},
    };
    return switches;
}

const QStringList& ValueOptions() {
    static const QStringList options = {"--mask",     "--columns",  "--unit",       "--class",
                                        "--from",     "--to",       "--drive-unit", "--total-unit",
                                        "--settings", "--format",   "--sort",       "--depth",
                                        "--output",   "--checksum", "--compare"};
    return options;
}

void TakeValue(CliArguments& result, const QString& option, const QString& value) {
    if (option == QLatin1String("--mask")) {
        result.edits.push_back([value](ListingOptions& o) { o.maskText = value; });
    } else if (option == QLatin1String("--columns")) {
        const int n = ColumnCount(value);
        result.edits.push_back([n](ListingOptions& o) { o.columnIndex = n - 1; });
    } else if (option == QLatin1String("--unit")) {
        const int unit = UnitIndex(option, value);
        result.edits.push_back([unit](ListingOptions& o) { o.sizeUnitIndex = unit; });
    } else if (option == QLatin1String("--drive-unit")) {
        const int unit = UnitIndex(option, value);
        result.edits.push_back([unit](ListingOptions& o) { o.driveInfoUnit = unit; });
    } else if (option == QLatin1String("--total-unit")) {
        const int unit = UnitIndex(option, value);
        result.edits.push_back([unit](ListingOptions& o) { o.totalSizeUnit = unit; });
    } else if (option == QLatin1String("--class")) {
        const int index = ClassIndex(value);
        result.edits.push_back([index](ListingOptions& o) { o.attributeClass = index; });
    } else if (option == QLatin1String("--from")) {
        result.from = ParseDay(option, value);
    } else if (option == QLatin1String("--to")) {
        result.to = ParseDay(option, value);
    } else if (option == QLatin1String("--format")) {
        QStringList choices = {QStringLiteral("text")};
        for (const DataFormatRow& row : DataFormats()) choices << QLatin1String(row.name);
        const int index = ChoiceIndex(option, value, choices);
        result.format.reset();
        if (index > 0) result.format = DataFormats()[index - 1].format;
    } else if (option == QLatin1String("--sort")) {
        const auto key = SortKey(ChoiceIndex(option, value, {"name", "extension", "size", "date"}));
        result.edits.push_back([key](ListingOptions& o) { o.order.key = key; });
    } else if (option == QLatin1String("--depth")) {
        bool ok = false;
        const int depth = value.toInt(&ok);
        if (!ok || depth < 0)
            throw UsageError(
                QStringLiteral("invalid depth '%1' for --depth (0 or more)").arg(value));
        result.edits.push_back([depth](ListingOptions& o) {
            o.subfolders = true;
            o.depth = depth;
        });
    } else if (option == QLatin1String("--checksum")) {
        result.checksum = ChecksumNamed(value);
        if (!result.checksum) ChoiceIndex(option, value, {"sha256", "md5", "xxh128"});
    } else if (option == QLatin1String("--compare")) {
        if (value.isEmpty()) throw UsageError(QStringLiteral("--compare needs a catalogue file"));
        result.catalogue = value;
    } else if (option == QLatin1String("--output")) {
        if (value.isEmpty()) throw UsageError(QStringLiteral("--output needs a file name"));
        result.output = value;
    } else if (option == QLatin1String("--settings")) {
        if (value.isEmpty()) throw UsageError(QStringLiteral("--settings needs a file name"));
        result.settingsFile = value;
    }
}

}  // namespace

CliArguments ParseCliArguments(const QStringList& args) {
    CliArguments result;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            if (!result.directory.isEmpty()) {
                throw UsageError(QStringLiteral("more than one directory given ('%1' and '%2')")
                                     .arg(result.directory, arg));
            }
            if (arg.isEmpty()) throw UsageError(QStringLiteral("empty directory name"));
            result.directory = arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString option = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0 && arg.startsWith("--")) {
            option = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        result.given << option;
        if (ValueOptions().contains(option)) {
            if (inlineValue) {
                TakeValue(result, option, *inlineValue);
            } else if (i + 1 < args.size()) {
                TakeValue(result, option, args[++i]);
            } else {
                throw UsageError(QStringLiteral("option '%1' needs a value").arg(option));
            }
            continue;
        }
        if (inlineValue) {
            throw UsageError(QStringLiteral("option '%1' takes no value").arg(option));
        }
        if (const auto it = Switches().find(option); it != Switches().end()) {
            result.edits.push_back(it->second);
        } else if (option == QLatin1String("--lf")) {
            result.lf = true;
        } else if (option == QLatin1String("--help")) {
            result.action = CliArguments::Action::Help;
        } else if (option == QLatin1String("--version")) {
            if (result.action != CliArguments::Action::Help) {
                result.action = CliArguments::Action::Version;
            }
        } else {
            throw UsageError(QStringLiteral("unknown option '%1'").arg(option));
        }
    }
    if (result.action == CliArguments::Action::List && result.format &&
        DataFormatOf(*result.format).binary && result.output.isEmpty()) {
        throw UsageError(QStringLiteral("--format %1 writes a binary file, not to standard "
                                        "output: give the file with --output FILE")
                             .arg(QLatin1String(DataFormatOf(*result.format).name)));
    }
    if (!result.catalogue.isEmpty() && result.format && result.format != DataFormat::Csv &&
        result.format != DataFormat::Json)
        throw UsageError(QStringLiteral("--compare reports in text, csv or json"));
    return result;
}

ListingOptions ComposeOptions(const CliArguments& arguments, const TSavedOptions* record,
                              QDate today) {
    ListingOptions options;
    if (record) ApplyOptionsRecord(*record, options);
    for (const auto& edit : arguments.edits) edit(options);
    options.checksum = arguments.checksum;
    if (arguments.from || arguments.to) {
        const DayMonthYear now{today.year(), today.month(), today.day()};
        const DayMonthYear from = arguments.from.value_or(now);
        const DayMonthYear to = arguments.to.value_or(now);
        options.dateFilter = true;
        options.startYearIndex = from.year - 1980;
        options.startMonthIndex = from.month - 1;
        options.startDayIndex = from.day - 1;
        options.stopYearIndex = to.year - 1980;
        options.stopMonthIndex = to.month - 1;
        options.stopDayIndex = to.day - 1;
    }
    return options;
}

QStringList IgnoredOptions(const CliArguments& arguments) {
    if (!arguments.format) return {};
    static const std::map<QString, unsigned> needs = {{"--lf", HonoursLineEnds},
                                                      {"--columns", HonoursColumns},
                                                      {"--unit", HonoursSizeUnit},
                                                      {"--drive-name", HonoursReportLines},
                                                      {"--drive-info", HonoursReportLines},
                                                      {"--drive-percent", HonoursReportLines},
                                                      {"--path", HonoursReportLines},
                                                      {"--file-count", HonoursReportLines},
                                                      {"--total-size", HonoursReportLines},
                                                      {"--total-percent", HonoursReportLines},
                                                      {"--drive-unit", HonoursReportLines},
                                                      {"--total-unit", HonoursReportLines},
                                                      {"--folder-totals", HonoursReportLines}};
    const unsigned honours = DataFormatOf(*arguments.format).honours;
    QStringList ignored;
    for (const QString& option : arguments.given) {
        const auto need = needs.find(option);
        if (need != needs.end() && !(honours & need->second) && !ignored.contains(option))
            ignored << option;
    }
    return ignored;
}

QString CliUsageText() {
    QStringList formats, binary;
    for (const DataFormatRow& row : DataFormats()) {
        formats << QLatin1String(row.name);
        if (row.binary) binary << QLatin1String(row.name);
    }
    return QStringLiteral(
               "Usage: tabulist-list [OPTION]... [DIRECTORY]\n"
               "Write the listing of DIRECTORY (default: the working directory) to standard "
               "output,\n"
               "each line ended by CR LF.\n"
               "\n"
               "What is listed:\n"
               "  --mask MASK          file mask, * and ? as wildcards; the word all lists every "
               "entry\n"
               "  --hidden             list hidden entries\n"
               "  --class C            attribute class: all, archive, read-only, system (all)\n"
               "  --from DATE          list entries changed on or after DATE (YYYY-MM-DD)\n"
               "  --to DATE            ... and on or before DATE; either one alone ends or starts "
               "today\n"
               "  --recursive          list the subfolders too, each in a section of its own\n"
               "  --depth N            search N levels of subfolders (0: none); implies "
               "--recursive\n"
               "  --one-file-system    do not enter folders on other file systems\n"
               "\n"
               "How it is listed:\n"
               "  --columns N          1 for detail lines (default), 2 to 6 for columns of names\n"
               "  --unit U             size unit of detail lines: bytes, kbytes, mbytes, gbytes\n"
               "  --no-attributes      leave the attribute field out of detail lines\n"
               "  --no-size            leave the size field out of detail lines\n"
               "  --no-date            leave the date field out of detail lines\n"
               "  --unit-suffix        append the unit to sizes and \" %\" to per cent values\n"
               "  --sort KEY           order: name (default), extension, size, date; ties by name\n"
               "  --reverse            the order reversed (\".\" and \"..\" stay first)\n"
               "\n"
               "Header and footer lines:\n"
               "  --drive-name         the drive's name\n"
               "  --drive-info         the drive's size and free space\n"
               "  --drive-percent      used and free space in per cent (with --drive-info)\n"
               "  --path               the search path\n"
               "  --file-count         the numbers of files and directories found\n"
               "  --total-size         the total size of the entries found\n"
               "  --total-percent      the total size in per cent of the drive (with "
               "--total-size)\n"
               "  --drive-unit U       unit of the drive information (bytes)\n"
               "  --total-unit U       unit of the total size (bytes)\n"
               "  --folder-totals      the footer lines after each folder's section too\n"
               "\n"
               "Data:\n"
               "  --format F           text (default), or one record per entry: %1\n"
               "  --output FILE        write FILE instead of standard output (needed for %2)\n"
               "  --checksum A         each file's checksum, A: sha256, md5, xxh128\n"
               "\n"
               "Changes:\n"
               "  --compare FILE       what changed since FILE, a catalogue made by --format json\n"
               "\n"
               "Other:\n"
               "  --settings FILE      start from the options of a settings file; flags change "
               "them\n"
               "  --lf                 end lines with LF instead of CR LF\n"
               "  --help               show this text\n"
               "  --version            show the version\n"
               "\n"
               "The checksum is the last field of a file's detail line and a field named after "
               "the\n"
               "algorithm in the data formats. --format sums writes \"CHECKSUM  PATH\" lines that\n"
               "sha256sum -c, md5sum -c or xxhsum -c check in DIRECTORY (sha256 unless --checksum "
               "says\n"
               "otherwise). --compare takes the options the catalogue was made with and reports "
               "the\n"
               "entries added, removed, changed (size, time, checksum) and moved, then their "
               "counts.\n"
               "\n"
               "Exit status: 0 after a complete listing, 1 when the directory, the listing or the\n"
               "settings file fails or anything could not be read (a folder, part of one, an "
               "entry's\n"
               "details or a file; each is named on standard error), 2 for a usage error. With\n"
               "--compare: "
               "0\n"
               "nothing changed, 1 something changed, 2 a usage error, a catalogue that cannot be\n"
               "read, or a folder or file that cannot be read.\n")
        .arg(formats.join(QStringLiteral(", ")), binary.join(QStringLiteral(", ")));
}

}  // namespace tabulist
