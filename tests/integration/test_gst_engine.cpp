// The GStreamer media engine on real files, real pipelines and a real (virtual) X display.

#include "engine/GstMediaEngine.h"
#include "engine/GstWarmUp.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gst/gst.h>

#include <memory>
#include <optional>
#include <unistd.h>

namespace {

constexpr qint64 Second = MediaEngine::UnitsPerSecond;
constexpr qint64 Frame = Second / 25;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

std::optional<MediaEngine::FilterProperty> propertyOf(const MediaEngine &engine, const QString &filter,
                                                      const QString &name)
{
    for (const MediaEngine::FilterProperty &p : engine.filterProperties(filter))
        if (p.name == name)
            return p;
    return std::nullopt;
}

// Name of the first element in the graph made by one of the factories.
QString elementMadeBy(const MediaEngine &engine, const QStringList &factories)
{
    for (const MediaEngine::FilterInfo &f : engine.filtersInUse())
        if (factories.contains(f.factory))
            return f.name;
    return {};
}

// Share of pixels that are clearly red.
double redShare(const QImage &image)
{
    if (image.isNull())
        return 0.0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    qint64 red = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor c = rgb.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 70 && c.blue() < 70;
        }
    return double(red) / (qint64(rgb.width()) * rgb.height());
}

// Position advance per second of wall clock while playing (so 1.0 at normal speed).
double measuredSpeed(MediaEngine &engine)
{
    QTest::qWait(300); // let the change settle
    const qint64 from = engine.position();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(1000);
    const qint64 to = engine.position();
    return double(to - from) / Second / (clock.elapsed() / 1000.0);
}

} // namespace

class TestGstEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("BRIVARA_AUDIOSINK", "fakeaudiosink");
        qputenv("BRIVARA_VIDEOSINK", "ximagesink");
        m_ball = TestMedia::movie(4, QStringLiteral("ball"));
        m_red = TestMedia::movie(2, QStringLiteral("red"));
        m_tone = TestMedia::audioOnly(2);
        m_garbage = TestMedia::notMedia();
        QVERIFY(!m_ball.isEmpty() && !m_red.isEmpty() && !m_tone.isEmpty() && !m_garbage.isEmpty());
    }

    void warmUpLoadsWhatTheFilmNeedsBesideTheEngine()
    {
        // On its own thread, while this one builds and prerolls a graph of the same film.
        std::optional<GstWarmUp> beside(std::in_place, m_ball);
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        beside.reset();
        QCOMPARE(engine.videoSize(), QSize(320, 240));

        const QStringList film = GstWarmUp::run(m_ball);
        for (const char *name : {"playbin", "videobalance", "ximagesink", "fakeaudiosink", "avidemux"})
            QVERIFY2(film.contains(QLatin1String(name)), name);
        // A folder or nothing at all: the common parts only; text is no film either.
        const QStringList common = GstWarmUp::run(QString());
        QVERIFY(common.contains(QStringLiteral("playbin")) && !common.contains(QStringLiteral("avidemux")));
        for (const QString &path : {TestSupport::mediaDir(), QStringLiteral("/no/such/film.avi")})
            QCOMPARE(GstWarmUp::run(path), common);
        const QStringList text = GstWarmUp::run(m_garbage);
        QCOMPARE(text.mid(0, common.size()), common);
        QVERIFY(!text.contains(QStringLiteral("avidemux")));
    }

    void badFilesFailAndLeaveTheEngineUsable()
    {
        GstMediaEngine engine;
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Failed); // no graph yet
        QVERIFY(engine.create());
        QCOMPARE(engine.render(QStringLiteral("/no/such/film.avi")), MediaEngine::RenderResult::Failed);
        QCOMPARE(engine.render(m_garbage), MediaEngine::RenderResult::Failed);
        QCOMPARE(engine.render(TestSupport::mediaDir()), MediaEngine::RenderResult::Failed);
        QCOMPARE(engine.position(), qint64(-1));
        QCOMPARE(engine.videoSize().width(), 0);

        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        QCOMPARE(engine.videoSize(), QSize(320, 240));

        engine.release();
        engine.release();
        QVERIFY(!engine.isCreated());
        // Everything is harmless on a released engine.
        engine.play();
        engine.seek(Second);
        engine.setRate(2.0);
        QCOMPARE(engine.position(), qint64(-1));
        QCOMPARE(engine.duration(), qint64(0));
        QVERIFY(!engine.frameStep(1));
        QCOMPARE(engine.framesDrawn(), -1);
        QVERIFY(engine.grabFrame().isNull());
        QVERIFY(engine.filtersInUse().isEmpty());
        QVERIFY(!engine.setFilterProperty(QStringLiteral("videobalance"), QStringLiteral("brightness"), 0.5));
    }

    void filmHasSizeAndDurations()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        QCOMPARE(engine.videoSize(), QSize(320, 240));
        QCOMPARE(engine.durationFrames(), qint64(100)); // 4 s at 25 frames per second
        // The sound track of an encoded file may run a little past the last picture.
        QVERIFY2(qAbs(engine.duration() - 4 * Second) < Second / 10, QByteArray::number(engine.duration()));
        QCOMPARE(engine.position(), qint64(0));
        QCOMPARE(engine.framesDrawn(), 0);
    }

    void soundOnlyFileHasNoPicture()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_tone), MediaEngine::RenderResult::Ok);
        QCOMPARE(engine.videoSize().width(), 0);
        QCOMPARE(engine.durationFrames(), qint64(0));
        QVERIFY(qAbs(engine.duration() - 2 * Second) < Second / 10);
        QCOMPARE(engine.framesDrawn(), -1);
        QVERIFY(engine.grabFrame().isNull());
        QVERIFY(!engine.frameStep(1));
        engine.play();
        QTRY_VERIFY(engine.position() > Second / 4);
    }

    void transportMovesThePosition()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);

        engine.play();
        QTRY_VERIFY(engine.position() > Second / 3);

        engine.pause();
        QTest::qWait(200);
        const qint64 paused = engine.position();
        QTest::qWait(300);
        QCOMPARE(engine.position(), paused);

        engine.seek(2 * Second);
        QVERIFY2(qAbs(engine.position() - 2 * Second) <= Frame, QByteArray::number(engine.position()));
        engine.play();
        QTRY_VERIFY(engine.position() > 2 * Second + Second / 4);

        // Stop, rewind, pause: the first picture again.
        engine.stop();
        engine.seek(0);
        engine.pause();
        QVERIFY(engine.position() <= Frame);
        QTest::qWait(200);
        QVERIFY(engine.position() <= Frame);
    }

    void rateChangesSpeedInPlace()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        engine.seek(Second / 2);
        engine.play();
        QTest::qWait(200);

        const qint64 before = engine.position();
        engine.setRate(2.0);
        QCOMPARE(engine.rate(), 2.0);
        QVERIFY2(qAbs(engine.position() - before) < Second / 2, "a rate change must not move the film");
        const double fast = measuredSpeed(engine);
        QVERIFY2(fast > 1.5 && fast < 2.6, QByteArray::number(fast));

        engine.seek(Second / 2);
        engine.setRate(1.0);
        const double normal = measuredSpeed(engine);
        QVERIFY2(normal > 0.6 && normal < 1.4, QByteArray::number(normal));

        engine.setRate(5.0);
        QCOMPARE(engine.rate(), 2.0);
        engine.setRate(0.0);
        QCOMPARE(engine.rate(), 0.1);
        engine.release();
        QVERIFY(engine.create());
        QCOMPARE(engine.rate(), 1.0); // every graph starts at normal speed
    }

    void frameStepMovesByFrames()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        engine.seek(Second);
        const qint64 start = engine.position();
        QVERIFY(engine.frameStep(5));
        QCOMPARE(engine.position() - start, 5 * Frame);
        QVERIFY(engine.frameStep(1));
        QCOMPARE(engine.position() - start, 6 * Frame);
        QVERIFY(!engine.frameStep(0));

        // While playing, a step ends up paused a few frames further on.
        engine.play();
        QTRY_VERIFY(engine.position() > start + Second / 2);
        QVERIFY(engine.frameStep(3));
        const qint64 stepped = engine.position();
        QTest::qWait(300);
        QCOMPARE(engine.position(), stepped);

        // Playing on starts from the stepped picture.
        engine.play();
        QTRY_VERIFY(engine.position() > stepped + Second / 4);
        QVERIFY(engine.position() < stepped + 2 * Second);
    }

    void soundSettingsReachTheGraph()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);

        // Software volume sits in a volume element, or in the sink when it has its own.
        const QString volumeElement =
            elementMadeBy(engine, {QStringLiteral("volume"), QStringLiteral("fakeaudiosink")});
        QVERIFY(!volumeElement.isEmpty());
        const auto linearVolume = [&] {
            return propertyOf(engine, volumeElement, QStringLiteral("volume")).value().value.toDouble();
        };

        engine.setVolume(-2000); // -20 dB
        QCOMPARE(engine.volume(), -2000);
        QVERIFY(qAbs(linearVolume() - 0.1) < 1e-6);
        engine.setVolume(MediaEngine::Silence);
        QCOMPARE(engine.volume(), MediaEngine::Silence);
        QCOMPARE(linearVolume(), 0.0);
        engine.setVolume(700);
        QCOMPARE(engine.volume(), 0);
        QVERIFY(qAbs(linearVolume() - 1.0) < 1e-6);

        const auto panorama = [&] {
            return propertyOf(engine, QStringLiteral("audiopanorama"), QStringLiteral("panorama")).value().value.toDouble();
        };
        engine.setBalance(-2500);
        QCOMPARE(engine.balance(), -2500);
        QCOMPARE(panorama(), -1.0);
        engine.setBalance(1250);
        QVERIFY(qAbs(panorama() - 0.5) < 1e-6);
        engine.setBalance(99999);
        QCOMPARE(engine.balance(), 2500);
        QCOMPARE(panorama(), 1.0);

        // The settings carry over into the next graph.
        engine.setVolume(-2000);
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        QCOMPARE(engine.volume(), -2000);
        QCOMPARE(panorama(), 1.0);
    }

    void pictureIsPlacedInsideItsOwner()
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("owner"));
        window.setStyleSheet(QStringLiteral("background: rgb(0, 0, 255)"));
        window.setGeometry(100, 100, 400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_red), MediaEngine::RenderResult::Ok);
        engine.setOwner(&window);
        const QRect panScan(-40, -30, 480, 360);
        engine.setWindowPosition(panScan);
        QCOMPARE(engine.windowPosition(), panScan);

        const auto surfaces = window.findChildren<QWidget *>(QStringLiteral("VideoSurface"));
        QCOMPARE(surfaces.size(), 1);
        QWidget *surface = surfaces.first();
        QCOMPARE(surface->geometry(), panScan);
        QVERIFY(surface->isVisible());
        QVERIFY(surface->testAttribute(Qt::WA_NativeWindow));

        // The picture fills the whole window, stretched to the child and cut at the edges.
        const auto screenShot = [&] {
            const QPoint origin = window.mapToGlobal(QPoint(0, 0));
            return QGuiApplication::primaryScreen()->grabWindow(0, origin.x(), origin.y(), 400, 300).toImage();
        };
        QTRY_VERIFY_WITH_TIMEOUT(redShare(screenShot()) > 0.95, 5000);

        engine.setPictureVisible(false);
        QVERIFY(!surface->isVisible());
        QTRY_VERIFY(redShare(screenShot()) < 0.05);
        engine.setPictureVisible(true);
        QVERIFY(surface->isVisible());

        engine.setWindowPosition(QRect(0, 0, 200, 300)); // left half only
        QCOMPARE(surface->geometry(), QRect(0, 0, 200, 300));
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(redShare(screenShot()) - 0.5) < 0.05, 5000);

        engine.setOwner(nullptr);
        QVERIFY(window.findChildren<QWidget *>(QStringLiteral("VideoSurface")).isEmpty());
        engine.setOwner(&window);
        QCOMPARE(window.findChildren<QWidget *>(QStringLiteral("VideoSurface")).size(), 1);
        engine.release(); // also detaches the picture
        QVERIFY(window.findChildren<QWidget *>(QStringLiteral("VideoSurface")).isEmpty());
    }

    void ownerWindowMayCloseFirst()
    {
        GstMediaEngine engine;
        {
            auto window = std::make_unique<QWidget>();
            window->resize(300, 200);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            QVERIFY(engine.create());
            QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
            engine.setOwner(window.get());
            engine.setWindowPosition(QRect(0, 0, 300, 200));
            engine.play();
            QTest::qWait(300);
        }
        // The sink must have let go of the destroyed window; a new film plays normally.
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        engine.play();
        QTRY_VERIFY(engine.position() > Second / 4);
    }

    void framesDrawnSurvivesSeeks()
    {
        QWidget window;
        window.resize(320, 240);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        engine.setOwner(&window);
        engine.setWindowPosition(window.rect());

        engine.play();
        QTRY_VERIFY(engine.framesDrawn() >= 10);
        const int before = engine.framesDrawn();
        engine.seek(Second);
        QVERIFY(engine.framesDrawn() >= before);
        QTRY_VERIFY(engine.framesDrawn() >= before + 10);
        engine.pause();
        const double fps = engine.averageFrameRate();
        QVERIFY2(fps > 0.0 && fps < 60.0, QByteArray::number(fps));
    }

    void snapshotHasThePicturesOwnSize()
    {
        QWidget window;
        window.resize(640, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_red), MediaEngine::RenderResult::Ok);
        engine.setOwner(&window);
        engine.setWindowPosition(window.rect());
        engine.play();
        QTest::qWait(300);
        engine.pause();

        const QImage frame = engine.grabFrame();
        QCOMPARE(frame.size(), QSize(320, 240));
        QCOMPARE(frame.format(), QImage::Format_RGB888);
        QVERIFY2(redShare(frame) > 0.95, QByteArray::number(redShare(frame)));

        // The picture controls change what the graph delivers: no saturation, no red.
        engine.setPictureControls({0.0, 1.0, 0.0});
        engine.seek(engine.position());
        QVERIFY(redShare(engine.grabFrame()) < 0.05);
    }

    void endOfFilmEmitsComplete()
    {
        GstMediaEngine engine;
        QSignalSpy complete(&engine, &MediaEngine::complete);
        QSignalSpy errors(&engine, &MediaEngine::errorOccurred);
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_red), MediaEngine::RenderResult::Ok);
        engine.seek(engine.duration() - Second / 2);
        engine.play();
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 1, 5000);
        QCOMPARE(errors.count(), 0);

        // Rewinding plays to the end again.
        engine.seek(engine.duration() - Second / 4);
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 2, 5000);
    }

    void filtersAndTheirProperties()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);

        QStringList factories;
        for (const MediaEngine::FilterInfo &f : engine.filtersInUse()) {
            QVERIFY(!f.name.isEmpty());
            factories << f.factory;
        }
        for (const char *expected : {"videobalance", "audiopanorama", "ximagesink", "fakeaudiosink", "avdec_mpeg4"})
            QVERIFY2(factories.contains(QLatin1String(expected)), expected);

        const auto brightness = propertyOf(engine, QStringLiteral("videobalance"), QStringLiteral("brightness"));
        QVERIFY(brightness.has_value());
        QVERIFY(brightness->writable);
        QCOMPARE(brightness->minimum.toDouble(), -1.0);
        QCOMPARE(brightness->maximum.toDouble(), 1.0);
        QVERIFY(engine.setFilterProperty(QStringLiteral("videobalance"), QStringLiteral("brightness"), 0.25));
        QCOMPARE(propertyOf(engine, QStringLiteral("videobalance"), QStringLiteral("brightness"))->value.toDouble(), 0.25);

        engine.setPictureControls({-0.5, 1.5, 0.25});
        QCOMPARE(propertyOf(engine, QStringLiteral("videobalance"), QStringLiteral("contrast"))->value.toDouble(), 1.5);
        QCOMPARE(engine.pictureControls().brightness, -0.5);

        // Enumerations go by index or by nick.
        const auto method = propertyOf(engine, QStringLiteral("audiopanorama"), QStringLiteral("method"));
        QVERIFY(method.has_value());
        const int simple = int(method->choices.indexOf(QStringLiteral("simple")));
        QVERIFY(simple >= 0);
        QCOMPARE(method->value.toInt(), simple);
        QVERIFY(engine.setFilterProperty(QStringLiteral("audiopanorama"), QStringLiteral("method"),
                                         QStringLiteral("psychoacoustic")));
        QCOMPARE(propertyOf(engine, QStringLiteral("audiopanorama"), QStringLiteral("method"))->value.toInt(),
                 int(method->choices.indexOf(QStringLiteral("psychoacoustic"))));
        QVERIFY(engine.setFilterProperty(QStringLiteral("audiopanorama"), QStringLiteral("method"), simple));
        QCOMPARE(propertyOf(engine, QStringLiteral("audiopanorama"), QStringLiteral("method"))->value.toInt(), simple);

        // What cannot be set says so.
        QVERIFY(!engine.setFilterProperty(QStringLiteral("videobalance"), QStringLiteral("brightness"), 5.0));
        QVERIFY(!engine.setFilterProperty(QStringLiteral("videobalance"), QStringLiteral("brightness"),
                                          QStringLiteral("bright")));
        QVERIFY(!engine.setFilterProperty(QStringLiteral("videobalance"), QStringLiteral("no-such"), 1));
        QVERIFY(!engine.setFilterProperty(QStringLiteral("no-such-filter"), QStringLiteral("brightness"), 0.1));
        QVERIFY(!engine.setFilterProperty(QStringLiteral("audiopanorama"), QStringLiteral("method"), 99));
        const auto windowWidth = propertyOf(engine, QStringLiteral("videosink"), QStringLiteral("window-width"));
        QVERIFY(windowWidth.has_value());
        QVERIFY(!windowWidth->writable);
        QVERIFY(!engine.setFilterProperty(QStringLiteral("videosink"), QStringLiteral("window-width"), 10));
        QVERIFY(engine.filterProperties(QStringLiteral("no-such-filter")).isEmpty());
    }

    void presetFiltersGoIntoLaterGraphs()
    {
        GstMediaEngine engine;
        QVERIFY(engine.create());
        engine.setPresetFilters(QStringLiteral("videoflip"), QStringLiteral("audioecho"), QStringLiteral("fakeaudiosink"));
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        QVERIFY(elementMadeBy(engine, {QStringLiteral("videoflip")}).isEmpty()); // not in the graph built before

        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        QVERIFY(!elementMadeBy(engine, {QStringLiteral("videoflip")}).isEmpty());
        QVERIFY(!elementMadeBy(engine, {QStringLiteral("audioecho")}).isEmpty());
        engine.play();
        QTRY_VERIFY(engine.position() > Second / 4);

        // A filter that does not exist is left out; the film still plays.
        engine.setPresetFilters(QStringLiteral("no-such-filter"), QString(), QStringLiteral("no-such-output"));
        QVERIFY(engine.create());
        QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
        QVERIFY(!elementMadeBy(engine, {QStringLiteral("fakeaudiosink")}).isEmpty());
    }

    void streamWithoutDecoderIsPartial()
    {
        // Hide every MP3 decoder from this process: the picture must still play.
        GList *decoders = gst_element_factory_list_get_elements(
            GST_ELEMENT_FACTORY_TYPE_DECODER | GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO, GST_RANK_NONE);
        GstCaps *mp3 = gst_caps_from_string("audio/mpeg, mpegversion=(int)1, layer=(int)3");
        QList<QPair<GstPluginFeature *, guint>> hidden;
        for (GList *l = decoders; l; l = l->next) {
            auto *factory = GST_ELEMENT_FACTORY(l->data);
            if (gst_element_factory_can_sink_any_caps(factory, mp3)) {
                hidden.append({GST_PLUGIN_FEATURE(factory), gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(factory))});
                gst_plugin_feature_set_rank(GST_PLUGIN_FEATURE(factory), GST_RANK_NONE);
            }
        }
        gst_caps_unref(mp3);
        QVERIFY(!hidden.isEmpty());

        GstMediaEngine engine;
        QVERIFY(engine.create());
        const MediaEngine::RenderResult result = engine.render(m_ball);
        const QSize size = engine.videoSize();
        engine.play();
        const bool plays = QTest::qWaitFor([&] { return engine.position() > Second / 4; }, 5000);
        engine.release();

        for (const auto &[feature, rank] : hidden)
            gst_plugin_feature_set_rank(feature, rank);
        gst_plugin_feature_list_free(decoders);

        QCOMPARE(result, MediaEngine::RenderResult::Partial);
        QCOMPARE(size, QSize(320, 240));
        QVERIFY(plays);
    }

    void openingAgainAndAgainLeaksNothing()
    {
        const int livePipelinesBefore = GstMediaEngine::livePipelines();
        GstMediaEngine engine;
        const auto openOnce = [&] {
            QVERIFY(engine.create());
            QCOMPARE(engine.render(m_ball), MediaEngine::RenderResult::Ok);
            engine.release();
        };
        for (int i = 0; i < 10; ++i)
            openOnce();
        QCoreApplication::processEvents();
        const qint64 rssBefore = residentBytes();
        for (int i = 0; i < 100; ++i) {
            openOnce();
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(GstMediaEngine::livePipelines(), livePipelinesBefore);
        const qint64 growth = residentBytes() - rssBefore;
        QVERIFY2(growth < 30 * 1024 * 1024, QByteArray::number(growth));
    }

private:
    QString m_ball;
    QString m_red;
    QString m_tone;
    QString m_garbage;
};

QTEST_MAIN(TestGstEngine)
#include "test_gst_engine.moc"
