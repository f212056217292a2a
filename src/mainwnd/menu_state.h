// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/skin_catalog.h"

#include <QString>
#include <QStringList>

#include <vector>

// What the menus show, read from the engine, the settings and the windows
// at every opening.
struct CMenuState {
    bool mainWindowVisible = false;
    bool fullScreen = false;
    bool topMost = false;
    int skin = 0;                            // the look on screen: "Skin"
    QString userSkin;                        // the user's skin on screen while `skin` is 0
    std::vector<CUserSkinFolder> userSkins;  // found at this opening
    int shutdownMode = 0;
    bool loaded = false;
    bool hasVideo = false;
    bool hasAudio = false;
    bool playing = false;
    bool paused = false;
    bool stopped = false;
    bool muted = false;
    bool repeat = false;
    bool subtitleFile = false;
    // The clip's streams by name, and the one playing (-1: none, subtitles off).
    QStringList audioTracks;
    int currentAudio = -1;
    QStringList subtitleTracks;
    int currentSubtitle = -1;
};
