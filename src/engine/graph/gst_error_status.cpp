// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/gst_error_status.h"

#include <gst/gst.h>

HRESULT StatusFromGstError(const GError* error)
{
    if (!error)
        return E_FAIL;
    if (error->domain == GST_RESOURCE_ERROR) {
        switch (error->code) {
        case GST_RESOURCE_ERROR_NOT_FOUND:
        case GST_RESOURCE_ERROR_OPEN_READ:
        case GST_RESOURCE_ERROR_OPEN_READ_WRITE:
        case GST_RESOURCE_ERROR_READ:
        case GST_RESOURCE_ERROR_NOT_AUTHORIZED: return VFW_E_NOT_FOUND;
        case GST_RESOURCE_ERROR_OPEN_WRITE:
        case GST_RESOURCE_ERROR_WRITE:
        case GST_RESOURCE_ERROR_BUSY: return VFW_E_NO_AUDIO_HARDWARE;
        default: return E_FAIL;
        }
    }
    if (error->domain == GST_STREAM_ERROR) {
        switch (error->code) {
        case GST_STREAM_ERROR_TYPE_NOT_FOUND:
        case GST_STREAM_ERROR_WRONG_TYPE:
        case GST_STREAM_ERROR_DEMUX:
        case GST_STREAM_ERROR_DECODE:
        case GST_STREAM_ERROR_FORMAT: return VFW_E_INVALID_FILE_FORMAT;
        case GST_STREAM_ERROR_CODEC_NOT_FOUND:
        case GST_STREAM_ERROR_NOT_IMPLEMENTED: return VFW_E_UNSUPPORTED_STREAM;
        default: return VFW_E_CANNOT_RENDER;
        }
    }
    if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN)
        return VFW_E_UNSUPPORTED_STREAM;
    return E_FAIL;
}
