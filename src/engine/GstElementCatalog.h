#pragma once

// What the media framework can make for the filters dialog: the installed element
// factories and the sound output devices, and elements made from the keys they are listed
// under.

#include "core/FilterCatalog.h"
#include "engine/GstRefs.h"
#include "engine/MediaEngine.h"

namespace GstElementCatalog {

// Every element factory in the registry whose class puts it in one of the dialog's lists.
QList<FilterCatalog::Offer> factories();

// The sound output devices the device monitor lists now, keyed "device:" + display name
// and, where the device says, what tells it from others of that name.
QList<FilterCatalog::Offer> audioOutputDevices();

bool isDeviceKey(const QString &key);

// An element from a factory name or a device key, with the preset's settings given to it
// (one it does not take is skipped with a warning). Null when the factory is unknown or the
// device is not there any more.
gst::ElementRef make(const MediaEngine::Preset &preset, const char *name = nullptr);

} // namespace GstElementCatalog
