#!/bin/sh
# Renders every icon in resources/icons through Qt's own SVG renderer (the one
# the program uses) at 16, 24 and 96 pixels into one contact sheet, so the set
# can be looked at as the program will show it.
# Usage: tools/render_icons.sh [OUT.png]   (default /tmp/quillgrid-icons.png)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-/tmp/quillgrid-icons.png}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cat >"$WORK/sheet.cpp" <<'CPP'
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QStringList files = dir.entryList({"*.svg"}, QDir::Files, QDir::Name);
    const int cellW = 260, cellH = 110, perRow = 4;
    const int rows = (int(files.size()) + perRow - 1) / perRow;
    QImage sheet(cellW * perRow, cellH * rows, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter p(&sheet);
    int bad = 0;
    for (int i = 0; i < files.size(); ++i) {
        const int x = (i % perRow) * cellW, y = (i / perRow) * cellH;
        QSvgRenderer svg(dir.filePath(files[i]));
        if (!svg.isValid()) {
            ++bad;
            p.setPen(Qt::red);
            p.drawText(x + 4, y + 40, "INVALID");
        }
        // Small sizes on white, as on a tool bar; the large one shows the drawing.
        p.fillRect(x + 4, y + 4, 16, 16, Qt::white);
        svg.render(&p, QRectF(x + 4, y + 4, 16, 16));
        p.fillRect(x + 26, y + 4, 24, 24, Qt::white);
        svg.render(&p, QRectF(x + 26, y + 4, 24, 24));
        p.fillRect(x + 58, y + 4, 96, 96, Qt::white);
        svg.render(&p, QRectF(x + 58, y + 4, 96, 96));
        p.setPen(Qt::black);
        p.drawText(QRect(x + 158, y + 4, cellW - 160, 96), Qt::TextWordWrap, files[i]);
    }
    p.end();
    sheet.save(QString::fromLocal8Bit(argv[2]));
    return bad == 0 ? 0 : 1;
}
CPP

# shellcheck disable=SC2046
flock /tmp/qg-build.lock g++ -std=c++20 -fPIC -O1 -o "$WORK/sheet" "$WORK/sheet.cpp" \
    $(pkg-config --cflags --libs Qt6Svg Qt6Gui Qt6Core)
QT_QPA_PLATFORM=offscreen "$WORK/sheet" "$ROOT/resources/icons" "$OUT"
echo "$OUT"
