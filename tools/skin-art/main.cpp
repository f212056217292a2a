// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the built-in skins' sprite sheets and the player's icons, or a
// template for a skin of one's own.
// Usage: velmora_skin_art <repository root>
//        velmora_skin_art --template <folder> [blue-curve]
#include "metal_red_art.h"
#include "sprite_map.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path, const char* format)
{
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "velmora_skin_art: cannot write %s\n", qPrintable(path));
    return false;
}

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0)
        return true;
    std::fprintf(stderr, "velmora_skin_art: cannot write %s\n", qPrintable(path));
    return false;
}

// A skin folder to start from: the sheet, a description, and the map of
// every piece (a numbered picture and the list of the numbers).
int WriteTemplate(const QString& folder, bool blueCurve)
{
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "velmora_skin_art: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    const QImage sheet = blueCurve ? DrawBlueCurveSheet() : DrawMetalRedSheet();
    bool ok = Save(sheet.convertToFormat(QImage::Format_RGB888), dir.filePath(QStringLiteral("sheet.png")), "PNG");
    ok &= Save(AnnotatedMap(sheet, 4), dir.filePath(QStringLiteral("map.png")), "PNG");
    QString list;
    QTextStream out(&list);
    out << "# The pieces of sheet.png, numbered as in map.png: x y width height name.\n"
           "# Keep every piece where it is; the skin copies it from there. Magenta areas are unused.\n";
    const std::vector<SpriteArea> areas = SpriteMap();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const QRect& r = areas[i].rect;
        out << i + 1 << '\t' << r.x() << ' ' << r.y() << ' ' << r.width() << ' ' << r.height() << '\t'
            << areas[i].name << '\n';
    }
    ok &= WriteText(dir.filePath(QStringLiteral("map.txt")), list);
    ok &= WriteText(dir.filePath(QStringLiteral("skin.ini")),
                    QStringLiteral("; Velmora skin: the name shown in the Skins menu and the text colours.\n"
                                   "[Skin]\n"
                                   "Name=My Skin\n"
                                   "TitleText=#%1\n"
                                   "TimeText=#%2\n")
                        .arg(blueCurve ? QStringLiteral("F2F8FF") : QStringLiteral("DCDCDC"),
                             blueCurve ? QStringLiteral("061A36") : QStringLiteral("000000")));
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--template") &&
        (args.size() == 3 || (args.size() == 4 && args[3] == QLatin1String("blue-curve"))))
        return WriteTemplate(args[2], args.size() == 4);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_skin_art <repository root>\n"
                             "       velmora_skin_art --template <folder> [blue-curve]\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("res/skin")) || !root.mkpath(QStringLiteral("res/icons"))) {
        std::fprintf(stderr, "velmora_skin_art: cannot create the resource folders below %s\n", argv[1]);
        return 1;
    }
    bool ok = Save(DrawMetalRedSheet().convertToFormat(QImage::Format_RGB888),
                   root.filePath(QStringLiteral("res/skin/metal_red.bmp")), "BMP");
    ok &= Save(DrawBlueCurveSheet().convertToFormat(QImage::Format_RGB888),
               root.filePath(QStringLiteral("res/skin/blue_curve.bmp")), "BMP");
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
