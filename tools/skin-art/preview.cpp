// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the skinned main window and playlist window the way the player
// draws them, for the screenshots in docs/ and for checking the art.
// Usage: velmora_skin_preview <main.png> <playlist.png> [--main WxH] [--list WxH] [--hot id] [--sheet path]
#include "skin/bitmap_skin.h"
#include "skin/skin_geometry.h"
#include "skin/skin_state_record.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>

#include <cstdio>

namespace {

// A stand-in video frame: an evening sky over dark hills.
void PaintVideo(QPainter& p, const QRect& area)
{
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(24, 36, 72));
    sky.setColorAt(0.65, QColor(196, 110, 72));
    sky.setColorAt(1, QColor(60, 30, 30));
    p.fillRect(area, sky);
    QRadialGradient sun(area.left() + area.width() * 0.62, area.top() + area.height() * 0.62, area.height() * 0.2);
    sun.setColorAt(0, QColor(255, 226, 160));
    sun.setColorAt(1, QColor(255, 180, 120, 0));
    p.fillRect(area, sun);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hills;
    hills.moveTo(area.bottomLeft());
    hills.lineTo(area.left(), area.top() + area.height() * 0.72);
    hills.cubicTo(area.left() + area.width() * 0.3, area.top() + area.height() * 0.55,
                  area.left() + area.width() * 0.55, area.top() + area.height() * 0.9, area.right(),
                  area.top() + area.height() * 0.68);
    hills.lineTo(area.bottomRight());
    hills.closeSubpath();
    p.fillPath(hills, QColor(22, 14, 20));
    p.setRenderHint(QPainter::Antialiasing, false);
}

QImage RenderMain(CBitmapSkin& skin, QSize size, int hot)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    skin.PaintMain(p, hot, QRect(QPoint(0, 0), size));
    // The video is a child window over the video area, so it covers the skin.
    QRect video;
    skin.GetVideoArea(size, video);
    if (video.isValid())
        PaintVideo(p, video);
    return image;
}

// List rows as the playlist window draws them: grey names, the selected row
// on a brown band, the current row in red, lengths at the right.
void PaintRows(QPainter& p, const QRect& list, const QStringList& names, int selected, int current)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    p.setFont(font);
    const int rowHeight = 13;
    const int digits = QString::number(names.size()).size();
    const int width = p.fontMetrics().horizontalAdvance(QStringLiteral("00:00:00"));
    for (int i = 0; i < names.size() && i * rowHeight < list.height(); ++i) {
        const QRect band(list.left() - 1, list.top() + i * rowHeight, list.width() + 2, rowHeight);
        if (i == selected)
            p.fillRect(band, QColor(78, 38, 20));
        p.setPen(i == current ? QColor(180, 60, 60) : QColor(128, 128, 128));
        const QRect text = band.adjusted(3, 0, -3, 0);
        const QString number = QString(2 * (digits - QString::number(i + 1).size()), QLatin1Char(' '));
        p.drawText(text.adjusted(0, 0, -width - 2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   number + QStringLiteral("%1. %2").arg(i + 1).arg(names[i].section(QLatin1Char('|'), 0, 0)));
        p.drawText(text, Qt::AlignRight | Qt::AlignVCenter, names[i].section(QLatin1Char('|'), 1, 1));
    }
}

// The window as the desktop shows it: transparent outside its shape.
QImage Shaped(const QImage& image)
{
    QImage shaped = image.convertToFormat(QImage::Format_ARGB32);
    const QRegion region = RoundedWindowRegion(image.size());
    for (int y = 0; y < shaped.height(); ++y)
        for (int x = 0; x < shaped.width(); ++x)
            if (!region.contains(QPoint(x, y)))
                shaped.setPixel(x, y, 0);
    return shaped;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: velmora_skin_preview <main.png> <playlist.png> [--main WxH] [--list WxH] "
                             "[--hot id] [--sheet path]\n");
        return 2;
    }
    QSize mainSize(403, 280);
    QSize listSize(318, 200);
    QString sheetPath;
    int hot = 0;
    for (int i = 3; i + 1 < args.size(); i += 2) {
        const QStringList wh = args[i + 1].split(QLatin1Char('x'));
        const QSize size = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
        if (args[i] == QLatin1String("--main") && size.isValid())
            mainSize = size;
        else if (args[i] == QLatin1String("--list") && size.isValid())
            listSize = size;
        else if (args[i] == QLatin1String("--hot"))
            hot = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--sheet"))
            sheetPath = args[i + 1];
        else {
            std::fprintf(stderr, "velmora_skin_preview: bad option %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    CSkinStateRecord state;
    state.m_bLoaded = true;
    state.m_bPlaying = true;
    state.m_strClipFileName = QStringLiteral("Harbour Lights - Evening Tide.mkv");
    state.m_strTime = QStringLiteral("00:01:47 / 00:04:12");
    state.m_llPosition = 107;
    state.m_llDuration = 252;
    state.m_nVolume = -1400;
    state.m_bRepeat = true;
    state.m_bShuffle = false;
    state.m_bPlaylistRepeat = true;
    const QStringList names = {
        QStringLiteral("Morning Market.mp3|00:03:21"),
        QStringLiteral("Harbour Lights - Evening Tide.mkv|00:04:12"),
        QStringLiteral("Night Train.ogg|00:05:02"),
        QStringLiteral("Paper Lanterns.flac|00:02:58"),
        QStringLiteral("Copper Rain (live).mp4|00:07:45"),
        QStringLiteral("Last Ferry Home.avi|00:03:33"),
    };
    state.m_nCount = names.size();
    state.m_nCurrent = 1;
    state.m_strStatus = QStringLiteral("%1 Files").arg(names.size());

    CBitmapSkin skin = sheetPath.isEmpty() ? CBitmapSkin(state) : CBitmapSkin(state, sheetPath);
    if (!skin.HasSpriteSheet()) {
        std::fprintf(stderr, "velmora_skin_preview: no sprite sheet\n");
        return 1;
    }
    bool ok = Shaped(RenderMain(skin, mainSize, hot < 1000 ? hot : 0)).save(args[1]);

    QImage list(listSize, QImage::Format_RGB32);
    list.fill(Qt::black);
    QPainter p(&list);
    QRect area;
    skin.GetListArea(listSize, area);
    PaintRows(p, area, names, 3, state.m_nCurrent);
    skin.PaintPlaylist(p, hot >= 1000 ? hot : 0, QRect(QPoint(0, 0), listSize));
    p.end();
    ok &= Shaped(list).save(args[2]);
    return ok ? 0 : 1;
}
