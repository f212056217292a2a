// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The playlist's random source for shuffle: a 32-bit linear congruential
// generator that starts at 1, the sequence of the classic C library rand().
class CPlaylistRandom {
public:
    // 0 ... 32767.
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }
    void Seed(uint32_t seed) { m_state = seed; }
    // Seeds with the current time in whole seconds since 1970; done whenever
    // the user switches shuffle on.
    void SeedFromTime();

private:
    uint32_t m_state = 1;
};
