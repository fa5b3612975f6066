// Renders the skin's SVG pictures into the seven PNG forms the program picks
// from by display scale: NAME.png at 100 %, NAME@67.png ... NAME@300.png.
//
//   dravo_svgrender SRC_DIR OUT_DIR
//
// Every *.svg below SRC_DIR becomes its PNGs at the same relative place below
// OUT_DIR. The SVG's own width and height are its size at 100 %.
#include "ImageVariants.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    // A build machine has no display; the renderer only needs fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SRC_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir src(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));

    int count = 0;
    QDirIterator it(src.path(), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QSvgRenderer svg(path);
        if (!svg.isValid()) {
            std::fprintf(stderr, "svgrender: %s is not a valid SVG\n", qPrintable(path));
            return 1;
        }
        const QString rel = src.relativeFilePath(path);
        const QString base = rel.left(rel.size() - 4); // without ".svg"
        out.mkpath(QFileInfo(out.filePath(rel)).path());
        for (const int percent : dravo::kImagePercents) {
            const QSize size(static_cast<int>(std::lround(svg.defaultSize().width() * percent / 100.0)),
                             static_cast<int>(std::lround(svg.defaultSize().height() * percent / 100.0)));
            QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter);
            painter.end();
            const QString name = out.filePath(base + QString::fromStdString(dravo::imageSuffixForPercent(percent)) + QStringLiteral(".png"));
            if (!image.save(name, "PNG")) {
                std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(name));
                return 1;
            }
        }
        ++count;
    }
    if (count == 0) {
        std::fprintf(stderr, "svgrender: no SVG below %s\n", argv[1]);
        return 1;
    }
    return 0;
}
