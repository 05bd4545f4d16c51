// Puts an empty catalogue at the given path when none is there; an existing file is kept as is.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "store/schema.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: ormelia_newdb RUTA/DataOrmelia.mdb\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) return 0;
    QString problem = schema::createEmpty(path);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
