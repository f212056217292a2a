// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the "Metal Red" sprite sheet and the player's icons.
// Usage: velmora_skin_art <repository root>
#include "metal_red_art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path, const char* format)
{
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "velmora_skin_art: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_skin_art <repository root>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("res/skin")) || !root.mkpath(QStringLiteral("res/icons"))) {
        std::fprintf(stderr, "velmora_skin_art: cannot create the resource folders below %s\n", argv[1]);
        return 1;
    }
    bool ok = Save(DrawMetalRedSheet().convertToFormat(QImage::Format_RGB888),
                   root.filePath(QStringLiteral("res/skin/metal_red.bmp")), "BMP");
    for (int id : {138, 140, 142, 144, 153, 154, 155}) {
        ok &= Save(DrawPlayerIcon(id, 32), root.filePath(QStringLiteral("res/icons/%1.png").arg(id)), "PNG");
        ok &= Save(DrawPlayerIcon(id, 16), root.filePath(QStringLiteral("res/icons/%1-16.png").arg(id)), "PNG");
    }
    // The application icon for the desktop's icon theme.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("res/icons/hicolor/%1x%1/apps").arg(size);
        ok &= root.mkpath(folder) &&
              Save(DrawPlayerIcon(138, size), root.filePath(folder + QStringLiteral("/velmora.png")), "PNG");
    }
    QFile svg(root.filePath(QStringLiteral("res/icons/velmora.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(ApplicationIconSvg()) < 0) {
        std::fprintf(stderr, "velmora_skin_art: cannot write %s\n", qPrintable(svg.fileName()));
        ok = false;
    }
    return ok ? 0 : 1;
}
