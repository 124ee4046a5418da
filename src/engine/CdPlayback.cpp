#include "engine/CdPlayback.h"

#include "engine/GstSupport.h"

#include <gst/audio/audio.h>

#include <cmath>

// Reads the samples handed to the audio output, in the streaming thread.
struct CdPlayback::Meter
{
    mutable std::mutex mutex;
    qint64 buffers = 0;
    qint64 samples = 0;
    qint64 crossings = 0;
    double squares = 0;
    int rate = 44100;
    bool negative = false;

    void reset()
    {
        std::lock_guard lock(mutex);
        buffers = samples = crossings = 0;
        squares = 0;
    }

    void take(GstPad *pad, GstBuffer *buffer)
    {
        gst::CapsRef caps = gst::CapsRef::adopt(gst_pad_get_current_caps(pad));
        GstAudioInfo info;
        if (!caps || !gst_audio_info_from_caps(&info, caps.get()) || GST_AUDIO_INFO_FORMAT(&info) != GST_AUDIO_FORMAT_S16LE)
            return;
        GstMapInfo map;
        if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
            return;
        const int channels = qMax(1, GST_AUDIO_INFO_CHANNELS(&info));
        const auto *data = reinterpret_cast<const qint16 *>(map.data);
        const qint64 frames = qint64(map.size / sizeof(qint16)) / channels;
        std::lock_guard lock(mutex);
        rate = GST_AUDIO_INFO_RATE(&info);
        ++buffers;
        for (qint64 i = 0; i < frames; ++i) {
            const int v = data[i * channels];
            if (negative && v >= 0)
                ++crossings;
            negative = v < 0;
            squares += double(v) * v;
        }
        samples += frames;
        gst_buffer_unmap(buffer, &map);
    }

    Sound read() const
    {
        std::lock_guard lock(mutex);
        Sound s;
        s.buffers = buffers;
        if (samples > 0) {
            s.pitchHz = double(crossings) * rate / double(samples);
            s.level = std::sqrt(squares / double(samples)) / 32768.0;
        }
        return s;
    }
};

CdPlayback::CdPlayback() : m_meter(std::make_shared<Meter>()) {}

CdPlayback::~CdPlayback() { stop(); }

bool CdPlayback::play(const QString &device, int track, qint64 fromNs)
{
    if (m_pipeline && (device != m_device || track != m_track || m_ended))
        stop();
    m_meter->reset();
    const bool fresh = !m_pipeline;
    if (fresh) {
        if (!GstSupport::ensureInitialized())
            return false;
        auto source = gst::make("cdiocddasrc");
        auto convert = gst::make("audioconvert");
        auto resample = gst::make("audioresample");
        auto volume = gst::make("volume", "volume");
        auto format = gst::make("capsfilter");
        auto output = GstSupport::makeAudioOutput();
        if (!source || !convert || !resample || !volume || !format || !output)
            return false;
        g_object_set(source.get(), "device", device.toUtf8().constData(), "track", guint(track), nullptr);
        // Plain 16-bit samples at the output, so what it receives can be read back.
        auto caps = gst::CapsRef::adopt(gst_caps_from_string("audio/x-raw,format=S16LE,layout=interleaved"));
        g_object_set(format.get(), "caps", caps.get(), nullptr);
        g_object_set(volume.get(), "volume", m_gain, nullptr);
        auto pipeline = gst::sink(gst_pipeline_new("cdaudio"));
        gst_bin_add_many(GST_BIN(pipeline.get()), source.get(), convert.get(), resample.get(), volume.get(),
                         format.get(), output.get(), nullptr);
        if (!gst_element_link_many(source.get(), convert.get(), resample.get(), volume.get(), format.get(),
                                   output.get(), nullptr))
            return false;
        auto pad = gst::PadRef::adopt(gst_element_get_static_pad(output.get(), "sink"));
        std::weak_ptr<Meter> meter = m_meter;
        gst_pad_add_probe(
            pad.get(), GST_PAD_PROBE_TYPE_BUFFER,
            [](GstPad *p, GstPadProbeInfo *info, gpointer data) {
                if (auto m = static_cast<std::weak_ptr<Meter> *>(data)->lock())
                    m->take(p, GST_PAD_PROBE_INFO_BUFFER(info));
                return GST_PAD_PROBE_OK;
            },
            new std::weak_ptr<Meter>(meter), [](gpointer data) { delete static_cast<std::weak_ptr<Meter> *>(data); });
        m_pipeline = pipeline;
        m_device = device;
        m_track = track;
        m_ended = false;
        if (gst_element_set_state(m_pipeline.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE
            || gst_element_get_state(m_pipeline.get(), nullptr, nullptr, 5 * GST_SECOND) == GST_STATE_CHANGE_FAILURE) {
            stop();
            return false;
        }
    }
    m_lastNs = fromNs;
    // A new pipeline stands at the track's start already.
    if (!fresh || fromNs > 0)
        seek(fromNs);
    m_wantPlaying = true;
    gst_element_set_state(m_pipeline.get(), GST_STATE_PLAYING);
    return true;
}

bool CdPlayback::seek(qint64 ns)
{
    return gst_element_seek_simple(m_pipeline.get(), GST_FORMAT_TIME,
                                   GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), qMax<qint64>(0, ns));
}

void CdPlayback::pause()
{
    if (!m_pipeline)
        return;
    m_wantPlaying = false;
    gst_element_set_state(m_pipeline.get(), GST_STATE_PAUSED);
}

void CdPlayback::resume()
{
    if (!m_pipeline || m_ended)
        return;
    m_wantPlaying = true;
    gst_element_set_state(m_pipeline.get(), GST_STATE_PLAYING);
}

void CdPlayback::stop()
{
    if (!m_pipeline)
        return;
    gst_element_set_state(m_pipeline.get(), GST_STATE_NULL);
    m_pipeline.reset();
    m_lastNs = 0;
    m_ended = false;
    m_wantPlaying = false;
}

void CdPlayback::setVolume(double gain)
{
    m_gain = gain;
    if (!m_pipeline)
        return;
    auto volume = gst::ElementRef::adopt(gst_bin_get_by_name(GST_BIN(m_pipeline.get()), "volume"));
    if (volume)
        g_object_set(volume.get(), "volume", gain, nullptr);
}

void CdPlayback::readBus()
{
    if (!m_pipeline)
        return;
    auto bus = gst::BusRef::adopt(gst_element_get_bus(m_pipeline.get()));
    while (GstMessage *raw = gst_bus_pop_filtered(bus.get(), GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR))) {
        const auto message = gst::MessageRef::adopt(raw);
        if (GST_MESSAGE_TYPE(raw) == GST_MESSAGE_ERROR) {
            GError *error = nullptr;
            gst_message_parse_error(raw, &error, nullptr);
            qWarning("Audio CD: %s", error ? error->message : "playback error");
            g_clear_error(&error);
        }
        m_ended = true;
        m_wantPlaying = false;
    }
}

bool CdPlayback::playing()
{
    readBus();
    return m_pipeline && m_wantPlaying && !m_ended;
}

bool CdPlayback::ended()
{
    readBus();
    return m_ended;
}

qint64 CdPlayback::positionNs()
{
    // Just after a seek the pipeline cannot tell yet: the sought position is the answer.
    gint64 ns = 0;
    if (m_pipeline && gst_element_query_position(m_pipeline.get(), GST_FORMAT_TIME, &ns) && ns >= 0)
        m_lastNs = ns;
    return m_lastNs;
}

CdPlayback::Sound CdPlayback::sound() const { return m_meter->read(); }
