// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprite_map.h"

#include "skin/sprite_layout.h"

#include <QFont>
#include <QPainter>

namespace {

// Sizes at which images given by their corner are copied.
constexpr QSize kPlay(41, 43);
constexpr QSize kSmall(16, 13);
constexpr QSize kTransport(21, 17);
constexpr QSize kGrip(8, 20);

}  // namespace

std::vector<SpriteArea> SpriteMap()
{
    using namespace sprite;
    auto at = [](QPoint corner, QSize size) { return QRect(corner, size); };
    return {
        {"main top-left corner", kMainTopLeft},
        {"main top-right piece (title buttons)", kMainTopRight},
        {"main bottom-left corner", kMainBottomLeft},
        {"main bottom-right corner", kMainBottomRight},
        {"top and bottom edge tile", kTopEdgeTile},
        {"left edge tile", kLeftEdgeTile},
        {"right edge tile", kRightEdgeTile},
        {"title-bar tile", kTitleBarTile},
        {"transport strip", kTransportStrip},
        {"connector A", kConnectorA},
        {"connector B", kConnectorB},
        {"bar end cap", kBarEndCap},
        {"lower-right buttons", kLowerRightGroup},
        {"time window left cap", kTextLeftCap},
        {"time window right cap", kTextRightCap},
        {"time window tile", kTextTile},
        {"groove pixel", kGroovePixel},
        {"options face", kOptionsFace},
        {"bar joint A", kBarJointA},
        {"bar joint B", kBarJointB},
        {"mute face", kMuteFace},
        {"volume track tile", kVolumeTrackTile},
        {"seek track tile", kSeekTrackTile},
        {"volume knob", kVolumeKnob},
        {"seek progress tile", kSeekProgressTile},
        {"play", at(kPlayNormal, kPlay)},
        {"play pressed", at(kPlayPressed, kPlay)},
        {"pause", at(kPauseNormal, kPlay)},
        {"pause pressed", at(kPausePressed, kPlay)},
        {"restore", at(kRestoreNormal, kSmall)},
        {"restore pressed", at(kRestorePressed, kSmall)},
        {"maximize pressed", at(kMaximizePressed, kSmall)},
        {"minimize pressed", at(kMinimizePressed, kSmall)},
        {"close pressed", at(kClosePressed, kSmall)},
        {"full screen pressed", at(kFullScreenPressed, kSmall)},
        {"on top (on)", at(kTopMostOnNormal, kSmall)},
        {"on top (on) pressed", at(kTopMostOnPressed, kSmall)},
        {"on top (off) pressed", at(kTopMostOffPressed, kSmall)},
        {"hide pressed", at(kHidePressed, kSmall)},
        {"muted", at(kMutedNormal, kSmall)},
        {"muted pressed", at(kMutedPressed, kSmall)},
        {"not muted pressed", at(kNotMutedPressed, kSmall)},
        {"repeat off", at(kRepeatOffNormal, kSmall)},
        {"repeat off pressed", at(kRepeatOffPressed, kSmall)},
        {"repeat on pressed", at(kRepeatOnPressed, kSmall)},
        {"shuffle on", at(kShuffleOnNormal, kSmall)},
        {"shuffle on pressed", at(kShuffleOnPressed, kSmall)},
        {"shuffle off pressed", at(kShuffleOffPressed, kSmall)},
        {"options pressed", at(kOptionsPressed, kSmall)},
        {"playlist pressed", at(kPlaylistPressed, kSmall)},
        {"previous pressed", at(kPreviousPressed, kTransport)},
        {"next pressed", at(kNextPressed, kTransport)},
        {"slower pressed", at(kSlowPressed, kTransport)},
        {"faster pressed", at(kFastPressed, kTransport)},
        {"stop pressed", at(kStopPressed, kTransport)},
        {"load pressed", at(kLoadPressed, kTransport)},
        {"list top-left corner", kListTopLeft},
        {"list top-right piece", kListTopRight},
        {"list bottom-left piece", kListBottomLeft},
        {"list bottom-right piece", kListBottomRight},
        {"list button strip", kListButtonStrip},
        {"list title end A", kListTitleEndA},
        {"list title end B", kListTitleEndB},
        {"list corner stud", kListCornerStud},
        {"scroll thumb", kThumbNormal},
        {"scroll thumb pressed", at(kThumbPressed, kGrip)},
        {"add files pressed", at(kAddFilesPressed, kTransport)},
        {"add folder pressed", at(kAddFolderPressed, kTransport)},
        {"remove pressed", at(kRemovePressed, kTransport)},
        {"clear pressed", at(kClearPressed, kTransport)},
        {"load list pressed", at(kListLoadPressed, kTransport)},
        {"save list pressed", at(kListSavePressed, kTransport)},
        {"sort pressed", at(kListSortPressed, kTransport)},
        {"full names", at(kNameModeNormal, kSmall)},
        {"short names pressed", at(kNameModeOnPressed, kSmall)},
        {"full names pressed", at(kNameModeOffPressed, kSmall)},
        {"move up pressed", at(kMoveUpPressed, kSmall)},
        {"move down pressed", at(kMoveDownPressed, kSmall)},
    };
}

QImage AnnotatedMap(const QImage& sheet, int scale)
{
    QImage map = sheet.convertToFormat(QImage::Format_RGB32).scaled(sheet.size() * scale);
    QPainter painter(&map);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(scale * 2, 9));
    painter.setFont(font);
    const std::vector<SpriteArea> areas = SpriteMap();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        // Neighbouring areas in different colours, so shared edges show.
        const QColor colour = QColor::fromHsv(static_cast<int>(i * 47 % 360), 255, 255);
        const QRect r(areas[i].rect.topLeft() * scale, areas[i].rect.size() * scale);
        painter.setPen(colour);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        const QString label = QString::number(i + 1);
        const QRect box = painter.fontMetrics().boundingRect(label).adjusted(-1, 0, 1, 0);
        const QRect at(r.topLeft() + QPoint(1, 1), box.size());
        painter.fillRect(at, QColor(0, 0, 0, 170));
        painter.drawText(at, Qt::AlignCenter, label);
    }
    return map;
}
