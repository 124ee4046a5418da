// The filters dialog on the real media engine: what GStreamer offers, chosen elements in the
// next film's pipeline, their pages, and the audio output across a restart.

#include "core/SettingsStore.h"
#include "support/RealEngineServices.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/filters/FilterPropertyPage.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <gst/gst.h>

// A sound output device for the device monitor to find: "Test Speakers", which plays into a
// fakesink (so its element is told from the default output), present while s_speakers is.
namespace {

bool s_speakers = true;

struct TestSpeakers
{
    GstDevice parent;
};
struct TestSpeakersClass
{
    GstDeviceClass parent_class;
};
G_DEFINE_TYPE(TestSpeakers, test_speakers, GST_TYPE_DEVICE)

GstElement *speakersElement(GstDevice *, const gchar *name)
{
    GstElement *sink = gst_element_factory_make("fakesink", name);
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}
void test_speakers_class_init(TestSpeakersClass *klass)
{
    GST_DEVICE_CLASS(klass)->create_element = speakersElement;
}
void test_speakers_init(TestSpeakers *) {}

struct TestSpeakersProvider
{
    GstDeviceProvider parent;
};
struct TestSpeakersProviderClass
{
    GstDeviceProviderClass parent_class;
};
G_DEFINE_TYPE(TestSpeakersProvider, test_speakers_provider, GST_TYPE_DEVICE_PROVIDER)

GList *probeSpeakers(GstDeviceProvider *)
{
    if (!s_speakers)
        return nullptr;
    GstCaps *caps = gst_caps_new_any();
    gpointer device = g_object_new(test_speakers_get_type(), "display-name", "Test Speakers", "device-class",
                                   "Audio/Sink", "caps", caps, nullptr);
    gst_caps_unref(caps);
    return g_list_append(nullptr, device);
}
void test_speakers_provider_class_init(TestSpeakersProviderClass *klass)
{
    auto *provider = GST_DEVICE_PROVIDER_CLASS(klass);
    provider->probe = probeSpeakers;
    gst_device_provider_class_set_static_metadata(provider, "Test speakers", "Sink/Audio", "Speakers for tests",
                                                  "Brivara");
}
void test_speakers_provider_init(TestSpeakersProvider *) {}

int rowOf(const QListWidget *list, const QString &text)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == text)
            return row;
    return -1;
}

QStringList ticked(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            names << list->item(row)->text();
    return names;
}

// The factory the running pipeline's sound output was made by.
QString output(const Player &player)
{
    for (const MediaEngine::FilterInfo &f : player.form2()->engine().filtersInUse())
        if (f.name == QLatin1String("audiosink"))
            return f.factory;
    return {};
}

// Name of the first element of the running pipeline made by the factory; empty when none.
QString running(const Player &player, const QString &factory)
{
    for (const MediaEngine::FilterInfo &f : player.form2()->engine().filtersInUse())
        if (f.factory == factory)
            return f.name;
    return {};
}

QVariant propertyValue(const Player &player, const QString &element, const QString &name)
{
    for (const MediaEngine::FilterProperty &p : player.form2()->engine().filterProperties(element))
        if (p.name == name)
            return p.value;
    return {};
}

// The window as the X server shows it, into $BRIVARA_SCREENSHOTS when that is set.
void screenshot(QWidget *window, const QString &name)
{
    const QString dir = qEnvironmentVariable("BRIVARA_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(300);
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    QVERIFY(shot.save(QDir(dir).filePath(name)));
}

} // namespace

class TestFiltersDialog : public QObject
{
    Q_OBJECT

    QString film;

    struct Running
    {
        FakeDialogs *dialogs = nullptr;
        std::unique_ptr<Player> player;
        TFormFiltry *filters() const { return player->formFiltry(); }
        void open(const QString &path)
        {
            player->form1()->OpenMovieFileName = path;
            player->form1()->OpenGivenFile = true;
            player->form1()->ButtonOpenClick();
        }
        bool plays()
        {
            const qint64 from = player->form2()->engine().position();
            if (player->form1()->PlayState != TForm1::StatePlaying)
                player->form1()->BPlayClick();
            return QTest::qWaitFor([&] { return player->form2()->engine().position() > from + 2500000; }, 5000);
        }
        void expand()
        {
            filters()->show();
            filters()->BAllFiltry->click();
        }
    };

    std::unique_ptr<Running> start()
    {
        auto r = std::make_unique<Running>();
        r->player = std::make_unique<Player>(realEngineServices(r->dialogs));
        r->player->systemLanguage = QLocale::Polish;
        r->player->start({});
        r->dialogs->asked.clear(); // the first-run questions
        return r;
    }

private slots:
    void initTestCase()
    {
        qputenv("BRIVARA_AUDIOSINK", "fakeaudiosink");
        film = TestMedia::movie(6);
        QVERIFY(!film.isEmpty());
        gst_init(nullptr, nullptr);
        QVERIFY(gst_device_provider_register(nullptr, "brivaratestspeakers", GST_RANK_PRIMARY,
                                             test_speakers_provider_get_type()));
    }

    void init()
    {
        s_speakers = true;
    }

    void chosenFiltersRunInTheNextFilmWithTheirSettings()
    {
        QTemporaryDir home;
        TestSupport::isolateUserFolders(home.path());
        auto r = start();
        TFormFiltry *f = r->filters();
        r->open(film);
        // Nothing of the registry is read before the window is widened.
        QVERIFY(!f->listsFilled());
        QCOMPARE(f->ListDirectShow->count(), 0);

        r->expand();
        QCOMPARE(f->width(), TFormFiltry::ExpandedWidth);
        QCOMPARE(f->BAllFiltry->caption(), QStringLiteral("Hide <<"));
        QCOMPARE(f->ListAudioOut->item(0)->text(), QStringLiteral("Test Speakers")); // devices first
        QVERIFY(rowOf(f->ListAudioOut, QStringLiteral("Fake Audio Sink")) > 0);
        QVERIFY(rowOf(f->ListAudio, QStringLiteral("L.A.M.E. mp3 encoder")) >= 0);
        QVERIFY(rowOf(f->ListVideo, QStringLiteral("libav MPEG-4 part 2 decoder")) >= 0);
        const int aging = rowOf(f->ListDirectShow, QStringLiteral("AgingTV effect"));
        const int echo = rowOf(f->ListAudioEffects, QStringLiteral("Audio echo"));
        QVERIFY(aging >= 0 && echo >= 0);
        // Collapsing keeps the lists; widening again does not fill them twice.
        const QList<int> counts{f->ListAudioOut->count(), f->ListAudio->count(), f->ListVideo->count(),
                                f->ListDirectShow->count(), f->ListAudioEffects->count()};
        f->BAllFiltry->click();
        QCOMPARE(f->width(), TFormFiltry::CollapsedWidth);
        QCOMPARE(f->BAllFiltry->caption(), QStringLiteral("More >>"));
        f->BAllFiltry->click();
        QCOMPARE((QList<int>{f->ListAudioOut->count(), f->ListAudio->count(), f->ListVideo->count(),
                             f->ListDirectShow->count(), f->ListAudioEffects->count()}),
                 counts);
        f->PageFilters->setCurrentIndex(1);
        f->ListDirectShow->setCurrentRow(aging);
        screenshot(f, QStringLiteral("filters-expanded.png"));

        // Adding the picture filter ticks it and shows its page, whose settings the next film's
        // element starts with.
        f->BAddFiltr->click();
        QCOMPARE(ticked(f->ListDirectShow), QStringList{QStringLiteral("AgingTV effect")});
        FilterPropertyPage *page = f->propertyPage();
        QVERIFY(page && page->isVisible());
        QCOMPARE(page->windowTitle(), QStringLiteral("AgingTV effect"));
        auto *lines = page->findChild<QSpinBox *>(QStringLiteral("scratch-lines"));
        QVERIFY(lines && lines->isEnabled());
        lines->setValue(17);
        screenshot(page, QStringLiteral("filters-property-page.png"));
        page->close();
        // A click on a box of these lists is taken back: only the add buttons choose.
        f->ListDirectShow->item(aging == 0 ? 1 : 0)->setCheckState(Qt::Checked);
        QCOMPARE(ticked(f->ListDirectShow), QStringList{QStringLiteral("AgingTV effect")});
        QVERIFY(running(*r->player, QStringLiteral("agingtv")).isEmpty()); // from the next film on

        r->open(film);
        const QString agingtv = running(*r->player, QStringLiteral("agingtv"));
        QVERIFY(!agingtv.isEmpty());
        QCOMPARE(propertyValue(*r->player, agingtv, QStringLiteral("scratch-lines")).toUInt(), 17u);
        QVERIFY(r->plays());

        // Its page from the filters in use changes the running element at once.
        const QList<QListWidgetItem *> inUse = f->ListFiltr->findItems(agingtv, Qt::MatchExactly);
        QCOMPARE(inUse.size(), 1);
        f->ListFiltr->setCurrentItem(inUse.first());
        f->BProperties->click();
        page = f->propertyPage();
        QVERIFY(page);
        page->findChild<QSpinBox *>(QStringLiteral("scratch-lines"))->setValue(3);
        QCOMPARE(propertyValue(*r->player, agingtv, QStringLiteral("scratch-lines")).toUInt(), 3u);
        page->close();

        // The audio effect replaces the picture filter as the one extra filter.
        f->PageFilters->setCurrentIndex(2);
        f->ListAudioEffects->setCurrentRow(echo);
        f->BAudioEffects->click();
        QVERIFY(ticked(f->ListDirectShow).isEmpty());
        QCOMPARE(ticked(f->ListAudioEffects), QStringList{QStringLiteral("Audio echo")});
        f->propertyPage()->close();
        r->open(film);
        QVERIFY(!running(*r->player, QStringLiteral("audioecho")).isEmpty());
        QVERIFY(running(*r->player, QStringLiteral("agingtv")).isEmpty());
        QVERIFY(r->plays());
        QVERIFY(r->dialogs->asked.isEmpty());
    }

    void elementsThatFailAreTakenOutAndTheFilmPlays()
    {
        QTemporaryDir home;
        TestSupport::isolateUserFolders(home.path());
        auto r = start();
        TFormFiltry *f = r->filters();
        r->expand();
        // An OpenGL filter cannot be linked to pictures in memory; ALSA finds no sound card here.
        const int gl = rowOf(f->ListDirectShow, QStringLiteral("Gstreamer OpenGL Effects"));
        const int alsa = rowOf(f->ListAudioOut, QStringLiteral("Audio sink (ALSA)"));
        QVERIFY(gl >= 0 && alsa >= 0);
        f->ListDirectShow->setCurrentRow(gl);
        f->BAddFiltr->click();
        f->propertyPage()->close();
        f->ListAudioOut->item(alsa)->setCheckState(Qt::Checked);
        f->AudioOutFilter->setChecked(true);

        r->open(film);
        QCOMPARE(r->dialogs->asked.size(), 1);
        const QString message = r->dialogs->asked.first().text;
        QVERIFY2(message.contains(QStringLiteral("Gstreamer OpenGL Effects")) && message.contains(QStringLiteral("Audio sink (ALSA)")),
                 qPrintable(message));
        QVERIFY(running(*r->player, QStringLiteral("gleffects")).isEmpty());
        QCOMPARE(output(*r->player), QStringLiteral("fakeaudiosink"));
        QVERIFY(r->plays());
        // Taken out for good: the lists tick nothing, and the next film asks nothing.
        QVERIFY(ticked(f->ListDirectShow).isEmpty());
        QVERIFY(ticked(f->ListAudioOut).isEmpty());
        QVERIFY(!f->AudioOutFilter->isChecked());
        r->open(film);
        QCOMPARE(r->dialogs->asked.size(), 1);
    }

    void audioOutputSurvivesARestartAndFallsBackWhenGone()
    {
        QTemporaryDir home;
        TestSupport::isolateUserFolders(home.path());
        {
            auto r = start();
            r->expand();
            TFormFiltry *f = r->filters();
            f->PageFilters->setCurrentIndex(0);
            f->ListAudioOut->item(0)->setCheckState(Qt::Checked);
            f->AudioOutFilter->setChecked(true);
            QCOMPARE(ticked(f->ListAudioOut), QStringList{QStringLiteral("Test Speakers")});
            r->open(film);
            QCOMPARE(output(*r->player), QStringLiteral("fakesink"));
            r->player->form1()->close();
        }
        const QSettings stored(SettingsStore::defaultFileName(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("FilterAudioOut")).toString(), QStringLiteral("Test Speakers"));

        auto r = start();
        TFormFiltry *f = r->filters();
        QVERIFY(f->AudioOutFilter->isChecked());
        r->open(film);
        QCOMPARE(output(*r->player), QStringLiteral("fakesink"));
        QVERIFY(r->plays());
        QVERIFY(!f->listsFilled());
        r->expand();
        QCOMPARE(ticked(f->ListAudioOut), QStringList{QStringLiteral("Test Speakers")});

        // Unplugged: the default output plays, and the choice stays for when it is back.
        s_speakers = false;
        r->open(film);
        QCOMPARE(output(*r->player), QStringLiteral("fakeaudiosink"));
        QVERIFY(r->plays());
        QVERIFY(r->dialogs->asked.isEmpty());
        s_speakers = true;
        r->open(film);
        QCOMPARE(output(*r->player), QStringLiteral("fakesink"));
    }
};

QTEST_MAIN(TestFiltersDialog)
#include "test_filters_dialog.moc"
