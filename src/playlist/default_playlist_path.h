#pragma once

#include <QString>

// Where the playlist is kept between runs: "default.vml" beside the
// executable when that folder is writable (a portable install), otherwise
// $XDG_DATA_HOME/Velmora/default.vml.
QString DefaultPlaylistPath();

// The rule itself, for a given executable folder and data home.
QString DefaultPlaylistPath(const QString& executableDir, const QString& dataHome);
