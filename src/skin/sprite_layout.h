// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where every piece of the "Metal Red" sprite sheet lies. Pieces are given as
// x, y, width, height; images that are copied at the size of the control they
// cover are given by their top-left corner only. Several pieces share pixels
// (edge tiles inside corners, end caps inside connectors): the art tool and
// the skin both read this table so they cannot drift apart.
namespace sprite {

inline constexpr QSize kSheetSize(376, 122);

// Main window frame and panel.
inline constexpr QRect kMainTopLeft(0, 43, 35, 25);
inline constexpr QRect kMainTopRight(91, 43, 124, 25);
inline constexpr QRect kMainBottomLeft(169, 11, 22, 21);
inline constexpr QRect kMainBottomRight(191, 11, 22, 21);
inline constexpr QRect kTopEdgeTile(25, 43, 1, 6);
inline constexpr QRect kBottomEdgeTile(25, 43, 1, 6);
inline constexpr QRect kLeftEdgeTile(203, 0, 6, 1);
inline constexpr QRect kRightEdgeTile(203, 1, 6, 1);
inline constexpr QRect kTitleBarTile(38, 49, 1, 17);
inline constexpr QRect kTransportStrip(213, 0, 163, 21);
inline constexpr QRect kConnectorA(164, 0, 28, 11);
inline constexpr QRect kConnectorB(164, 11, 5, 18);
inline constexpr QRect kBarEndCap(185, 0, 7, 11);
inline constexpr QRect kHalfEndCap(185, 0, 4, 11);
inline constexpr QRect kLowerRightGroup(308, 53, 52, 15);
inline constexpr QRect kTextLeftCap(214, 51, 12, 17);
inline constexpr QRect kTextRightCap(227, 51, 12, 17);
inline constexpr QRect kTextTile(226, 51, 1, 17);
inline constexpr QRect kGroovePixel(208, 49, 1, 1);
inline constexpr QRect kOptionsFace(291, 53, 18, 15);
inline constexpr QRect kBarJointA(290, 40, 10, 13);
inline constexpr QRect kBarJointB(301, 40, 10, 13);
inline constexpr QRect kMuteFace(274, 53, 18, 15);
inline constexpr QRect kVolumeTrackTile(194, 0, 1, 5);
inline constexpr QRect kSeekTrackTile(192, 0, 1, 11);
inline constexpr QRect kVolumeKnob(195, 0, 8, 11);
inline constexpr QRect kSeekProgressTile(193, 0, 1, 11);

// Main window button images (16 x 13 title and panel buttons, 41 x 43 play
// button, 21 x 17 transport buttons).
inline constexpr QPoint kPlayNormal(0, 0);
inline constexpr QPoint kPlayPressed(41, 0);
inline constexpr QPoint kPauseNormal(82, 0);
inline constexpr QPoint kPausePressed(123, 0);
inline constexpr QPoint kRestoreNormal(328, 40);
inline constexpr QPoint kRestorePressed(68, 68);
inline constexpr QPoint kMaximizePressed(229, 68);
inline constexpr QPoint kMinimizePressed(51, 68);
inline constexpr QPoint kClosePressed(85, 68);
inline constexpr QPoint kFullScreenPressed(34, 68);
inline constexpr QPoint kTopMostOnNormal(344, 40);
inline constexpr QPoint kTopMostOnPressed(17, 68);
inline constexpr QPoint kTopMostOffPressed(213, 68);
inline constexpr QPoint kHidePressed(0, 68);
inline constexpr QPoint kMutedNormal(240, 54);
inline constexpr QPoint kMutedPressed(101, 68);
inline constexpr QPoint kNotMutedPressed(117, 68);
inline constexpr QPoint kRepeatOffNormal(360, 54);
inline constexpr QPoint kRepeatOffPressed(197, 68);
inline constexpr QPoint kRepeatOnPressed(149, 68);
inline constexpr QPoint kShuffleOnNormal(324, 68);
inline constexpr QPoint kShuffleOnPressed(308, 68);
inline constexpr QPoint kShuffleOffPressed(293, 68);
inline constexpr QPoint kOptionsPressed(133, 68);
inline constexpr QPoint kPlaylistPressed(181, 68);
inline constexpr QPoint kPreviousPressed(224, 21);
inline constexpr QPoint kNextPressed(248, 21);
inline constexpr QPoint kSlowPressed(272, 21);
inline constexpr QPoint kFastPressed(296, 21);
inline constexpr QPoint kStopPressed(320, 21);
inline constexpr QPoint kLoadPressed(344, 21);

// Playlist window.
inline constexpr QRect kListTopLeft(0, 81, 25, 23);
inline constexpr QRect kListTopRight(39, 43, 52, 25);
inline constexpr QRect kListBottomLeft(66, 81, 91, 28);
inline constexpr QRect kListBottomRight(25, 81, 41, 29);
inline constexpr QRect kListButtonStrip(157, 81, 175, 22);
inline constexpr QRect kListTitleEndA(91, 49, 2, 19);
inline constexpr QRect kListTitleEndB(36, 49, 2, 19);
inline constexpr QRect kListCornerStud(39, 51, 11, 11);
// The thumb is laid out 17 pixels wide but the sheet holds 16 columns of it;
// the 17th column of the thumb rectangle keeps the frame drawn under it.
inline constexpr QRect kThumbNormal(360, 81, 16, 34);
inline constexpr QPoint kThumbPressed(213, 21);
inline constexpr QPoint kAddFilesPressed(164, 103);
inline constexpr QPoint kAddFolderPressed(188, 103);
inline constexpr QPoint kRemovePressed(212, 103);
inline constexpr QPoint kClearPressed(236, 103);
inline constexpr QPoint kListLoadPressed(260, 103);
inline constexpr QPoint kListSavePressed(284, 103);
inline constexpr QPoint kListSortPressed(308, 103);
inline constexpr QPoint kNameModeNormal(261, 68);
inline constexpr QPoint kNameModeOnPressed(277, 68);
inline constexpr QPoint kNameModeOffPressed(245, 68);
inline constexpr QPoint kMoveUpPressed(341, 68);
inline constexpr QPoint kMoveDownPressed(356, 68);

}  // namespace sprite
