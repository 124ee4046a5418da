#include "core/FilterCatalog.h"

#include <QtTest>

using namespace FilterCatalog;

class TestFilterCatalog : public QObject
{
    Q_OBJECT
private slots:
    void listsSortFactoriesByClassAndTellSameNamesApart()
    {
        const QList<Offer> factories{
            {"pulsesink", "PulseAudio Audio Sink", "Sink/Audio", "pulsesink"},
            {"fakeaudiosink", "Fake Audio Sink", "Audio/Sink", "fakeaudiosink"},
            {"agingtv", "AgingTV effect", "Filter/Effect/Video", "agingtv"},
            {"videoconvert", "Video colorspace converter", "Filter/Converter/Video/Colorspace", "videoconvert"},
            {"audioecho", "Audio echo", "Filter/Effect/Audio", "audioecho"},
            {"avdec_mpeg4", "libav MPEG-4 part 2 decoder", "Codec/Decoder/Video", "avdec_mpeg4"},
            {"lamemp3enc", "L.A.M.E. mp3 encoder", "Codec/Encoder/Audio", "lamemp3enc"},
            {"mpegaudioparse", "MPEG1 Audio Parser", "Codec/Parser/Audio", "mpegaudioparse"},
            {"avimux", "Avi muxer", "Codec/Muxer", "avimux"},
            {"audiotestsrc", "Audio test source", "Source/Audio", "audiotestsrc"},
            {"level", "Level", "Filter/Analyzer/Audio", "level"},
            {"a", "Echo", "Filter/Effect/Audio", "a"},
            {"b", "echo", "Filter/Effect/Audio", "b"},
            {"c", "Echo", "Filter/Effect/Audio", "c"},
        };
        const QList<Offer> devices{{"device:Speakers|hw0", "Speakers", "Audio/Sink", "hw0"},
                                   {"device:Speakers|hw1", "Speakers", "Audio/Sink", "hw1"}};
        const Lists l = lists(devices, factories);

        // Devices come first, then the sinks by name; two devices of one name show which is which.
        QCOMPARE(l[AudioOutputs], (QList<Entry>{{"Speakers (hw0)", "device:Speakers|hw0"},
                                                {"Speakers (hw1)", "device:Speakers|hw1"},
                                                {"Fake Audio Sink", "fakeaudiosink"},
                                                {"PulseAudio Audio Sink", "pulsesink"}}));
        QCOMPARE(l[VideoFilters], (QList<Entry>{{"AgingTV effect", "agingtv"}, {"Video colorspace converter", "videoconvert"}}));
        // Parsers, analysers, sources and muxers are in no list; names differing only in case are different names.
        QCOMPARE(l[AudioEffects], (QList<Entry>{{"Audio echo", "audioecho"},
                                                {"Echo (a)", "a"},
                                                {"echo", "b"},
                                                {"Echo (c)", "c"}}));
        QCOMPARE(l[AudioCodecs], (QList<Entry>{{"L.A.M.E. mp3 encoder", "lamemp3enc"}}));
        QCOMPARE(l[VideoCodecs], (QList<Entry>{{"libav MPEG-4 part 2 decoder", "avdec_mpeg4"}}));

        // A stored choice is found by the name shown, or by the factory name an older file holds.
        QCOMPARE(find(l[AudioOutputs], "Speakers (hw1)"), 1);
        QCOMPARE(find(l[AudioOutputs], "pulsesink"), 3);
        QCOMPARE(find(l[AudioOutputs], "Speakers"), -1); // ambiguous: not guessed
        QCOMPARE(find(l[AudioOutputs], QString()), -1);
    }

    void onlyOneExtraFilterAndOneOutputAreTicked()
    {
        Ticks t;
        t.chooseOutput(2);
        t.addFilter(VideoFilters, 5);
        t.addFilter(AudioEffects, 1); // replaces the picture filter, not the output
        QCOMPARE(t.ticked(VideoFilters), -1);
        QCOMPARE(t.ticked(AudioEffects), 1);
        QCOMPARE(t.ticked(AudioOutputs), 2);
        t.addFilter(AudioOutputs, 0); // outputs are not added as filters
        QCOMPARE(t.ticked(AudioOutputs), 2);
        QVERIFY(Ticks::clickKeeps(AudioOutputs));
        for (int list : {AudioCodecs, VideoCodecs, VideoFilters, AudioEffects})
            QVERIFY(!Ticks::clickKeeps(list));
    }
};

QTEST_GUILESS_MAIN(TestFilterCatalog)
#include "test_filter_catalog.moc"
