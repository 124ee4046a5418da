#include "engine/PluginInstaller.h"

#include <gst/gst.h>
#include <gst/pbutils/install-plugins.h>

#include <vector>

namespace PluginInstaller {

bool ask(const QStringList &details, unsigned long transientFor)
{
    if (details.isEmpty() || !gst_install_plugins_supported())
        return false;
    std::vector<QByteArray> bytes;
    for (const QString &detail : details)
        bytes.push_back(detail.toUtf8());
    std::vector<gchar *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    GstInstallPluginsContext *context = gst_install_plugins_context_new();
    if (transientFor)
        gst_install_plugins_context_set_xid(context, guint(transientFor));
    const GstInstallPluginsReturn started = gst_install_plugins_async(
        argv.data(), context,
        [](GstInstallPluginsReturn result, gpointer) {
            if (result == GST_INSTALL_PLUGINS_SUCCESS || result == GST_INSTALL_PLUGINS_PARTIAL_SUCCESS)
                gst_update_registry();
        },
        nullptr);
    gst_install_plugins_context_free(context);
    return started == GST_INSTALL_PLUGINS_STARTED_OK;
}

} // namespace PluginInstaller
