#pragma once

#include "core/FilterCatalog.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

// The player's one door to the media framework. Units are the ones the rest of the
// program thinks in: positions and durations in 100-ns units, volume in hundredths of a
// decibel (-10000 = silence), balance -2500..2500, rate 0.1..2.0. One graph exists from
// one open to the next: create(), render(), ..., release().
class MediaEngine : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 UnitsPerSecond = 10000000; // 100-ns units
    static constexpr int Silence = -10000;

    enum class RenderResult { Ok, Partial, Failed };

    struct FilterInfo
    {
        QString name;              // element name in the running pipeline
        QString factory;           // element factory it was made from
        bool hasPropertyPage = false;
    };

    struct FilterProperty
    {
        QString name;
        QString blurb;
        QVariant value;
        bool writable = false;
        QVariant minimum;          // numbers only
        QVariant maximum;
        QStringList choices;       // enums only: the nicks, value is the index
        QStringList flagNames;     // flags only: the nick of each bit, value is the mask
        QList<quint32> flagBits;
    };

    // A chosen extra element: what it is made from (an element factory's name or a device's
    // key, as installedElements() and audioOutputDevices() give them) and the settings its
    // page gave it, which every element made from it starts with.
    struct Preset
    {
        Preset(const QString &element = {}, const QVariantMap &properties = {})
            : element(element), properties(properties)
        {
        }
        QString element;
        QVariantMap properties;
    };

    // Picture controls; each -5..5 level already turned into the element's own scale by the caller.
    struct PictureControls
    {
        double brightness = 0.0;   // -1..1
        double contrast = 1.0;     // 0..2
        double saturation = 1.0;   // 0..2
    };

    // A subtitle track inside the film (text the media framework can hand over as text).
    struct TextTrack
    {
        int index = 0;       // 0-based, in the film's order of text tracks
        QString language;    // as the film names it ("pol", "en"), empty when it does not
    };

    // One subtitle of the chosen track, times in ms of the film's own time.
    struct TextCue
    {
        qint64 startMs = 0;
        qint64 stopMs = -1;  // -1 when the track gives no duration
        QString text;        // lines separated by "\n", markup as the track carries it
    };

    // A decoder the last render() could not find.
    struct MissingDecoder
    {
        QString description;     // the media framework's name for it ("MPEG-4 Part 2 decoder")
        QString installerDetail; // what the desktop's plugin installer is asked for
        bool video = false;      // a picture decoder (else sound or anything else)
    };

    explicit MediaEngine(QObject *parent = nullptr) : QObject(parent) {}
    ~MediaEngine() override = default;

    // --- graph lifecycle -------------------------------------------------------------
    // Builds an empty graph; false when the media framework is unavailable.
    virtual bool create() = 0;
    // Stops, tears the graph down and detaches the picture from its owner. Safe to call twice.
    virtual void release() = 0;
    virtual bool isCreated() const = 0;
    // Chosen extra filters and audio output (empty = none, the default output). They are put
    // into every graph created after the call, the picture filter after our picture controls
    // and the audio effect after our balance. One that cannot be made is left out; an output
    // that cannot be made (a device gone) gives the default output.
    virtual void setPresetFilters(const Preset &videoFilter, const Preset &audioFilter,
                                  const QString &audioOutput) = 0;
    // The chosen elements (their keys) that the last render() took out of the graph again
    // because they could not be linked or started; the file was then played without them.
    virtual QStringList droppedPresets() const = 0;
    // Loads the file into the graph and waits until its streams are known (paused at the
    // first picture). Partial: something played but a stream could not be decoded.
    virtual RenderResult render(const QString &path) = 0;

    // The decoders the last render() lacked.
    virtual QList<MissingDecoder> missingDecoders() const { return {}; }
    // Asks the desktop to install them; false when there is no installer to ask (or nothing
    // is missing). The answer arrives later; the next graph built sees what was installed.
    virtual bool installMissingDecoders() { return false; }

    // --- subtitle tracks inside the film (the picture never gets them drawn in) ------
    virtual QList<TextTrack> textTracks() const { return {}; }
    // Chooses the track whose cues textCue() delivers from now on (-1: none). The film
    // jumps to where it is, so that the cues just ahead come too.
    virtual bool selectTextTrack(int index) { return index < 0; }
    virtual int selectedTextTrack() const { return -1; }

    // --- what the graph holds --------------------------------------------------------
    virtual QList<FilterInfo> filtersInUse() const = 0;
    virtual QList<FilterProperty> filterProperties(const QString &filterName) const = 0;
    virtual bool setFilterProperty(const QString &filterName, const QString &property,
                                   const QVariant &value) = 0;

    // --- what the media framework offers --------------------------------------------
    // Every element factory of the kinds the filters dialog lists (any class; the caller
    // sorts them out), and the sound output devices present now.
    virtual QList<FilterCatalog::Offer> installedElements() const = 0;
    virtual QList<FilterCatalog::Offer> audioOutputDevices() const = 0;
    // The properties an element made from the preset has, outside any graph.
    virtual QList<FilterProperty> presetProperties(const Preset &preset) const = 0;

    // --- transport --------------------------------------------------------------------
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual qint64 position() const = 0;            // 100-ns units; -1 when unavailable
    virtual void seek(qint64 position) = 0;         // 100-ns units, absolute
    virtual qint64 durationFrames() const = 0;      // video frames; 0 for audio only
    virtual qint64 duration() const = 0;            // 100-ns units; 0 when unknown
    virtual void setRate(double rate) = 0;          // 0.1..2.0
    virtual double rate() const = 0;
    virtual bool frameStep(int frames) = 0;         // paused stepping; false when it cannot

    // --- sound ------------------------------------------------------------------------
    virtual void setVolume(int hundredthsDb) = 0;   // -10000..0
    virtual int volume() const = 0;
    virtual void setBalance(int balance) = 0;       // -2500..2500
    virtual int balance() const = 0;

    // --- picture ----------------------------------------------------------------------
    virtual QSize videoSize() const = 0;            // native size; width 0 = no picture
    // Makes the picture a child of the given window (the video window).
    virtual void setOwner(QWidget *owner) = 0;
    // Child rectangle in the owner's client area; may lie partly outside it (pan-scan).
    virtual void setWindowPosition(const QRect &rect) = 0;
    virtual QRect windowPosition() const = 0;
    virtual void setPictureVisible(bool visible) = 0;
    virtual int framesDrawn() const = 0;            // -1 when there is no video renderer
    virtual double averageFrameRate() const = 0;    // frames drawn per second of playing
    // The current frame, 24-bit RGB, at the picture's own size; null when there is none.
    virtual QImage grabFrame() const = 0;
    virtual void setPictureControls(const PictureControls &controls) = 0;
    virtual PictureControls pictureControls() const = 0;

signals:
    // The end of the media was reached while playing.
    void complete();
    // Something went wrong inside the graph after it was built (decoder error and the like).
    void errorOccurred(const QString &message);
    // A cue of the chosen subtitle track reached the engine, ahead of (or at) its time.
    void textCue(const MediaEngine::TextCue &cue);
};
