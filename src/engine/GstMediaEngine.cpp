#include "engine/GstMediaEngine.h"

#include "engine/FrameGrabber.h"
#include "engine/GstBusBridge.h"
#include "engine/GstElementCatalog.h"
#include "engine/GstElementProperties.h"
#include "engine/GstPlaybin.h"
#include "engine/GstRefs.h"
#include "engine/GstSupport.h"
#include "engine/PluginInstaller.h"
#include "engine/VideoSurface.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <gst/video/video.h>
#include <gst/video/videooverlay.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

using namespace GstPlaybin;

constexpr int PrerollTimeoutMs = 10000;
constexpr int SeekSettleMs = 3000;
constexpr auto StepTimeout = std::chrono::milliseconds(3000);
constexpr qint64 NsPerUnit = 100;

QSize sizeFromCaps(GstCaps *caps)
{
    GstVideoInfo info;
    if (!caps || !gst_video_info_from_caps(&info, caps))
        return {};
    return {GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)};
}

QString factoryName(GstElement *element)
{
    GstElementFactory *factory = element ? gst_element_get_factory(element) : nullptr;
    return factory ? QString::fromUtf8(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory))) : QString();
}

} // namespace

struct GstMediaEngine::Graph
{
    GstPlaybin::Parts parts;
    gst::ElementRef renderer;      // the element that draws the picture, once known
    std::shared_ptr<GstBusBridge> bus;
    FrameGrabber grabber;

    GstElement *pipeline() const { return parts.pipeline.get(); }

    bool loaded = false;           // a file was given to this graph
    bool rendered = false;         // and it prerolled
    bool hasVideo = false;
    QSize videoSize;
    qint64 frames = 0;
    Transport transport = Transport::Stopped;
    bool stepped = false;          // the picture was stepped away from the sound

    qint64 drawnBanked = 0;        // frames drawn before the sink last zeroed its count
    QElapsedTimer playClock;
    qint64 playedMs = 0;
    qint64 playedFrames = 0;
    qint64 drawnAtPlayStart = 0;
};

GstMediaEngine::GstMediaEngine(QObject *parent) : MediaEngine(parent)
{
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(40);
    connect(m_refreshTimer, &QTimer::timeout, this, &GstMediaEngine::refreshPausedPicture);
}

GstMediaEngine::~GstMediaEngine()
{
    release();
    if (m_surface) {
        m_surface->setDestroyHandler(nullptr);
        m_surface->setExposeHandler(nullptr);
        delete m_surface.data();
    }
    m_parking.reset();
}

int GstMediaEngine::livePipelines()
{
    return GstPlaybin::alive();
}

// --- graph lifecycle -------------------------------------------------------------------

bool GstMediaEngine::create()
{
    m_dropped.clear();
    return createGraph();
}

bool GstMediaEngine::createGraph()
{
    release();
    const auto unlessDropped = [this](const Preset &preset) {
        return m_dropped.contains(preset.element) ? Preset() : preset;
    };
    auto graph = std::make_unique<Graph>();
    graph->parts = GstPlaybin::build(unlessDropped(m_presetVideo), unlessDropped(m_presetAudio),
                                     m_dropped.contains(m_presetOutput) ? QString() : m_presetOutput);
    if (!graph->parts.pipeline)
        return false;
    m_dropped << graph->parts.dropped;
    graph->bus = GstBusBridge::install(graph->pipeline(), this, [this](GstMessage *message, bool afterLoad) {
        handleMessage(message, afterLoad);
    });
    auto balanceSrc = gst::PadRef::adopt(gst_element_get_static_pad(graph->parts.balance.get(), "src"));
    graph->grabber.attach(balanceSrc.get());
    m_textTrack = -1;
    ++m_textGeneration;
    g_signal_connect(graph->parts.textSink.get(), "handoff", G_CALLBACK(&GstMediaEngine::onTextBuffer), this);
    graph->renderer = GstSupport::renderingSink(graph->parts.videoSink.get());

    m_rate = 1.0;
    m_graph = std::move(graph);
    ensureSurface();
    attachSurfaceToSink();
    applyVolume();
    applyBalance();
    applyPictureControls();
    return true;
}

void GstMediaEngine::release()
{
    m_refreshTimer->stop();
    if (m_graph) {
        const std::unique_ptr<Graph> graph = std::move(m_graph);
        gst_element_set_state(graph->pipeline(), GST_STATE_NULL);
        graph->bus->detach(graph->pipeline());
        graph->grabber.detach();
    }
    if (m_owner)
        setOwner(nullptr);
}

bool GstMediaEngine::isCreated() const
{
    return m_graph != nullptr;
}

void GstMediaEngine::setPresetFilters(const Preset &videoFilter, const Preset &audioFilter,
                                      const QString &audioOutput)
{
    m_presetVideo = Preset(videoFilter.element.trimmed(), videoFilter.properties);
    m_presetAudio = Preset(audioFilter.element.trimmed(), audioFilter.properties);
    m_presetOutput = audioOutput.trimmed();
}

QString GstMediaEngine::failingPreset() const
{
    const QStringList sources = m_graph->bus->loadErrorSources();
    const GstPlaybin::Parts &parts = m_graph->parts;
    const std::pair<GstElement *, QString> chosen[] = {{parts.extraVideo.get(), m_presetVideo.element},
                                                       {parts.extraAudio.get(), m_presetAudio.element},
                                                       {parts.audioOutput.get(), m_presetOutput}};
    for (const auto &[element, key] : chosen) {
        if (!element)
            continue;
        const gst::GCharPtr path(gst_object_get_path_string(GST_OBJECT(element)));
        const QString own = QString::fromUtf8(path.get());
        for (const QString &source : sources)
            if (source == own || source.startsWith(own + QLatin1Char('/')))
                return key;
    }
    // A filter the pictures or the sound cannot be negotiated through stops the stream
    // upstream of it, so the error names the demuxer; with a readable file the chosen filters
    // are what is new in the graph.
    if (!sources.isEmpty() && m_graph->bus->errorsRetryable())
        for (const auto &[element, key] : chosen)
            if (element && element != parts.audioOutput.get())
                return key;
    return {};
}

MediaEngine::RenderResult GstMediaEngine::render(const QString &path)
{
    if (!m_graph)
        return RenderResult::Failed;
    // A graph holds one file; loading another starts from a fresh graph.
    if (m_graph->loaded && !create())
        return RenderResult::Failed;

    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile() || !file.isReadable())
        return RenderResult::Failed;
    const gst::GCharPtr uri(gst_filename_to_uri(QFile::encodeName(file.absoluteFilePath()).constData(), nullptr));
    if (!uri)
        return RenderResult::Failed;
    m_graph->loaded = true;
    m_missing.clear();

    RenderResult result = prerollWith(uri.get(), 0);
    // A chosen element that fails to start is taken out again, and the file tried without it.
    while (result != RenderResult::Ok) {
        const QString failing = failingPreset();
        if (failing.isEmpty())
            break;
        qWarning("%s could not start; playing without it", qPrintable(failing));
        m_dropped << failing;
        if (!createGraph())
            return RenderResult::Failed;
        m_graph->loaded = true;
        result = prerollWith(uri.get(), 0);
    }
    const bool retry = result == RenderResult::Failed && m_graph->bus->loadFailed() && m_graph->bus->errorsRetryable();
    // One stream failing must not cost the other: try again without sound, then without
    // picture, and report what could be played as a partial success.
    for (const guint drop : {guint(FlagAudio), guint(FlagVideo)}) {
        if (!retry)
            break;
        if (prerollWith(uri.get(), drop) != RenderResult::Failed) {
            result = RenderResult::Partial;
            break;
        }
    }

    m_graph->bus->finishLoading();
    if (result == RenderResult::Failed) {
        for (const QString &error : m_graph->bus->loadErrors())
            qWarning("Cannot play %s: %s", qPrintable(path), qPrintable(error));
        gst_element_set_state(m_graph->pipeline(), GST_STATE_NULL);
        return result;
    }
    m_graph->rendered = true;
    m_graph->transport = Transport::Paused;
    readStreamInfo();
    updateSurfaceVisibility();
    return result;
}

MediaEngine::RenderResult GstMediaEngine::prerollWith(const QByteArray &uri, unsigned disabledStreams)
{
    GstElement *pipeline = m_graph->pipeline();
    GstBusBridge &bus = *m_graph->bus;
    gst_element_set_state(pipeline, GST_STATE_NULL);
    bus.startLoading();
    g_object_set(pipeline, "flags", m_graph->parts.flags & ~disabledStreams, "uri", uri.constData(), nullptr);

    GstStateChangeReturn state = gst_element_set_state(pipeline, GST_STATE_PAUSED);
    const QDeadlineTimer deadline(PrerollTimeoutMs);
    // Short waits, so that an error (which need not fail the state change) ends it early.
    while (state == GST_STATE_CHANGE_ASYNC && !bus.loadFailed() && !deadline.hasExpired())
        state = gst_element_get_state(pipeline, nullptr, nullptr, 50 * GST_MSECOND);

    noteMissingDecoders();
    if (state != GST_STATE_CHANGE_SUCCESS && state != GST_STATE_CHANGE_NO_PREROLL) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        return RenderResult::Failed;
    }
    return (bus.missingDecoder() || bus.loadFailed()) ? RenderResult::Partial : RenderResult::Ok;
}

void GstMediaEngine::noteMissingDecoders()
{
    for (const GstBusBridge::Missing &m : m_graph->bus->missingDecoders()) {
        const bool known = std::any_of(m_missing.cbegin(), m_missing.cend(),
                                       [&](const MissingDecoder &d) { return d.installerDetail == m.detail; });
        if (!known)
            m_missing << MissingDecoder{m.description, m.detail, m.detail.contains(QLatin1String("|decoder-video/"))};
    }
}

bool GstMediaEngine::installMissingDecoders()
{
    QStringList details;
    for (const MissingDecoder &m : m_missing)
        details << m.installerDetail;
    return PluginInstaller::ask(details, m_owner ? m_owner->window()->winId() : 0);
}

void GstMediaEngine::readStreamInfo()
{
    Graph &g = *m_graph;
    gint videoStreams = 0;
    guint flags = 0;
    g_object_get(g.pipeline(), "n-video", &videoStreams, "flags", &flags, nullptr);
    g.hasVideo = videoStreams > 0 && (flags & FlagVideo);
    g.renderer = GstSupport::renderingSink(g.parts.videoSink.get());
    if (!g.hasVideo)
        return;

    auto balanceSrc = gst::PadRef::adopt(gst_element_get_static_pad(g.parts.balance.get(), "src"));
    g.videoSize = sizeFromCaps(gst::CapsRef::adopt(gst_pad_get_current_caps(balanceSrc.get())).get());
    if (g.videoSize.isEmpty()) {
        GstPad *raw = nullptr;
        g_signal_emit_by_name(g.pipeline(), "get-video-pad", 0, &raw);
        auto pad = gst::PadRef::adopt(raw);
        if (pad)
            g.videoSize = sizeFromCaps(gst::CapsRef::adopt(gst_pad_get_current_caps(pad.get())).get());
    }

    // playbin as a whole counts frames of the sound; the picture's own stream is asked
    // through the pad that feeds our filter chain.
    auto filterSink = gst::PadRef::adopt(gst_element_get_static_pad(g.parts.videoFilter.get(), "sink"));
    gint64 frames = 0;
    if (filterSink && gst_pad_peer_query_duration(filterSink.get(), GST_FORMAT_DEFAULT, &frames) && frames > 0) {
        g.frames = frames;
        return;
    }
    // No frame count from the demuxer: derive it from duration and frame rate.
    GstVideoInfo info;
    gint64 ns = 0;
    auto caps = gst::CapsRef::adopt(gst_pad_get_current_caps(balanceSrc.get()));
    if (caps && gst_video_info_from_caps(&info, caps.get()) && info.fps_n > 0
        && gst_element_query_duration(g.pipeline(), GST_FORMAT_TIME, &ns) && ns > 0)
        g.frames = qRound64(double(ns) * info.fps_n / info.fps_d / GST_SECOND);
}

// --- bus messages (GUI thread) ---------------------------------------------------------

void GstMediaEngine::handleMessage(GstMessage *message, bool afterRender)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        onEndOfStream();
        break;
    case GST_MESSAGE_ERROR:
        if (afterRender)
            onError(message);
        break;
    case GST_MESSAGE_WARNING: {
        GError *raw = nullptr;
        gst_message_parse_warning(message, &raw, nullptr);
        const gst::ErrorPtr warning(raw);
        qWarning("Media engine: %s", warning ? warning->message : "warning");
        break;
    }
    default:
        break;
    }
}

void GstMediaEngine::onEndOfStream()
{
    stopPlayClock();
    emit complete();
}

void GstMediaEngine::onError(GstMessage *message)
{
    GError *raw = nullptr;
    gchar *debug = nullptr;
    gst_message_parse_error(message, &raw, &debug);
    const gst::ErrorPtr error(raw);
    const gst::GCharPtr details(debug);
    const gst::GCharPtr source(gst_object_get_path_string(GST_MESSAGE_SRC(message)));
    qWarning("Media engine error from %s: %s (%s)", source.get(), error ? error->message : "?",
             details ? details.get() : "");
    emit errorOccurred(QString::fromUtf8(error ? error->message : "unknown error"));
}

// --- subtitle tracks --------------------------------------------------------------------------

namespace {

// Pictures of subtitles (DVD, Blu-ray) come through playbin's text path too; only text is
// ours to draw. A pad whose caps are not known yet is given the benefit of the doubt.
bool carriesText(GstPad *pad)
{
    auto caps = gst::CapsRef::adopt(pad ? gst_pad_get_current_caps(pad) : nullptr);
    if (!caps || gst_caps_is_empty(caps.get()))
        return true;
    return gst_structure_has_name(gst_caps_get_structure(caps.get(), 0), "text/x-raw");
}

} // namespace

QList<MediaEngine::TextTrack> GstMediaEngine::textTracks() const
{
    QList<TextTrack> tracks;
    if (!m_graph || !m_graph->rendered)
        return tracks;
    gint count = 0;
    g_object_get(m_graph->pipeline(), "n-text", &count, nullptr);
    for (gint i = 0; i < count; ++i) {
        GstTagList *tags = nullptr;
        g_signal_emit_by_name(m_graph->pipeline(), "get-text-tags", i, &tags);
        TextTrack track{int(i), QString()};
        gchar *code = nullptr;
        if (tags && gst_tag_list_get_string(tags, GST_TAG_LANGUAGE_CODE, &code))
            track.language = QString::fromUtf8(code);
        g_free(code);
        if (tags)
            gst_tag_list_unref(tags);
        GstPad *raw = nullptr;
        g_signal_emit_by_name(m_graph->pipeline(), "get-text-pad", i, &raw);
        const auto pad = gst::PadRef::adopt(raw);
        if (carriesText(pad.get()))
            tracks << track;
    }
    return tracks;
}

bool GstMediaEngine::selectTextTrack(int index)
{
    ++m_textGeneration;
    if (index < 0) {
        m_textTrack = -1;
        return true;
    }
    const QList<TextTrack> tracks = textTracks();
    if (!m_graph || !m_graph->rendered
        || std::none_of(tracks.cbegin(), tracks.cend(), [index](const TextTrack &t) { return t.index == index; }))
        return false;
    g_object_set(m_graph->pipeline(), "current-text", gint(index), nullptr);
    m_textTrack = index;
    // The cues between the picture and what the demuxer has read went to the track shown
    // before; reading again from here brings them for this one. Only while playing: paused,
    // the text sink holds its first cue for the preroll, and a flush then never returns.
    gint64 ns = 0;
    if (m_graph->transport == Transport::Playing
        && gst_element_query_position(m_graph->pipeline(), GST_FORMAT_TIME, &ns) && ns >= 0)
        flushingSeek(ns, m_rate);
    return true;
}

void GstMediaEngine::onTextBuffer(GstElement *, GstBuffer *buffer, GstPad *pad, void *self)
{
    auto *engine = static_cast<GstMediaEngine *>(self);
    if (engine->m_textTrack.load() < 0 || !GST_BUFFER_PTS_IS_VALID(buffer) || !carriesText(pad))
        return;
    // Buffer times are the segment's; the position the player reads is the film's time.
    GstClockTime start = GST_BUFFER_PTS(buffer);
    if (GstEvent *event = gst_pad_get_sticky_event(pad, GST_EVENT_SEGMENT, 0)) {
        const GstSegment *segment = nullptr;
        gst_event_parse_segment(event, &segment);
        const guint64 streamTime = gst_segment_to_stream_time(segment, GST_FORMAT_TIME, start);
        if (streamTime != GST_CLOCK_TIME_NONE)
            start = streamTime;
        gst_event_unref(event);
    }
    TextCue cue;
    cue.startMs = qint64(start / GST_MSECOND);
    if (GST_BUFFER_DURATION_IS_VALID(buffer))
        cue.stopMs = qint64((start + GST_BUFFER_DURATION(buffer)) / GST_MSECOND);
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return;
    cue.text = QString::fromUtf8(reinterpret_cast<const char *>(map.data), qsizetype(map.size));
    gst_buffer_unmap(buffer, &map);
    while (cue.text.endsWith(QChar(0)))
        cue.text.chop(1);
    const int generation = engine->m_textGeneration.load();
    QMetaObject::invokeMethod(
        engine,
        [engine, generation, cue] {
            if (generation == engine->m_textGeneration.load())
                emit engine->textCue(cue);
        },
        Qt::QueuedConnection);
}

// --- what the graph holds -----------------------------------------------------------------

QList<MediaEngine::FilterInfo> GstMediaEngine::filtersInUse() const
{
    return m_graph ? GstElementProperties::describe(m_graph->pipeline()) : QList<FilterInfo>();
}

QList<MediaEngine::FilterProperty> GstMediaEngine::filterProperties(const QString &filterName) const
{
    if (!m_graph || filterName.isEmpty())
        return {};
    auto element = gst::ElementRef::adopt(
        gst_bin_get_by_name(GST_BIN(m_graph->pipeline()), filterName.toUtf8().constData()));
    return GstElementProperties::read(element.get());
}

bool GstMediaEngine::setFilterProperty(const QString &filterName, const QString &property, const QVariant &value)
{
    if (!m_graph || filterName.isEmpty())
        return false;
    auto element = gst::ElementRef::adopt(
        gst_bin_get_by_name(GST_BIN(m_graph->pipeline()), filterName.toUtf8().constData()));
    return GstElementProperties::write(element.get(), property, value);
}

QList<FilterCatalog::Offer> GstMediaEngine::installedElements() const
{
    return GstElementCatalog::factories();
}

QList<FilterCatalog::Offer> GstMediaEngine::audioOutputDevices() const
{
    return GstElementCatalog::audioOutputDevices();
}

QList<MediaEngine::FilterProperty> GstMediaEngine::presetProperties(const Preset &preset) const
{
    const gst::ElementRef element = GstElementCatalog::make(preset);
    return GstElementProperties::read(element.get());
}

// --- transport ----------------------------------------------------------------------------

void GstMediaEngine::play()
{
    if (!m_graph || !m_graph->rendered)
        return;
    if (m_graph->stepped) {
        // Stepping moved only the picture; bring the sound to it before running.
        gint64 ns = 0;
        if (gst_element_query_position(m_graph->pipeline(), GST_FORMAT_TIME, &ns) && ns >= 0)
            flushingSeek(ns, m_rate);
    }
    gst_element_set_state(m_graph->pipeline(), GST_STATE_PLAYING);
    if (m_graph->transport != Transport::Playing) {
        m_graph->transport = Transport::Playing;
        startPlayClock();
    }
}

void GstMediaEngine::pause()
{
    if (!m_graph || !m_graph->rendered)
        return;
    stopPlayClock();
    gst_element_set_state(m_graph->pipeline(), GST_STATE_PAUSED);
    m_graph->transport = Transport::Paused;
}

void GstMediaEngine::stop()
{
    // Stopped keeps the graph prerolled so that the caller's rewind shows the first picture
    // at once; like the original engine, stopping does not move the position by itself.
    if (!m_graph || !m_graph->rendered)
        return;
    stopPlayClock();
    gst_element_set_state(m_graph->pipeline(), GST_STATE_PAUSED);
    m_graph->transport = Transport::Stopped;
}

qint64 GstMediaEngine::position() const
{
    if (!m_graph || !m_graph->rendered)
        return -1;
    gint64 ns = -1;
    if (!gst_element_query_position(m_graph->pipeline(), GST_FORMAT_TIME, &ns) || ns < 0)
        return -1;
    return ns / NsPerUnit;
}

void GstMediaEngine::seek(qint64 position)
{
    if (!m_graph || !m_graph->rendered)
        return;
    flushingSeek(qMax<qint64>(0, position) * NsPerUnit, m_rate);
}

qint64 GstMediaEngine::durationFrames() const
{
    return (m_graph && m_graph->rendered && m_graph->hasVideo) ? m_graph->frames : 0;
}

qint64 GstMediaEngine::duration() const
{
    if (!m_graph || !m_graph->rendered)
        return 0;
    gint64 ns = 0;
    if (!gst_element_query_duration(m_graph->pipeline(), GST_FORMAT_TIME, &ns) || ns <= 0)
        return 0;
    return ns / NsPerUnit;
}

void GstMediaEngine::setRate(double rate)
{
    if (!std::isfinite(rate))
        return;
    m_rate = qBound(0.1, rate, 2.0);
    if (!m_graph || !m_graph->rendered)
        return;
    gint64 ns = 0;
    if (!gst_element_query_position(m_graph->pipeline(), GST_FORMAT_TIME, &ns) || ns < 0)
        ns = 0;
    flushingSeek(ns, m_rate);
}

double GstMediaEngine::rate() const
{
    return m_rate;
}

bool GstMediaEngine::frameStep(int frames)
{
    if (!m_graph || !m_graph->rendered || !m_graph->hasVideo || frames <= 0 || !m_graph->renderer)
        return false;
    if (m_graph->transport == Transport::Playing) {
        pause();
        waitForPreroll(SeekSettleMs);
    }
    m_graph->bus->expectStep();
    GstEvent *step = gst_event_new_step(GST_FORMAT_BUFFERS, guint64(frames), 1.0, TRUE, FALSE);
    if (!gst_element_send_event(m_graph->renderer.get(), step) || !m_graph->bus->waitForStep(StepTimeout))
        return false;
    m_graph->stepped = true;
    // The step is reported when its last buffer arrives; the sink then prerolls that buffer.
    waitForPreroll(SeekSettleMs);
    return true;
}

bool GstMediaEngine::flushingSeek(qint64 positionNs, double rate)
{
    bankDrawnFrames();
    const bool ok = gst_element_seek(m_graph->pipeline(), rate, GST_FORMAT_TIME,
                                     GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                     GST_SEEK_TYPE_SET, positionNs, GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE);
    if (ok) {
        m_graph->stepped = false;
        if (m_graph->transport == Transport::Playing && !m_graph->playClock.isValid())
            startPlayClock(); // playing again after the end was reached
        // Callers read the position right after seeking; let the new position settle.
        waitForPreroll(SeekSettleMs);
    }
    return ok;
}

void GstMediaEngine::waitForPreroll(int timeoutMs) const
{
    if (m_graph)
        gst_element_get_state(m_graph->pipeline(), nullptr, nullptr, GstClockTime(timeoutMs) * GST_MSECOND);
}

// --- frame counters -------------------------------------------------------------------------

void GstMediaEngine::bankDrawnFrames()
{
    // The sink zeroes its count at every flush; keep what it had drawn so far.
    const qint64 drawn = GstSupport::sinkStatistic(m_graph->renderer.get(), "rendered");
    if (drawn > 0)
        m_graph->drawnBanked += drawn;
}

int GstMediaEngine::framesDrawn() const
{
    if (!m_graph || !m_graph->rendered || !m_graph->hasVideo)
        return -1;
    const qint64 drawn = GstSupport::sinkStatistic(m_graph->renderer.get(), "rendered");
    if (drawn < 0)
        return -1;
    return int(qMin<qint64>(m_graph->drawnBanked + drawn, std::numeric_limits<int>::max()));
}

void GstMediaEngine::startPlayClock()
{
    m_graph->playClock.start();
    m_graph->drawnAtPlayStart = qMax(0, framesDrawn());
}

void GstMediaEngine::stopPlayClock()
{
    if (!m_graph || !m_graph->playClock.isValid())
        return;
    m_graph->playedMs += m_graph->playClock.elapsed();
    m_graph->playedFrames += qMax(0, framesDrawn()) - m_graph->drawnAtPlayStart;
    m_graph->playClock.invalidate();
}

double GstMediaEngine::averageFrameRate() const
{
    if (!m_graph || !m_graph->hasVideo)
        return 0.0;
    qint64 ms = m_graph->playedMs;
    qint64 frames = m_graph->playedFrames;
    if (m_graph->playClock.isValid()) {
        ms += m_graph->playClock.elapsed();
        frames += qMax(0, framesDrawn()) - m_graph->drawnAtPlayStart;
    }
    return ms > 0 ? qMax<qint64>(0, frames) * 1000.0 / double(ms) : 0.0;
}

// --- sound ----------------------------------------------------------------------------------

void GstMediaEngine::setVolume(int hundredthsDb)
{
    m_volume = qBound(Silence, hundredthsDb, 0);
    applyVolume();
}

int GstMediaEngine::volume() const
{
    return m_volume;
}

void GstMediaEngine::setBalance(int balance)
{
    m_balance = qBound(-2500, balance, 2500);
    applyBalance();
}

int GstMediaEngine::balance() const
{
    return m_balance;
}

void GstMediaEngine::applyVolume()
{
    if (!m_graph)
        return;
    const double linear = m_volume <= Silence ? 0.0 : std::pow(10.0, m_volume / 2000.0);
    g_object_set(m_graph->pipeline(), "volume", linear, nullptr);
}

void GstMediaEngine::applyBalance()
{
    if (m_graph && m_graph->parts.panorama)
        g_object_set(m_graph->parts.panorama.get(), "panorama", gfloat(m_balance / 2500.0), nullptr);
}

// --- picture --------------------------------------------------------------------------------

QSize GstMediaEngine::videoSize() const
{
    if (!m_graph || !m_graph->rendered || !m_graph->hasVideo)
        return {0, 0};
    return m_graph->videoSize;
}

VideoSurface *GstMediaEngine::ensureSurface()
{
    if (m_surface)
        return m_surface;
    // Widgets need a widget application; without one the sink keeps its own window.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    if (!m_parking) {
        m_parking = std::make_unique<QWidget>();
        m_parking->setObjectName(QStringLiteral("VideoSurfaceParking"));
    }
    auto *surface = new VideoSurface(m_owner ? m_owner.data() : m_parking.get());
    surface->setGeometry(m_rect.isValid() ? m_rect : QRect(0, 0, 320, 240));
    surface->setExposeHandler([this] { onSurfaceExposed(); });
    surface->setDestroyHandler([this] {
        // The owner window is going away with our surface: nothing may draw into it any more.
        m_surface = nullptr;
        m_owner = nullptr;
        release();
    });
    surface->winId();
    m_surface = surface;
    updateSurfaceVisibility();
    return surface;
}

void GstMediaEngine::attachSurfaceToSink()
{
    if (!m_graph)
        return;
    const guintptr id = m_surface ? guintptr(m_surface->winId()) : 0;
    m_graph->bus->setWindow(id);
    GstElement *renderer = m_graph->renderer.get();
    if (id && renderer && GST_IS_VIDEO_OVERLAY(renderer)) {
        gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(renderer), id);
        gst_video_overlay_handle_events(GST_VIDEO_OVERLAY(renderer), FALSE);
    }
}

void GstMediaEngine::setOwner(QWidget *owner)
{
    if (owner == m_owner && (!owner || (m_surface && m_surface->parentWidget() == owner)))
        return;
    m_owner = owner;
    VideoSurface *surface = ensureSurface();
    if (!surface)
        return;
    const WId before = surface->winId();
    surface->setParent(owner ? owner : m_parking.get());
    if (m_rect.isValid())
        surface->setGeometry(m_rect);
    updateSurfaceVisibility();
    if (surface->winId() != before)
        attachSurfaceToSink();
}

void GstMediaEngine::setWindowPosition(const QRect &rect)
{
    m_rect = rect;
    if (m_surface)
        m_surface->setGeometry(rect);
}

QRect GstMediaEngine::windowPosition() const
{
    return m_rect;
}

void GstMediaEngine::setPictureVisible(bool visible)
{
    m_pictureVisible = visible;
    updateSurfaceVisibility();
}

void GstMediaEngine::updateSurfaceVisibility()
{
    if (!m_surface)
        return;
    // A sound-only film has no picture: nothing would ever draw the surface, so it must not
    // cover the owner's own background.
    const bool noPicture = m_graph && m_graph->rendered && !m_graph->hasVideo;
    m_surface->setVisible(m_owner && m_pictureVisible && !noPicture);
}

void GstMediaEngine::onSurfaceExposed()
{
    if (!m_graph || !m_graph->rendered || !m_graph->hasVideo)
        return;
    GstElement *renderer = m_graph->renderer.get();
    if (!renderer || !GST_IS_VIDEO_OVERLAY(renderer))
        return;
    // Also makes the sink look at the window's size and ask for pictures of that size.
    gst_video_overlay_expose(GST_VIDEO_OVERLAY(renderer));
    if (m_graph->transport != Transport::Playing && factoryName(renderer) == QLatin1String("ximagesink"))
        m_refreshTimer->start();
}

void GstMediaEngine::refreshPausedPicture()
{
    // A sink that cannot scale draws a still picture at the size it was decoded for; when
    // paused, decode it again at the new size of the window.
    if (!m_graph || !m_graph->rendered || !m_graph->hasVideo || !m_surface
        || m_graph->transport == Transport::Playing)
        return;
    auto pad = gst::PadRef::adopt(gst_element_get_static_pad(m_graph->renderer.get(), "sink"));
    const QSize drawn = pad ? sizeFromCaps(gst::CapsRef::adopt(gst_pad_get_current_caps(pad.get())).get()) : QSize();
    const QSize window = (QSizeF(m_surface->size()) * m_surface->devicePixelRatioF()).toSize();
    if (drawn.isEmpty() || window.isEmpty() || drawn == window)
        return;
    gint64 ns = 0;
    if (gst_element_query_position(m_graph->pipeline(), GST_FORMAT_TIME, &ns) && ns >= 0)
        flushingSeek(ns, m_rate);
}

QImage GstMediaEngine::grabFrame() const
{
    if (!m_graph || !m_graph->rendered || !m_graph->hasVideo)
        return {};
    return m_graph->grabber.grab();
}

void GstMediaEngine::setPictureControls(const PictureControls &controls)
{
    m_picture.brightness = qBound(-1.0, controls.brightness, 1.0);
    m_picture.contrast = qBound(0.0, controls.contrast, 2.0);
    m_picture.saturation = qBound(0.0, controls.saturation, 2.0);
    applyPictureControls();
}

MediaEngine::PictureControls GstMediaEngine::pictureControls() const
{
    return m_picture;
}

void GstMediaEngine::applyPictureControls()
{
    if (m_graph && m_graph->parts.balance)
        g_object_set(m_graph->parts.balance.get(), "brightness", m_picture.brightness, "contrast", m_picture.contrast,
                     "saturation", m_picture.saturation, nullptr);
}
