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

QJsonArray XlsxSheets(const QString& file) {
    QProcess python;
    // Debian's own interpreter: its modules are the ones the package list installs.
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import json, sys, openpyxl\n"
                        "from openpyxl.utils import get_column_letter\n"
                        "book = openpyxl.load_workbook(sys.argv[1])\n"
                        "def cell(c):\n"
                        "    v = c.value.isoformat() if c.data_type == 'd' else c.value\n"
                        "    f = '' if c.number_format == 'General' else '|' + c.number_format\n"
                        "    return '%s:%s%s' % (c.data_type, v, f)\n"
                        "json.dump([{'title': s.title, 'freeze': s.freeze_panes,\n"
                        "  'filter': s.auto_filter.ref,\n"
                        "  'widths': [s.column_dimensions[get_column_letter(i + 1)].width\n"
                        "             for i in range(s.max_column)],\n"
                        "  'rows': [[cell(c) for c in r] for r in s.iter_rows()]}\n"
                        "  for s in book], sys.stdout)\n"),
         file});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        throw std::runtime_error("xlsx read-back failed: " +
                                 python.readAllStandardError().toStdString());
    }
    return JsonArray(python.readAllStandardOutput());
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
