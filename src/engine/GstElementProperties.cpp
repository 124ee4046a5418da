#include "engine/GstElementProperties.h"

#include "engine/GstRefs.h"
#include "engine/GstSupport.h"

#include <cmath>
#include <limits>

namespace GstElementProperties {

namespace {

bool isHousekeeping(const GParamSpec *pspec)
{
    return qstrcmp(pspec->name, "name") == 0 || qstrcmp(pspec->name, "parent") == 0;
}

bool isSupportedType(GType type)
{
    switch (G_TYPE_FUNDAMENTAL(type)) {
    case G_TYPE_BOOLEAN: case G_TYPE_INT: case G_TYPE_UINT: case G_TYPE_LONG: case G_TYPE_ULONG:
    case G_TYPE_INT64: case G_TYPE_UINT64: case G_TYPE_FLOAT: case G_TYPE_DOUBLE:
    case G_TYPE_STRING: case G_TYPE_ENUM: case G_TYPE_FLAGS:
        return true;
    default:
        return false;
    }
}

// Whether the element accepts a change of this property in the state it is in now.
bool changeableNow(GstElement *element, const GParamSpec *pspec)
{
    if (!(pspec->flags & G_PARAM_WRITABLE) || (pspec->flags & G_PARAM_CONSTRUCT_ONLY))
        return false;
    const GstState state = GST_STATE(element);
    if ((pspec->flags & GST_PARAM_MUTABLE_READY) && state > GST_STATE_READY)
        return false;
    if ((pspec->flags & GST_PARAM_MUTABLE_PAUSED) && state > GST_STATE_PAUSED)
        return false;
    return true;
}

int enumIndex(GEnumClass *klass, int value)
{
    for (guint i = 0; i < klass->n_values; ++i)
        if (klass->values[i].value == value)
            return int(i);
    return -1;
}

void fillRange(const GParamSpec *pspec, MediaEngine::FilterProperty &p)
{
    switch (G_TYPE_FUNDAMENTAL(pspec->value_type)) {
    case G_TYPE_INT: p.minimum = G_PARAM_SPEC_INT(pspec)->minimum; p.maximum = G_PARAM_SPEC_INT(pspec)->maximum; break;
    case G_TYPE_UINT: p.minimum = G_PARAM_SPEC_UINT(pspec)->minimum; p.maximum = G_PARAM_SPEC_UINT(pspec)->maximum; break;
    case G_TYPE_LONG: p.minimum = qlonglong(G_PARAM_SPEC_LONG(pspec)->minimum); p.maximum = qlonglong(G_PARAM_SPEC_LONG(pspec)->maximum); break;
    case G_TYPE_ULONG: p.minimum = qulonglong(G_PARAM_SPEC_ULONG(pspec)->minimum); p.maximum = qulonglong(G_PARAM_SPEC_ULONG(pspec)->maximum); break;
    case G_TYPE_INT64: p.minimum = qlonglong(G_PARAM_SPEC_INT64(pspec)->minimum); p.maximum = qlonglong(G_PARAM_SPEC_INT64(pspec)->maximum); break;
    case G_TYPE_UINT64: p.minimum = qulonglong(G_PARAM_SPEC_UINT64(pspec)->minimum); p.maximum = qulonglong(G_PARAM_SPEC_UINT64(pspec)->maximum); break;
    case G_TYPE_FLOAT: p.minimum = double(G_PARAM_SPEC_FLOAT(pspec)->minimum); p.maximum = double(G_PARAM_SPEC_FLOAT(pspec)->maximum); break;
    case G_TYPE_DOUBLE: p.minimum = G_PARAM_SPEC_DOUBLE(pspec)->minimum; p.maximum = G_PARAM_SPEC_DOUBLE(pspec)->maximum; break;
    case G_TYPE_FLAGS: p.minimum = 0u; p.maximum = G_PARAM_SPEC_FLAGS(pspec)->flags_class->mask; break;
    default: break;
    }
}

QVariant toVariant(const GValue *v)
{
    switch (G_TYPE_FUNDAMENTAL(G_VALUE_TYPE(v))) {
    case G_TYPE_BOOLEAN: return bool(g_value_get_boolean(v));
    case G_TYPE_INT: return g_value_get_int(v);
    case G_TYPE_UINT: return g_value_get_uint(v);
    case G_TYPE_LONG: return qlonglong(g_value_get_long(v));
    case G_TYPE_ULONG: return qulonglong(g_value_get_ulong(v));
    case G_TYPE_INT64: return qlonglong(g_value_get_int64(v));
    case G_TYPE_UINT64: return qulonglong(g_value_get_uint64(v));
    case G_TYPE_FLOAT: return double(g_value_get_float(v));
    case G_TYPE_DOUBLE: return g_value_get_double(v);
    case G_TYPE_STRING: return QString::fromUtf8(g_value_get_string(v));
    case G_TYPE_FLAGS: return g_value_get_flags(v);
    case G_TYPE_ENUM: {
        auto *klass = static_cast<GEnumClass *>(g_type_class_ref(G_VALUE_TYPE(v)));
        const int index = enumIndex(klass, g_value_get_enum(v));
        g_type_class_unref(klass);
        return index;
    }
    default: return {};
    }
}

template <typename T>
bool inRange(double x, T lo, T hi)
{
    return std::isfinite(x) && x >= double(lo) && x <= double(hi);
}

// Fills an initialised GValue of the property's type from a dialog value.
bool fromVariant(const GParamSpec *pspec, const QVariant &in, GValue *out)
{
    const GType fundamental = G_TYPE_FUNDAMENTAL(pspec->value_type);
    if (fundamental == G_TYPE_STRING) {
        if (!in.canConvert<QString>())
            return false;
        g_value_set_string(out, in.toString().toUtf8().constData());
        return true;
    }
    if (fundamental == G_TYPE_BOOLEAN) {
        if (in.typeId() == QMetaType::QString) {
            const QString s = in.toString().trimmed().toLower();
            if (s != QLatin1String("true") && s != QLatin1String("false") && s != QLatin1String("1")
                && s != QLatin1String("0"))
                return false;
            g_value_set_boolean(out, s == QLatin1String("true") || s == QLatin1String("1"));
            return true;
        }
        if (!in.canConvert<bool>())
            return false;
        g_value_set_boolean(out, in.toBool());
        return true;
    }
    if (fundamental == G_TYPE_ENUM) {
        GEnumClass *klass = G_PARAM_SPEC_ENUM(pspec)->enum_class;
        bool isIndex = false;
        const int index = in.toInt(&isIndex);
        if (isIndex && in.typeId() != QMetaType::QString) {
            if (index < 0 || guint(index) >= klass->n_values)
                return false;
            g_value_set_enum(out, klass->values[index].value);
            return true;
        }
        const QByteArray nick = in.toString().toUtf8();
        const GEnumValue *found = g_enum_get_value_by_nick(klass, nick.constData());
        if (!found)
            found = g_enum_get_value_by_name(klass, nick.constData());
        if (!found && isIndex && index >= 0 && guint(index) < klass->n_values)
            found = &klass->values[index];
        if (!found)
            return false;
        g_value_set_enum(out, found->value);
        return true;
    }

    bool ok = false;
    const double x = in.toDouble(&ok);
    if (!ok)
        return false;
    const bool integral = fundamental != G_TYPE_FLOAT && fundamental != G_TYPE_DOUBLE;
    if (integral && x != std::floor(x))
        return false;
    switch (fundamental) {
    case G_TYPE_INT: {
        auto *s = G_PARAM_SPEC_INT(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_int(out, int(x));
        return true;
    }
    case G_TYPE_UINT: {
        auto *s = G_PARAM_SPEC_UINT(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_uint(out, guint(x));
        return true;
    }
    case G_TYPE_LONG: {
        auto *s = G_PARAM_SPEC_LONG(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_long(out, in.toLongLong());
        return true;
    }
    case G_TYPE_ULONG: {
        auto *s = G_PARAM_SPEC_ULONG(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_ulong(out, in.toULongLong());
        return true;
    }
    case G_TYPE_INT64: {
        auto *s = G_PARAM_SPEC_INT64(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_int64(out, in.toLongLong());
        return true;
    }
    case G_TYPE_UINT64: {
        auto *s = G_PARAM_SPEC_UINT64(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_uint64(out, in.toULongLong());
        return true;
    }
    case G_TYPE_FLOAT: {
        auto *s = G_PARAM_SPEC_FLOAT(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_float(out, float(x));
        return true;
    }
    case G_TYPE_DOUBLE: {
        auto *s = G_PARAM_SPEC_DOUBLE(pspec);
        if (!inRange(x, s->minimum, s->maximum)) return false;
        g_value_set_double(out, x);
        return true;
    }
    case G_TYPE_FLAGS: {
        auto *s = G_PARAM_SPEC_FLAGS(pspec);
        if (x < 0 || x > double(G_MAXUINT) || (guint(x) & ~s->flags_class->mask)) return false;
        g_value_set_flags(out, guint(x));
        return true;
    }
    default:
        return false;
    }
}

} // namespace

bool hasPropertyPage(GstElement *element)
{
    guint count = 0;
    GParamSpec **pspecs = g_object_class_list_properties(G_OBJECT_GET_CLASS(element), &count);
    bool any = false;
    for (guint i = 0; i < count && !any; ++i) {
        const GParamSpec *pspec = pspecs[i];
        any = (pspec->flags & G_PARAM_READABLE) && !(pspec->flags & G_PARAM_CONSTRUCT_ONLY)
              && !isHousekeeping(pspec);
    }
    g_free(pspecs);
    return any;
}

QList<MediaEngine::FilterInfo> describe(GstElement *pipeline)
{
    QList<MediaEngine::FilterInfo> list;
    for (const gst::ElementRef &element : GstSupport::elementsOf(pipeline)) {
        MediaEngine::FilterInfo info;
        const gst::GCharPtr name(gst_element_get_name(element.get()));
        info.name = QString::fromUtf8(name.get());
        if (GstElementFactory *factory = gst_element_get_factory(element.get()))
            info.factory = QString::fromUtf8(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)));
        info.hasPropertyPage = hasPropertyPage(element.get());
        list.append(info);
    }
    return list;
}

QList<MediaEngine::FilterProperty> read(GstElement *element)
{
    QList<MediaEngine::FilterProperty> list;
    if (!element)
        return list;
    guint count = 0;
    GParamSpec **pspecs = g_object_class_list_properties(G_OBJECT_GET_CLASS(element), &count);
    for (guint i = 0; i < count; ++i) {
        GParamSpec *pspec = pspecs[i];
        if (!(pspec->flags & G_PARAM_READABLE) || isHousekeeping(pspec) || !isSupportedType(pspec->value_type))
            continue;
        gst::ValueHolder holder;
        g_value_init(&holder.value, pspec->value_type);
        g_object_get_property(G_OBJECT(element), pspec->name, &holder.value);

        MediaEngine::FilterProperty p;
        p.name = QString::fromUtf8(pspec->name);
        p.blurb = QString::fromUtf8(g_param_spec_get_blurb(pspec));
        p.value = toVariant(&holder.value);
        p.writable = changeableNow(element, pspec);
        fillRange(pspec, p);
        if (G_IS_PARAM_SPEC_ENUM(pspec)) {
            GEnumClass *klass = G_PARAM_SPEC_ENUM(pspec)->enum_class;
            for (guint v = 0; v < klass->n_values; ++v)
                p.choices << QString::fromUtf8(klass->values[v].value_nick);
        } else if (G_IS_PARAM_SPEC_FLAGS(pspec)) {
            GFlagsClass *klass = G_PARAM_SPEC_FLAGS(pspec)->flags_class;
            for (guint v = 0; v < klass->n_values; ++v) {
                p.flagNames << QString::fromUtf8(klass->values[v].value_nick);
                p.flagBits << quint32(klass->values[v].value);
            }
        }
        list.append(p);
    }
    g_free(pspecs);
    return list;
}

bool write(GstElement *element, const QString &property, const QVariant &value)
{
    if (!element || !value.isValid())
        return false;
    const QByteArray key = property.toUtf8();
    GParamSpec *pspec = g_object_class_find_property(G_OBJECT_GET_CLASS(element), key.constData());
    if (!pspec || isHousekeeping(pspec) || !isSupportedType(pspec->value_type) || !changeableNow(element, pspec))
        return false;
    gst::ValueHolder holder;
    g_value_init(&holder.value, pspec->value_type);
    if (!fromVariant(pspec, value, &holder.value))
        return false;
    g_object_set_property(G_OBJECT(element), pspec->name, &holder.value);
    return true;
}

} // namespace GstElementProperties
