// Writes the default shape libraries, category files and common-bar lists
// from their source:  rodo_makelibs <source folder> <output folder>
// The output depends on the source alone: the tool runs on the default
// settings in a data folder of its own, whatever the user's are.

#include "tools/shapesource.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rodo_makelibs <source folder> <output folder>\n");
        return 2;
    }
    QTemporaryDir home;
    QTemporaryDir noData;
    if (!home.isValid() || !noData.isValid()) {
        std::fprintf(stderr, "rodo_makelibs: cannot create a temporary folder\n");
        return 1;
    }
    qputenv("RODO_HOME", home.path().toLocal8Bit());
    qputenv("RODO_DATA_DIR", noData.path().toLocal8Bit());
    QCoreApplication app(argc, argv);

    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    shapes::ShapeSet set;
    QString error;
    if (!shapes::readShapeSources(source, set, error) || !shapes::writeShapeFiles(set, output, error)) {
        std::fprintf(stderr, "rodo_makelibs: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
