#include "listing/formats/XlsxWriter.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "listing/EntryRecord.h"
#include "platform/IsoTime.h"

namespace tabulist {

namespace {

constexpr int64_t RowsPerSheet = 1048576;
constexpr size_t MostCellText = 32767;  // characters a cell holds
constexpr double WidestColumn = 80;

const char* const ListingHeads[] = {"folder", "name", "type", "attributes", "size", "modified"};
const char* const FolderHeads[] = {"folder",      "files",         "folders",
                                   "size",        "files in all",  "folders in all",
                                   "size in all", "cannot be read"};
constexpr int SizeColumn = 4;
constexpr int ModifiedColumn = 5;
constexpr int ChecksumColumn = 6;  // with checksums: named after the algorithm

// A folder's row on the folders sheet: its own counts, then those of its whole subtree.
struct FolderTotals {
    QString folder;
    std::array<int64_t, 3> own{};  // files, folders, size
    std::array<int64_t, 3> all{};
    QString unreadable;
};

bool IsBelow(const QString& folder, const QString& above) {
    if (above == QLatin1String(".")) return folder != above;
    return folder.size() > above.size() && folder.startsWith(above) &&
           folder[above.size()] == QLatin1Char('/');
}

class XlsxWriter : public DataWriter {
public:
    explicit XlsxWriter(const QString& file) : file_(file.toLocal8Bit()) {}
    ~XlsxWriter() override {
        if (book_) lxw_workbook_free(book_);
    }

    void begin(const ListingContext& context) override {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = LXW_TRUE;
        book_ = workbook_new_opt(file_.constData(), &options);
        if (!book_) throw EDataWriteError(EDataWriteError::reasonOf(ENOMEM));
        title_ = context.directory.toUtf8();
        comments_ = (context.program + QLatin1Char(' ') + context.version).toUtf8();
        lxw_doc_properties properties{};
        properties.title = title_.data();
        properties.comments = comments_.data();
        properties.created = context.made.isValid() ? time_t(context.made.toSecsSinceEpoch()) : 0;
        workbook_set_properties(book_, &properties);
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        thousands_ = workbook_add_format(book_);
        format_set_num_format(thousands_, "#,##0");
        moment_ = workbook_add_format(book_);
        format_set_num_format(moment_, "yyyy-mm-dd hh:mm:ss");
        perSheet_ = XlsxEntriesPerSheet();
        checksum_ = context.checksum;
        startListingSheet();
    }

    void folder(const QString& folder) override {
        while (!open_.empty() && !IsBelow(folder, folders_[open_.back()].folder)) closeFolder();
        open_.push_back(folders_.size());
        folders_.push_back({folder, {}, {}, {}});
    }

    void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                           const EntryChecksum& checksum) override {
        if (rows_ == perSheet_) {
            finishListingSheet();
            startListingSheet();
        }
        const EntryRecord record = MakeEntryRecord(folder, rec);
        const lxw_row_t row = lxw_row_t(++rows_);
        text(sheet_, row, 0, record.folder, widths_);
        text(sheet_, row, 1, record.name, widths_);
        text(sheet_, row, 2, record.type, widths_);
        text(sheet_, row, 3, record.attributes, widths_);
        // What could not be read stays an empty cell.
        if (record.known) writeSizeAndTime(row, record, rec.ModifiedTime);
        if (checksum_)
            text(sheet_, row, ChecksumColumn, QString::fromLatin1(checksum.text), widths_);
        if (!folders_.empty()) {
            auto& own = folders_[open_.back()].own;
            ++own[(rec.Attr & AttrDirectory) ? 1 : 0];
            own[2] += rec.Size;
        }
    }

    void unreadable(const QString& folder, const QString& message) override {
        // Told right after the folder's own start, so the search is short.
        for (auto row = folders_.rbegin(); row != folders_.rend(); ++row) {
            if (row->folder == folder) {
                row->unreadable = message;
                break;
            }
        }
    }

    void end() override {
        if (!book_) return;
        finishListingSheet();
        while (!open_.empty()) closeFolder();
        writeFoldersSheet();
        errno = 0;
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR) {
            throw EDataWriteError(errno != 0 ? EDataWriteError::reasonOf(errno)
                                             : QString::fromUtf8(lxw_strerror(error)));
        }
    }

private:
    using Widths = std::array<double, 8>;

    std::optional<ChecksumAlgorithm> checksum_;

    static void check(lxw_error error) {
        if (error != LXW_NO_ERROR) throw EDataWriteError(QString::fromUtf8(lxw_strerror(error)));
    }

    static void fit(Widths& widths, int column, qsizetype characters) {
        widths[size_t(column)] =
            std::min(WidestColumn, std::max(widths[size_t(column)], double(characters) + 1));
    }

    void text(lxw_worksheet* sheet, lxw_row_t row, int column, const QString& value,
              Widths& widths) {
        const QByteArray utf8 = value.left(qsizetype(MostCellText)).toUtf8();
        check(worksheet_write_string(sheet, row, lxw_col_t(column), utf8.constData(), nullptr));
        fit(widths, column, value.size());
    }

    void number(lxw_worksheet* sheet, lxw_row_t row, int column, int64_t value, Widths& widths) {
        check(worksheet_write_number(sheet, row, lxw_col_t(column), double(value), thousands_));
        const qsizetype digits = QString::number(value).size();
        fit(widths, column, digits + (digits - 1) / 3);
    }

    void writeSizeAndTime(lxw_row_t row, const EntryRecord& record, int64_t modified) {
        number(sheet_, row, SizeColumn, record.size, widths_);
        LocalTimeParts t;
        if (LocalTimeOf(modified, t) && t.year >= 1900 && t.year <= 9999) {
            lxw_datetime moment{t.year, t.month, t.day, t.hour, t.minute, double(t.second)};
            check(worksheet_write_datetime(sheet_, row, ModifiedColumn, &moment, moment_));
        } else {
            // Before 1900 or past 9999 a spreadsheet has no date: the text says when.
            text(sheet_, row, ModifiedColumn, record.modified, widths_);
        }
    }

    void header(lxw_worksheet* sheet, const char* const* heads, int count, Widths& widths) {
        for (int column = 0; column < count; ++column) {
            check(worksheet_write_string(sheet, 0, lxw_col_t(column), heads[column], bold_));
            // Room for the filter's button beside the heading.
            fit(widths, column, qsizetype(std::strlen(heads[column])) + 3);
        }
        worksheet_freeze_panes(sheet, 1, 0);
    }

    void startListingSheet() {
        ++sheets_;
        const QByteArray name =
            sheets_ == 1 ? QByteArray("Listing") : "Listing " + QByteArray::number(sheets_);
        sheet_ = workbook_add_worksheet(book_, name.constData());
        if (!sheet_) throw EDataWriteError(EDataWriteError::reasonOf(ENOMEM));
        widths_ = {};
        rows_ = 0;
        header(sheet_, ListingHeads, 6, widths_);
        fit(widths_, ModifiedColumn, 19);
        if (checksum_) {
            const QByteArray name = ChecksumName(*checksum_).toLatin1();
            check(worksheet_write_string(sheet_, 0, ChecksumColumn, name.constData(), bold_));
            fit(widths_, ChecksumColumn, ChecksumHexLength(*checksum_));
        }
    }

    void finishListingSheet() {
        const int columns = checksum_ ? ChecksumColumn + 1 : ModifiedColumn + 1;
        for (int column = 0; column < columns; ++column)
            worksheet_set_column(sheet_, lxw_col_t(column), lxw_col_t(column),
                                 widths_[size_t(column)], nullptr);
        worksheet_autofilter(sheet_, 0, 0, lxw_row_t(rows_), lxw_col_t(columns - 1));
    }

    // A folder's subtree is complete: its totals count into its parent's.
    void closeFolder() {
        FolderTotals& done = folders_[open_.back()];
        for (size_t i = 0; i < 3; ++i) done.all[i] += done.own[i];
        open_.pop_back();
        if (!open_.empty()) {
            auto& parent = folders_[open_.back()].all;
            for (size_t i = 0; i < 3; ++i) parent[i] += done.all[i];
        }
    }

    void writeFoldersSheet() {
        lxw_worksheet* sheet = workbook_add_worksheet(book_, "Folders");
        if (!sheet) throw EDataWriteError(EDataWriteError::reasonOf(ENOMEM));
        Widths widths{};
        header(sheet, FolderHeads, 8, widths);
        lxw_row_t row = 0;
        for (const FolderTotals& folder : folders_) {
            ++row;
            text(sheet, row, 0, folder.folder, widths);
            for (size_t i = 0; i < 3; ++i) {
                number(sheet, row, int(1 + i), folder.own[i], widths);
                number(sheet, row, int(4 + i), folder.all[i], widths);
            }
            if (!folder.unreadable.isEmpty()) text(sheet, row, 7, folder.unreadable, widths);
        }
        for (int column = 0; column < 8; ++column)
            worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column),
                                 widths[size_t(column)], nullptr);
        worksheet_autofilter(sheet, 0, 0, row, 7);
    }

    QByteArray file_;
    QByteArray title_, comments_;
    lxw_workbook* book_ = nullptr;
    lxw_format* bold_ = nullptr;
    lxw_format* thousands_ = nullptr;
    lxw_format* moment_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    Widths widths_{};
    int64_t perSheet_ = RowsPerSheet - 1;
    int64_t rows_ = 0;  // entries on the current listing sheet
    int sheets_ = 0;
    std::vector<FolderTotals> folders_;  // in listing order
    std::vector<size_t> open_;           // the folders whose subtree is still being listed
};

}  // namespace

int64_t XlsxEntriesPerSheet() {
    bool ok = false;
    const int64_t set = qEnvironmentVariableIntValue("TABULIST_XLSX_SHEET_ENTRIES", &ok);
    return ok && set > 0 && set < RowsPerSheet ? set : RowsPerSheet - 1;
}

std::unique_ptr<DataWriter> MakeXlsxWriter(const DataOptions&, const DataOutput& output) {
    return std::make_unique<XlsxWriter>(output.file);
}

}  // namespace tabulist
