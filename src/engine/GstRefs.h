#pragma once

// Owning handles for GStreamer and GLib references, so that no code path of the engine
// has to remember an unref. Ref<T> holds exactly one reference and drops it when it dies.

#include <gst/gst.h>

#include <memory>
#include <utility>

namespace gst {

template <typename T> struct RefTraits;

template <typename T> struct ObjectRefTraits
{
    static void ref(T *p) { gst_object_ref(p); }
    static void unref(T *p) { gst_object_unref(p); }
};

template <> struct RefTraits<GstElement> : ObjectRefTraits<GstElement> {};
template <> struct RefTraits<GstPad> : ObjectRefTraits<GstPad> {};
template <> struct RefTraits<GstBus> : ObjectRefTraits<GstBus> {};
template <> struct RefTraits<GstDeviceMonitor> : ObjectRefTraits<GstDeviceMonitor> {};
template <> struct RefTraits<GstDevice> : ObjectRefTraits<GstDevice> {};
template <> struct RefTraits<GstElementFactory> : ObjectRefTraits<GstElementFactory> {};

template <> struct RefTraits<GstMessage>
{
    static void ref(GstMessage *p) { gst_message_ref(p); }
    static void unref(GstMessage *p) { gst_message_unref(p); }
};
template <> struct RefTraits<GstSample>
{
    static void ref(GstSample *p) { gst_sample_ref(p); }
    static void unref(GstSample *p) { gst_sample_unref(p); }
};
template <> struct RefTraits<GstCaps>
{
    static void ref(GstCaps *p) { gst_caps_ref(p); }
    static void unref(GstCaps *p) { gst_caps_unref(p); }
};
template <> struct RefTraits<GstBuffer>
{
    static void ref(GstBuffer *p) { gst_buffer_ref(p); }
    static void unref(GstBuffer *p) { gst_buffer_unref(p); }
};
template <> struct RefTraits<GstQuery>
{
    static void ref(GstQuery *p) { gst_query_ref(p); }
    static void unref(GstQuery *p) { gst_query_unref(p); }
};

template <typename T>
class Ref
{
public:
    Ref() noexcept = default;
    Ref(const Ref &other) noexcept : m_p(other.m_p) { if (m_p) RefTraits<T>::ref(m_p); }
    Ref(Ref &&other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~Ref() { reset(); }

    Ref &operator=(Ref other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a reference the caller owns (a "transfer full" return value).
    static Ref adopt(T *p) noexcept
    {
        Ref r;
        r.m_p = p;
        return r;
    }
    // Adds a reference of our own to a borrowed pointer.
    static Ref share(T *p) noexcept
    {
        if (p)
            RefTraits<T>::ref(p);
        return adopt(p);
    }

    T *get() const noexcept { return m_p; }
    T *operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    T *release() noexcept { return std::exchange(m_p, nullptr); }
    void reset() noexcept
    {
        if (T *p = std::exchange(m_p, nullptr))
            RefTraits<T>::unref(p);
    }

private:
    T *m_p = nullptr;
};

using ElementRef = Ref<GstElement>;
using PadRef = Ref<GstPad>;
using BusRef = Ref<GstBus>;
using MessageRef = Ref<GstMessage>;
using SampleRef = Ref<GstSample>;
using CapsRef = Ref<GstCaps>;
using BufferRef = Ref<GstBuffer>;
using QueryRef = Ref<GstQuery>;

// Elements come out of their factories with a floating reference; sinking it makes the
// handle the one owner, and a bin that takes the element later adds its own reference.
inline ElementRef sink(GstElement *element)
{
    if (element)
        gst_object_ref_sink(element);
    return ElementRef::adopt(element);
}

inline ElementRef make(const char *factory, const char *name = nullptr)
{
    return sink(gst_element_factory_make(factory, name));
}

struct GFreeDeleter
{
    void operator()(void *p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;

struct StructureDeleter
{
    void operator()(GstStructure *s) const { gst_structure_free(s); }
};
using StructurePtr = std::unique_ptr<GstStructure, StructureDeleter>;

struct ErrorDeleter
{
    void operator()(GError *e) const { g_error_free(e); }
};
using ErrorPtr = std::unique_ptr<GError, ErrorDeleter>;

struct IteratorDeleter
{
    void operator()(GstIterator *it) const { gst_iterator_free(it); }
};
using IteratorPtr = std::unique_ptr<GstIterator, IteratorDeleter>;

struct ValueHolder
{
    GValue value = G_VALUE_INIT;
    ValueHolder() = default;
    ValueHolder(const ValueHolder &) = delete;
    ValueHolder &operator=(const ValueHolder &) = delete;
    ~ValueHolder()
    {
        if (G_IS_VALUE(&value))
            g_value_unset(&value);
    }
};

} // namespace gst
