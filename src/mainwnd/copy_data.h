// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The requests a second start of the player sends to the running main
// window, and the query by which it recognises that window.

inline constexpr char kInstanceName[] = "{D6128E64-61F4-4e9f-8984-52B04B58042C}";
// The main window's answer to the query: the agreed value.
inline constexpr std::uint32_t kInstanceQueryMessage = 0xD6128E64;

enum CopyDataCode : std::uint32_t {
    COPYDATA_OPEN_FILE = 12000,
    COPYDATA_CLOSE = 12001,
    COPYDATA_ACTIVATE = 12002,
};
