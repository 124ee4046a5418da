#pragma once

#include "engine/MediaEngine.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

// An in-memory media engine for window tests. Nothing plays: the test scripts what a file
// looks like (size, duration, render result) and moves the position itself; the fake
// records what the windows asked for.
class FakeMediaEngine : public MediaEngine
{
    Q_OBJECT
public:
    explicit FakeMediaEngine(QObject *parent = nullptr) : MediaEngine(parent) {}

    // --- scripting --------------------------------------------------------------------
    void setCreateFails(bool fails) { m_createFails = fails; }
    void setRenderResult(RenderResult result) { m_renderResult = result; }
    void setVideoSize(const QSize &size) { m_videoSize = size; }
    void setDuration(qint64 units) { m_duration = units; }
    void setDurationFrames(qint64 frames) { m_durationFrames = frames; }
    void setPosition(qint64 units) { m_position = units; }      // also "time passes"
    void setFrameStepSupported(bool supported) { m_frameStepSupported = supported; }
    void setFramesDrawn(int frames) { m_framesDrawn = frames; }
    void setAverageFrameRate(double fps) { m_averageFrameRate = fps; }
    void setGrabbedFrame(const QImage &image) { m_frame = image; }
    void setGrabFails(bool fails) { m_grabFails = fails; }
    void setFilters(const QList<FilterInfo> &filters) { m_filters = filters; }
    void setFilterPropertyList(const QString &filter, const QList<FilterProperty> &properties)
    {
        m_properties[filter] = properties;
    }
    // What the registry and the device monitor offer.
    void setOffers(const QList<FilterCatalog::Offer> &devices, const QList<FilterCatalog::Offer> &factories)
    {
        m_devices = devices;
        m_factories = factories;
    }
    // Chosen elements the next render() reports as taken out again.
    void setDroppedPresets(const QStringList &keys) { m_nextDropped = keys; }
    void setMissingDecoders(const QList<MissingDecoder> &missing) { m_missing = missing; }
    // Whether the desktop has a plugin installer to ask.
    void setInstallerAvailable(bool available) { m_installer = available; }
    // The film's subtitle tracks; a cue of the chosen one "arrives" as the engine's would.
    void setTextTracks(const QList<TextTrack> &tracks) { m_textTracks = tracks; }
    void fireTextCue(const TextCue &cue)
    {
        if (m_textTrack >= 0)
            emit textCue(cue);
    }
    void fireComplete() { emit complete(); }
    void fireError(const QString &message) { emit errorOccurred(message); }

    // --- what was asked ---------------------------------------------------------------
    enum class State { Stopped, Paused, Playing };
    State state() const { return m_state; }
    int createCount() const { return m_createCount; }
    int releaseCount() const { return m_releaseCount; }
    int playCount() const { return m_playCount; }
    int pauseCount() const { return m_pauseCount; }
    int stopCount() const { return m_stopCount; }
    QList<qint64> seeks() const { return m_seeks; }
    qint64 lastSeek() const { return m_seeks.isEmpty() ? -1 : m_seeks.last(); }
    QList<int> frameSteps() const { return m_frameSteps; }
    QString renderedPath() const { return m_renderedPath; }
    QStringList presetFilters() const { return m_presets; }
    QVariantMap presetSettings(int which) const { return m_presetProperties.value(which); }
    int registryQueries() const { return m_registryQueries; }
    QWidget *owner() const { return m_owner; }
    bool pictureVisible() const { return m_pictureVisible; }
    int installRequests() const { return m_installRequests; }

    // --- MediaEngine ------------------------------------------------------------------
    bool create() override;
    void release() override;
    bool isCreated() const override { return m_created; }
    void setPresetFilters(const Preset &videoFilter, const Preset &audioFilter,
                          const QString &audioOutput) override;
    QStringList droppedPresets() const override { return m_dropped; }
    QList<FilterCatalog::Offer> installedElements() const override
    {
        ++m_registryQueries;
        return m_factories;
    }
    QList<FilterCatalog::Offer> audioOutputDevices() const override
    {
        ++m_registryQueries;
        return m_devices;
    }
    QList<FilterProperty> presetProperties(const Preset &preset) const override
    {
        return m_properties.value(preset.element);
    }
    RenderResult render(const QString &path) override;
    QList<MissingDecoder> missingDecoders() const override { return m_loaded ? m_missing : QList<MissingDecoder>(); }
    bool installMissingDecoders() override
    {
        if (!m_installer || m_missing.isEmpty())
            return false;
        ++m_installRequests;
        return true;
    }

    QList<TextTrack> textTracks() const override { return m_loaded ? m_textTracks : QList<TextTrack>(); }
    bool selectTextTrack(int index) override
    {
        if (index >= textTracks().size())
            return false;
        m_textTrack = index < 0 ? -1 : index;
        return true;
    }
    int selectedTextTrack() const override { return m_textTrack; }

    QList<FilterInfo> filtersInUse() const override { return m_created ? m_filters : QList<FilterInfo>(); }
    QList<FilterProperty> filterProperties(const QString &filterName) const override;
    bool setFilterProperty(const QString &filterName, const QString &property, const QVariant &value) override;

    void play() override;
    void pause() override;
    void stop() override;
    qint64 position() const override { return m_loaded ? m_position : -1; }
    void seek(qint64 position) override;
    qint64 durationFrames() const override { return m_loaded ? m_durationFrames : 0; }
    qint64 duration() const override { return m_loaded ? m_duration : 0; }
    void setRate(double rate) override { m_rate = qBound(0.1, rate, 2.0); }
    double rate() const override { return m_rate; }
    bool frameStep(int frames) override;

    void setVolume(int hundredthsDb) override { m_volume = qBound(Silence, hundredthsDb, 0); }
    int volume() const override { return m_volume; }
    void setBalance(int balance) override { m_balance = qBound(-2500, balance, 2500); }
    int balance() const override { return m_balance; }

    QSize videoSize() const override { return m_loaded ? m_videoSize : QSize(0, 0); }
    void setOwner(QWidget *owner) override { m_owner = owner; }
    void setWindowPosition(const QRect &rect) override { m_rect = rect; }
    QRect windowPosition() const override { return m_rect; }
    void setPictureVisible(bool visible) override { m_pictureVisible = visible; }
    int framesDrawn() const override;
    double averageFrameRate() const override { return hasPicture() ? m_averageFrameRate : 0.0; }
    QImage grabFrame() const override;
    void setPictureControls(const PictureControls &controls) override { m_picture = controls; }
    PictureControls pictureControls() const override { return m_picture; }

private:
    bool hasPicture() const { return m_loaded && m_videoSize.width() > 0; }

    bool m_createFails = false;
    QList<TextTrack> m_textTracks;
    int m_textTrack = -1;
    QList<MissingDecoder> m_missing;
    bool m_installer = false;
    int m_installRequests = 0;
    RenderResult m_renderResult = RenderResult::Ok;
    QSize m_videoSize{320, 240};
    qint64 m_duration = 40 * UnitsPerSecond;
    qint64 m_durationFrames = 1000;
    qint64 m_position = 0;
    bool m_frameStepSupported = true;
    int m_framesDrawn = 0;
    double m_averageFrameRate = 25.0;
    QImage m_frame;
    bool m_grabFails = false;
    QList<FilterInfo> m_filters{{QStringLiteral("videobalance"), QStringLiteral("videobalance"), true},
                                {QStringLiteral("videosink"), QStringLiteral("ximagesink"), true}};
    QHash<QString, QList<FilterProperty>> m_properties;

    bool m_created = false;
    bool m_loaded = false;
    State m_state = State::Stopped;
    int m_createCount = 0;
    int m_releaseCount = 0;
    int m_playCount = 0;
    int m_pauseCount = 0;
    int m_stopCount = 0;
    QList<qint64> m_seeks;
    QList<int> m_frameSteps;
    QString m_renderedPath;
    QStringList m_presets{QString(), QString(), QString()};
    QList<QVariantMap> m_presetProperties{{}, {}};
    QList<FilterCatalog::Offer> m_devices, m_factories;
    mutable int m_registryQueries = 0;
    QStringList m_nextDropped, m_dropped;
    QPointer<QWidget> m_owner;
    QRect m_rect;
    bool m_pictureVisible = true;
    double m_rate = 1.0;
    int m_volume = 0;
    int m_balance = 0;
    PictureControls m_picture;
};
