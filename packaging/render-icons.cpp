// Renders the program's SVG icon as the square PNGs of the desktop's icon theme.
// usage: quillgrid-render-icons ICON.svg OUTDIR SIZE...
// Writes OUTDIR/SIZExSIZE/html-quillgrid.png for each size; exits non-zero on any failure.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool RenderOne(QSvgRenderer& svg, int size, const QString& outDir)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();

    const QString dir = QStringLiteral("%1/%2x%2").arg(outDir).arg(size);
    if (!QDir().mkpath(dir)) return false;
    return image.save(dir + QStringLiteral("/html-quillgrid.png"), "PNG");
}

}  // namespace

int main(int argc, char** argv)
{
    // Rendering needs no screen: keep the build independent of a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: quillgrid-render-icons ICON.svg OUTDIR SIZE...\n");
        return 64;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "quillgrid-render-icons: cannot read %s\n", qPrintable(args.at(1)));
        return 2;
    }
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 1 || size > 1024 || !RenderOne(svg, size, args.at(2))) {
            std::fprintf(stderr, "quillgrid-render-icons: cannot write the %s icon\n",
                         qPrintable(args.at(i)));
            return 2;
        }
    }
    return 0;
}
