// Expands the skin's layout templates into the layouts the program loads.
//
//   dravo_layoutgen TEMPLATE_DIR OUT_DIR
//
// Every *.xml below TEMPLATE_DIR is a layout template; each of its outputs
// is written to OUT_DIR under the output's file name.
#include "LayoutTemplate.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    const QString templates = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "layoutgen: cannot create %s\n", argv[2]);
        return 1;
    }

    QDirIterator it(templates, {QStringLiteral("*.xml")}, QDir::Files, QDirIterator::Subdirectories);
    int written = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "layoutgen: cannot read %s\n", qPrintable(path));
            return 1;
        }
        std::string error;
        const auto parsed = dravo::layoutgen::readTemplate(file.readAll(), QFileInfo(path).absolutePath(), error);
        if (!parsed) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), error.c_str());
            return 1;
        }
        for (const dravo::layoutgen::Output& output : parsed->outputs) {
            const auto bytes = dravo::layoutgen::expand(*parsed, output, error);
            if (!bytes) {
                std::fprintf(stderr, "%s (%s): %s\n", qPrintable(path), output.file.c_str(), error.c_str());
                return 1;
            }
            QSaveFile target(out.filePath(QString::fromStdString(output.file)));
            if (!target.open(QIODevice::WriteOnly) || target.write(*bytes) != bytes->size() || !target.commit()) {
                std::fprintf(stderr, "layoutgen: cannot write %s\n", qPrintable(target.fileName()));
                return 1;
            }
            ++written;
        }
    }
    std::printf("layoutgen: %d layouts\n", written);
    return 0;
}
