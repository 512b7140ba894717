#include "support/InstallRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

namespace tabulist::test {

RunResult RunProgram(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment, int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    RunResult result;
    result.finished =
        process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

RunResult InstallBuildTree(const QString& prefix, const QString& destdir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (destdir.isEmpty())
        environment.remove(QStringLiteral("DESTDIR"));
    else
        environment.insert(QStringLiteral("DESTDIR"), destdir);
    return RunProgram(QStringLiteral(TABULIST_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(TABULIST_BINARY_DIR),
                       QStringLiteral("--prefix"), prefix},
                      environment);
}

QStringList InstalledFiles(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QString DesktopEntryValue(const QString& file, const QString& key) {
    QFile entry(file);
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&entry);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        if (!inMainGroup || !line.startsWith(key + QLatin1Char('='))) continue;
        QString value;
        const QString raw = line.mid(key.size() + 1);
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] == QLatin1Char('\\') && i + 1 < raw.size()) {
                const QChar next = raw[++i];
                value += next == QLatin1Char('s')   ? QChar(' ')
                         : next == QLatin1Char('n') ? QChar('\n')
                         : next == QLatin1Char('t') ? QChar('\t')
                                                    : next;
            } else {
                value += raw[i];
            }
        }
        return value;
    }
    return {};
}

QString ExecProgram(const QString& exec) {
    if (!exec.startsWith(QLatin1Char('"'))) return exec.section(QLatin1Char(' '), 0, 0);
    QString program;
    for (qsizetype i = 1; i < exec.size() && exec[i] != QLatin1Char('"'); ++i) {
        if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size()) ++i;
        program += exec[i];
    }
    return program;
}

namespace {

// A roff request line's arguments, quoted ones kept whole, joined as .B/.BI print them.
QString RequestText(const QString& line) {
    QString text;
    bool quoted = false;
    const QString args = line.section(QLatin1Char(' '), 1);
    for (const QChar c : args) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c != QLatin1Char(' ') || quoted)
            text += c;
    }
    return text;
}

QString PlainText(QString roff) {
    static const QRegularExpression font(QStringLiteral(R"(\\f[BIRP])"));
    roff.remove(font);
    roff.replace(QLatin1String("\\-"), QLatin1String("-"));
    roff.remove(QLatin1String("\\&"));
    return roff;
}

}  // namespace

QStringList ManualPageOptions(const QString& roff) {
    QStringList entries;
    const QStringList lines = roff.split(QLatin1Char('\n'));
    bool inOptions = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1String(".SH "))) {
            inOptions = line == QLatin1String(".SH OPTIONS");
        } else if (!inOptions) {
            continue;
        } else if (line.startsWith(QLatin1String(".SS "))) {
            entries.append(RequestText(line));
        } else if (line == QLatin1String(".TP") && i + 1 < lines.size()) {
            const QString term = PlainText(RequestText(lines[++i]));
            QStringList description;
            while (i + 1 < lines.size() && !lines[i + 1].startsWith(QLatin1Char('.')))
                description.append(PlainText(lines[++i]).trimmed());
            entries.append(term + QLatin1String(": ") + description.join(QLatin1Char(' ')));
        }
    }
    return entries;
}

QStringList HelpOptions(const QString& help) {
    static const QRegularExpression option(QStringLiteral(R"(^  (-\S*(?: \S+)?) {2,}(.*)$)"));
    QStringList entries;
    for (const QString& line : help.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = option.match(line);
        if (match.hasMatch())
            entries.append(match.captured(1) + QLatin1String(": ") + match.captured(2).trimmed());
        else if (!line.startsWith(QLatin1Char(' ')) && line.endsWith(QLatin1Char(':')))
            entries.append(line);
    }
    return entries;
}

}  // namespace tabulist::test
