// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/hresult.h"

#include <glib.h>

// The status a GStreamer error stands for.
HRESULT StatusFromGstError(const GError* error);
