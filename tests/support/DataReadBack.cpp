#include "support/DataReadBack.h"

#include <QJsonDocument>
#include <QProcess>
#include <stdexcept>

namespace tabulist::test {

QList<QStringList> CsvRows(const QByteArray& csv) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, io, json, sys\n"
                                 "text = io.TextIOWrapper(sys.stdin.buffer, encoding='utf-8', "
                                 "newline='')\n"
                                 "json.dump(list(csv.reader(text, strict=True)), sys.stdout)\n")});
    python.write(csv);
    python.closeWriteChannel();
    if (!python.waitForFinished(30000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        throw std::runtime_error("csv read-back failed: " +
                                 python.readAllStandardError().toStdString());
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : JsonArray(python.readAllStandardOutput())) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray()) fields << field.toString();
        rows << fields;
    }
    return rows;
}

QJsonArray JsonArray(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        throw std::runtime_error("not a JSON array: " + error.errorString().toStdString() + " in " +
                                 json.toStdString());
    return document.array();
}

}  // namespace tabulist::test
