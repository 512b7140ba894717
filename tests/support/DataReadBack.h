#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QStringList>

namespace tabulist::test {

// The rows of CSV bytes as Python's csv module reads them (strict, UTF-8). Throws
// std::runtime_error when it cannot read them.
QList<QStringList> CsvRows(const QByteArray& csv);

// The sheets of a workbook as openpyxl reads them: per sheet an object with "title",
// "freeze" (the frozen panes' top left cell), "filter" (the auto filter's range), "widths"
// (of the columns A, B, ...) and "rows": each cell as "type:value" and, where it has a number
// format, "|format" (types: s text, n number, d date-time as ISO text, f formula).
// Throws std::runtime_error when it cannot read them.
QJsonArray XlsxSheets(const QString& file);

// The array of a JSON document; throws std::runtime_error when the bytes are not one.
QJsonArray JsonArray(const QByteArray& json);

}  // namespace tabulist::test
