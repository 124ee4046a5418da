#pragma once

// The "filters in use" view of a pipeline: which elements run, and their GObject properties
// as plain values a property dialog can show and change.

#include "engine/MediaEngine.h"

#include <gst/gst.h>

namespace GstElementProperties {

// Name, factory and property-page presence of every element inside the pipeline.
QList<MediaEngine::FilterInfo> describe(GstElement *pipeline);

// True when the element has something to show: a readable property that is not fixed at
// construction, other than its name and parent.
bool hasPropertyPage(GstElement *element);

// The element's readable properties of simple types (numbers, booleans, strings, enums,
// flags); others (objects, caps, boxed values) cannot be edited in a dialog and are left out.
QList<MediaEngine::FilterProperty> read(GstElement *element);

// Sets one property from a dialog value; false when the property is unknown, read-only,
// not changeable in the element's present state, of another type, or out of range.
// Enums take the index of their choice or its nick.
bool write(GstElement *element, const QString &property, const QVariant &value);

} // namespace GstElementProperties
