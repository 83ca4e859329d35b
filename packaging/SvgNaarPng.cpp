// Build tool: renders an SVG picture to square PNG files for the icon theme's fixed sizes.
// Usage: vamox_svgnaarpng <picture.svg> <output folder> <size>... writes <folder>/<size>.png.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: vamox_svgnaarpng picture.svg folder size...\n", stderr);
        return 2;
    }
    QSvgRenderer tekening(QString::fromLocal8Bit(argv[1]));
    if (!tekening.isValid()) {
        std::fprintf(stderr, "%s: not a picture\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int maat = QByteArray(argv[i]).toInt();
        if (maat <= 0) return 2;
        QImage beeld(maat, maat, QImage::Format_ARGB32_Premultiplied);
        beeld.fill(Qt::transparent);
        QPainter schilder(&beeld);
        tekening.render(&schilder, QRectF(0, 0, maat, maat));
        schilder.end();
        const QString doel = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1.png").arg(maat);
        if (!beeld.save(doel, "PNG")) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(doel));
            return 1;
        }
    }
    return 0;
}
