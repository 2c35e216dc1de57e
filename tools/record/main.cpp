// nimbara-record: the learning record from the command line (see RecordTool::usage()).
#include "tools/record/recordtool.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return nimbara::RecordTool::kFailed;
    }
    return nimbara::RecordTool::run(QCoreApplication::arguments().mid(1), {out, err});
}
