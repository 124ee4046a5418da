#include "ui/settings/PageAssociations.h"
#include "ui/settings/ProgramIcons.h"
#include "ui/skins/TZDButton.h"

#include "fakes/FakeDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QtTest>

namespace {

QStringList texts(const QListWidget *list, bool selectedOnly)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        if (!selectedOnly || list->item(i)->isSelected())
            out << list->item(i)->text();
    }
    return out;
}

} // namespace

class TestPageAssociations : public QObject
{
    Q_OBJECT

private slots:
    void startsWithEveryBuiltInExtensionSelected()
    {
        FakeDialogs dialogs;
        PageAssociations page(dialogs);
        QCOMPARE(page.objectName(), QStringLiteral("TabSheetFormats"));
        const QStringList expected{"ASF", "AVI", "MPEG", "MPE", "MPG", "MOV", "WMV", "DAT",
                                   "DIVX", "IFO", "M2V", "OGM", "VOB", "QT", "M2P", "WAV",
                                   "MPA", "MP3", "MID", "M3U", "WMA", "OGG", "CDA"};
        QCOMPARE(texts(page.ListRoz, false), expected);
        QCOMPARE(texts(page.ListRoz, true), expected);
        QCOMPARE(page.SliderIcon->minimum(), 0);
        QCOMPARE(page.SliderIcon->maximum(), 6);
        QCOMPARE(page.SliderIcon->value(), 1);
        QVERIFY(page.ButtonRozAddSel->caption().contains("Brivara"));
    }

    void typedExtensionIsAddedInUpperCase()
    {
        FakeDialogs dialogs;
        PageAssociations page(dialogs);
        QTest::keyClicks(page.NewRoz, "mkv");
        QCOMPARE(page.NewRoz->text(), QStringLiteral("MKV"));
        page.ButtonRozAdd->click();
        QCOMPARE(page.ListRoz->count(), 24);
        QCOMPARE(page.ListRoz->item(23)->text(), QStringLiteral("MKV"));

        // Text set from code is converted as well; an empty edit adds nothing.
        page.NewRoz->setText("Flac");
        QCOMPARE(page.NewRoz->text(), QStringLiteral("FLAC"));
        page.NewRoz->clear();
        page.ButtonRozAdd->click();
        QCOMPARE(page.ListRoz->count(), 24);
    }

    void deselectAndSelectAll()
    {
        FakeDialogs dialogs;
        PageAssociations page(dialogs);
        page.NewRoz->setText("mkv");
        page.ButtonRozAdd->click();
        page.ButtonRozNic->click();
        QCOMPARE(texts(page.ListRoz, true), QStringList());
        page.ButtonRozAll->click();
        QCOMPARE(texts(page.ListRoz, true).size(), 24);
        page.ButtonRozNic->click();
        page.selectAll();
        QCOMPARE(texts(page.ListRoz, true).size(), 24);
    }

    void sliderShowsTheChosenIcon()
    {
        FakeDialogs dialogs;
        PageAssociations page(dialogs);
        const auto shown = [&] { return page.ImageIcon->pixmap().toImage(); };
        QCOMPARE(shown(), ProgramIcons::image(1, 32).convertToFormat(shown().format()));
        page.SliderIcon->setValue(5);
        QCOMPARE(shown(), ProgramIcons::image(5, 32).convertToFormat(shown().format()));
        // The seven icons are seven different pictures.
        for (int a = 0; a < ProgramIcons::Count; ++a) {
            for (int b = a + 1; b < ProgramIcons::Count; ++b)
                QVERIFY(ProgramIcons::image(a) != ProgramIcons::image(b));
        }
    }
};

QTEST_MAIN(TestPageAssociations)
#include "test_page_associations.moc"
