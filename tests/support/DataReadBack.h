#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QStringList>

namespace tabulist::test {

// The rows of CSV bytes as Python's csv module reads them (strict, UTF-8). Throws
// std::runtime_error when it cannot read them.
QList<QStringList> CsvRows(const QByteArray& csv);

// The array of a JSON document; throws std::runtime_error when the bytes are not one.
QJsonArray JsonArray(const QByteArray& json);

}  // namespace tabulist::test
