#pragma once

#include <QStringList>

// The desktop's installer for missing GStreamer plugins (the distribution's helper, which
// speaks to PackageKit).
namespace PluginInstaller {

// Starts the installer for the missing-plugin details, over the window `transientFor`
// (0 for none). False when no installer exists here or it could not be started; true once
// it runs. When it finishes having installed something, the plugin registry is reread so
// that the next film built finds the new decoders.
bool ask(const QStringList &details, unsigned long transientFor);

} // namespace PluginInstaller
