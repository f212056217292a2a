// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skin_state_record.h"

#include <cmath>

int CSkinStateRecord::GetPositionScaled(int scale) const
{
    if (!m_bLoaded || m_llDuration <= 0)
        return 0;
    return static_cast<int>(
        std::trunc(static_cast<double>(m_llPosition) / static_cast<double>(m_llDuration) * scale));
}

int CSkinStateRecord::GetVolumeLevel(int range) const
{
    if (range < 1 || range > 4000)
        return 0;
    return -(m_nVolume / (4000 / range));
}
