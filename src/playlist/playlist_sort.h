// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/playlist_row.h"

#include <memory>
#include <vector>

// Sorts rows by one of their texts with a three-way quicksort whose handling
// of equal keys decides where rows with equal texts end up. Texts compare
// by the current locale's collation, letter case deciding only between
// otherwise equal texts; each row's key is computed once, as bytes.
void SortRowsByText(std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text);
