// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist_random.h"

#include <ctime>

void CPlaylistRandom::SeedFromTime() { Seed(static_cast<uint32_t>(std::time(nullptr))); }
