// tabulist-list: hands the command line to RunCli, with the arguments' own bytes.
#include <QString>
#include <QStringList>
#include <clocale>
#include <cstdio>

#include "cli/CliRun.h"
#include "platform/Terminal.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    tabulist::UseBinaryStandardStreams();
    QStringList args;
    QByteArrayList rawArgs;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
        rawArgs << QByteArray(argv[i]);
    }
    return tabulist::RunCli(args, stdout, stderr, rawArgs);
}
