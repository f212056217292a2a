// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <memory>

// Owns one reference to a GStreamer object, for members and for objects that
// change hands; locals use g_autoptr.
struct CGstObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};

template <class T>
using GstObjectPtr = std::unique_ptr<T, CGstObjectUnref>;

// Takes ownership of a newly made element, sinking its floating reference;
// null stays null.
inline GstObjectPtr<GstElement> AdoptElement(GstElement* element)
{
    return GstObjectPtr<GstElement>(element ? GST_ELEMENT(gst_object_ref_sink(element)) : nullptr);
}
