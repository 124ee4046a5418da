#include "engine/GstElementCatalog.h"

#include "engine/GstElementProperties.h"
#include "engine/GstSupport.h"

#include <vector>

namespace GstElementCatalog {

namespace {

const QString DevicePrefix = QStringLiteral("device:");

// What a device says about itself that its display name may not: the system's own name of
// the output (the sound servers and ALSA each call it differently).
QString deviceDetail(GstDevice *device)
{
    const gst::StructurePtr props(gst_device_get_properties(device));
    if (props)
        for (const char *field : {"node.name", "device.name", "object.path", "api.alsa.path", "alsa.card"}) {
            if (const gchar *text = gst_structure_get_string(props.get(), field))
                return QString::fromUtf8(text);
            gint number = 0;
            if (gst_structure_get_int(props.get(), field, &number))
                return QString::number(number);
        }
    return {};
}

struct Device
{
    FilterCatalog::Offer offer;
    gst::Ref<GstDevice> device;
};

std::vector<Device> probeDevices()
{
    std::vector<Device> found;
    if (!GstSupport::ensureInitialized())
        return found;
    auto monitor = gst::Ref<GstDeviceMonitor>::adopt(gst_device_monitor_new());
    gst_device_monitor_add_filter(monitor.get(), "Audio/Sink", nullptr);
    GList *devices = gst_device_monitor_get_devices(monitor.get());
    for (GList *l = devices; l; l = l->next) {
        GstDevice *device = GST_DEVICE(l->data);
        const gst::GCharPtr display(gst_device_get_display_name(device));
        const gst::GCharPtr klass(gst_device_get_device_class(device));
        Device d;
        d.offer.name = QString::fromUtf8(display.get());
        d.offer.klass = QString::fromUtf8(klass.get());
        d.offer.detail = deviceDetail(device);
        d.offer.key = DevicePrefix + d.offer.name + QLatin1Char('|') + d.offer.detail;
        d.device = gst::Ref<GstDevice>::share(device);
        found.push_back(std::move(d));
    }
    g_list_free_full(devices, gst_object_unref);
    return found;
}

} // namespace

QList<FilterCatalog::Offer> factories()
{
    QList<FilterCatalog::Offer> offers;
    if (!GstSupport::ensureInitialized())
        return offers;
    // Every factory: the registry's type filters know no filters and effects.
    GList *list = gst_registry_get_feature_list(gst_registry_get(), GST_TYPE_ELEMENT_FACTORY);
    for (GList *l = list; l; l = l->next) {
        GstElementFactory *factory = GST_ELEMENT_FACTORY(l->data);
        const QString klass =
            QString::fromUtf8(gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS));
        if (FilterCatalog::listOf(klass) < 0)
            continue;
        const QString name = QString::fromUtf8(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)));
        offers.append({name, QString::fromUtf8(gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME)),
                       klass, name});
    }
    gst_plugin_feature_list_free(list);
    return offers;
}

QList<FilterCatalog::Offer> audioOutputDevices()
{
    QList<FilterCatalog::Offer> offers;
    for (const Device &d : probeDevices())
        offers.append(d.offer);
    return offers;
}

bool isDeviceKey(const QString &key)
{
    return key.startsWith(DevicePrefix);
}

gst::ElementRef make(const MediaEngine::Preset &preset, const char *name)
{
    gst::ElementRef element;
    if (isDeviceKey(preset.element)) {
        for (const Device &d : probeDevices())
            if (d.offer.key == preset.element) {
                element = gst::sink(gst_device_create_element(d.device.get(), name));
                break;
            }
    } else {
        element = GstSupport::makeElement(preset.element, name);
    }
    if (!element)
        return element;
    for (auto it = preset.properties.cbegin(); it != preset.properties.cend(); ++it)
        if (!GstElementProperties::write(element.get(), it.key(), it.value()))
            qWarning("%s does not take %s = %s", qPrintable(preset.element), qPrintable(it.key()),
                     qPrintable(it.value().toString()));
    return element;
}

} // namespace GstElementCatalog
