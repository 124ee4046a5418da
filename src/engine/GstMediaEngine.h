#pragma once

#include "engine/MediaEngine.h"

#include <QPointer>

#include <atomic>
#include <memory>

class VideoSurface;
class QTimer;
typedef struct _GstMessage GstMessage;
typedef struct _GstElement GstElement;
typedef struct _GstBuffer GstBuffer;
typedef struct _GstPad GstPad;

// The media engine on GStreamer's playbin: one pipeline per create(), torn down by
// release(). The picture is drawn by the video sink into a native child widget
// (VideoSurface) that lives inside the owner window, or parked hidden while there is none.
//
// Every pipeline carries a videobalance (picture controls, and the tap for snapshots at the
// picture's own size) and an audiopanorama (balance). Bus messages are taken in the
// streaming threads by a synchronous handler and handed to the GUI thread as queued calls.
//
// averageFrameRate() is our own measure: frames the sink drew while the pipeline was
// playing, divided by the seconds it was playing, over the whole life of the graph.
class GstMediaEngine : public MediaEngine
{
    Q_OBJECT
public:
    explicit GstMediaEngine(QObject *parent = nullptr);
    ~GstMediaEngine() override;

    bool create() override;
    void release() override;
    bool isCreated() const override;
    void setPresetFilters(const Preset &videoFilter, const Preset &audioFilter,
                          const QString &audioOutput) override;
    QStringList droppedPresets() const override { return m_dropped; }
    RenderResult render(const QString &path) override;
    QList<MissingDecoder> missingDecoders() const override { return m_missing; }
    bool installMissingDecoders() override;

    QList<TextTrack> textTracks() const override;
    bool selectTextTrack(int index) override;
    int selectedTextTrack() const override { return m_textTrack.load(); }

    QList<FilterInfo> filtersInUse() const override;
    QList<FilterProperty> filterProperties(const QString &filterName) const override;
    bool setFilterProperty(const QString &filterName, const QString &property,
                           const QVariant &value) override;

    QList<FilterCatalog::Offer> installedElements() const override;
    QList<FilterCatalog::Offer> audioOutputDevices() const override;
    QList<FilterProperty> presetProperties(const Preset &preset) const override;

    void play() override;
    void pause() override;
    void stop() override;
    qint64 position() const override;
    void seek(qint64 position) override;
    qint64 durationFrames() const override;
    qint64 duration() const override;
    void setRate(double rate) override;
    double rate() const override;
    bool frameStep(int frames) override;

    void setVolume(int hundredthsDb) override;
    int volume() const override;
    void setBalance(int balance) override;
    int balance() const override;

    QSize videoSize() const override;
    void setOwner(QWidget *owner) override;
    void setWindowPosition(const QRect &rect) override;
    QRect windowPosition() const override;
    void setPictureVisible(bool visible) override;
    int framesDrawn() const override;
    double averageFrameRate() const override;
    QImage grabFrame() const override;
    void setPictureControls(const PictureControls &controls) override;
    PictureControls pictureControls() const override;

    // Pipelines made by any engine of this process that still exist (not yet finalised).
    static int livePipelines();

private:
    struct Graph;
    enum class Transport { Stopped, Paused, Playing };

    // A new graph with the presets that were not dropped since the last create().
    bool createGraph();
    // The key of the chosen element that posted one of the load errors; empty for none.
    QString failingPreset() const;
    void handleMessage(GstMessage *message, bool afterRender);
    // The text sink's hand-off, in a streaming thread: the chosen track's cue goes to the
    // interface thread.
    static void onTextBuffer(GstElement *sink, GstBuffer *buffer, GstPad *pad, void *self);
    void onEndOfStream();
    void onError(GstMessage *message);

    RenderResult prerollWith(const QByteArray &uri, unsigned disabledStreams);
    // Keeps what the attempt just made reported missing (each retry starts a fresh count).
    void noteMissingDecoders();
    void readStreamInfo();
    bool flushingSeek(qint64 positionNs, double rate);
    void waitForPreroll(int timeoutMs) const;
    void bankDrawnFrames();
    void startPlayClock();
    void stopPlayClock();

    VideoSurface *ensureSurface();
    void attachSurfaceToSink();
    void updateSurfaceVisibility();
    void onSurfaceExposed();
    void refreshPausedPicture();

    void applyVolume();
    void applyBalance();
    void applyPictureControls();

    std::unique_ptr<Graph> m_graph;

    std::unique_ptr<QWidget> m_parking;      // hidden home of the surface while it has no owner
    QPointer<VideoSurface> m_surface;
    QPointer<QWidget> m_owner;
    QRect m_rect;
    bool m_pictureVisible = true;
    QTimer *m_refreshTimer = nullptr;

    QList<MissingDecoder> m_missing;

    Preset m_presetVideo;
    Preset m_presetAudio;
    QString m_presetOutput;
    QStringList m_dropped;

    std::atomic<int> m_textTrack{-1};
    // Counts graphs and track choices: a cue queued for an earlier one is dropped.
    std::atomic<int> m_textGeneration{0};

    int m_volume = 0;
    int m_balance = 0;
    double m_rate = 1.0;
    PictureControls m_picture;
};
