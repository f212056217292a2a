// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the playlist is kept between runs: "default.vml" beside the
// executable when that folder is writable (a portable install), otherwise
// $XDG_DATA_HOME/Velmora/default.vml. The system's program folders (/usr,
// /bin, /sbin) never count as writable: a player installed there and run by
// root must not leave a file among the system's programs.
QString DefaultPlaylistPath();

// The rule itself, for a given executable folder and data home.
QString DefaultPlaylistPath(const QString& executableDir, const QString& dataHome);
