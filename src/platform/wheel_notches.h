// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Turns wheel deltas into whole notches of 120 units, the size of one
// mouse-wheel click: a touchpad's many small deltas add up to a notch
// instead of each counting as one. Turning back drops what was left over
// in the other direction.
class CWheelNotches {
public:
    static constexpr int kUnitsPerNotch = 120;

    // The notches this delta completes, positive away from the user.
    int Add(int delta)
    {
        if ((delta > 0 && m_nRest < 0) || (delta < 0 && m_nRest > 0))
            m_nRest = 0;
        const long long sum = static_cast<long long>(m_nRest) + delta;
        m_nRest = static_cast<int>(sum % kUnitsPerNotch);
        return static_cast<int>(sum / kUnitsPerNotch);
    }

private:
    int m_nRest = 0;
};
