// Renders the program's icon (one SVG drawing) at the sizes desktops look for, so the PNGs
// installed beside the SVG never drift from it.
//   kinloom_render_icon ICON.svg OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/<SIZE>.png for each size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: kinloom_render_icon ICON.svg OUTPUT_FOLDER SIZE...\n", stderr);
        return 1;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "kinloom_render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(".")) return 1;
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "kinloom_render_icon: bad size %s\n", argv[i]);
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        if (!image.save(output.filePath(QString::number(size) + ".png"))) return 1;
    }
    return 0;
}
