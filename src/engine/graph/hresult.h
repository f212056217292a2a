// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Status codes of the graph layer, shaped like the HRESULTs the player's
// engine was designed around: negative values are failures.
using HRESULT = std::int32_t;
using LONGLONG = std::int64_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

// Media errors: where a GStreamer error lands.
constexpr HRESULT VFW_E_NOT_FOUND = static_cast<HRESULT>(0x80040216u);      // file missing or unreadable
constexpr HRESULT VFW_E_CANNOT_RENDER = static_cast<HRESULT>(0x80040218u);  // no way to play the streams
constexpr HRESULT VFW_E_WRONG_STATE = static_cast<HRESULT>(0x80040227u);    // operation refused in this state
constexpr HRESULT VFW_E_TIMEOUT = static_cast<HRESULT>(0x8004022Eu);        // preroll did not finish in time
constexpr HRESULT VFW_E_INVALID_FILE_FORMAT = static_cast<HRESULT>(0x8004022Fu);  // corrupt or unknown data
constexpr HRESULT VFW_E_NO_AUDIO_HARDWARE = static_cast<HRESULT>(0x80040256u);    // audio output failed
constexpr HRESULT VFW_E_UNSUPPORTED_STREAM = static_cast<HRESULT>(0x80040265u);   // no decoder for a stream

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
