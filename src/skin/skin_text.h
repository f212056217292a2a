// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The skin's texts keep the skin's left-to-right layout in every interface
// language: they are drawn by a left-to-right painter, and a piece with a
// direction of its own (a file name, a translated text) is isolated, so that
// it reads in its own direction without moving the numbers around it.
inline QString InOwnDirection(const QString& text)
{
    // First strong isolate ... pop directional isolate.
    return QChar(0x2068) + text + QChar(0x2069);
}
