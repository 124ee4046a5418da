#include "core/SkinFile.h"
#include "core/SkinFolders.h"
#include "support/TestPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/settings/PageSkins.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/SkinShape.h"
#include "ui/skins/TShadowLabel.h"
#include "ui/skins/TSkinSlider.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

// A glyph-sized picture: a filled square on the key colour.
QImage square(QColor colour, int size = 12)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter(&image).fillRect(2, 0, size - 4, size - 2, colour);
    return image;
}

QAction *skinItem(TForm2 *video, const QString &name)
{
    for (QAction *a : video->MSkin->actions())
        if (a->text() == name)
            return a;
    return nullptr;
}

// The shipped skins as the build drew them.
QString shippedDir() { return QStringLiteral(BRIVARA_BUILD_DIR "/share/brivara"); }

} // namespace

class TestSkins : public QObject
{
    Q_OBJECT
private slots:
    void init() { qputenv("BRIVARA_DATA_DIR", shippedDir().toLocal8Bit()); }

    void shippedSkinsDressAndShapeThePanel();
    void saveLoadSaveGivesTheSameSkin();
    void handWrittenSkinLoadsWhatItCan();
    void builtInSkinIsNeverOverwrittenByTheButton();
    void editorChangesThePanelAtOnce();
    void startUpLoadsTheStoredSkinOnly();
    void shapeByRunsEqualsShapeByMask();
};

void TestSkins::shippedSkinsDressAndShapeThePanel()
{
    TestPlayer t;
    t->start({});
    TForm1 *panel = t->form1();
    PageSkins *page = t->form4()->Skins;
    t.dialogs->asked.clear();
    // The list is made when the context menu first opens.
    QVERIFY(!t->form2()->MSkin->isEnabled());
    emit t->form2()->PopupMenu->aboutToShow();
    QVERIFY(t->form2()->MSkin->isEnabled());
    QCOMPARE(page->EDSkinSelect->count(), 4);
    for (const QString name : {"Grafit", "Kompakt", "Kontrast"}) {
        QAction *item = skinItem(t->form2(), name);
        QVERIFY2(item, qPrintable(name));
        item->trigger();
        QVERIFY2(t.dialogs->asked.isEmpty(), qPrintable(t.dialogs->asked.value(0).text));
        QCOMPARE(page->EDSkinSelect->currentText(), name);
        // The first load writes the built-in skin and leaves a fresh name to save under.
        QCOMPARE(page->EDName->text(), name == QLatin1String("Grafit") ? QString("NewSkin") : name);
        QVERIFY(item->isChecked());
        QCOMPARE(panel->SkinFlag(), 1);
        const QImage background(SkinFolders::locate(name, SkinFolders::roots()) + "/Background.bmp");
        QCOMPARE(panel->size(), background.size());
        // The key colour is cut away: the bottom-left corner is outside, the middle inside.
        const QRegion shape = panel->mask();
        QVERIFY(!shape.contains(QPoint(0, panel->height() - 1)));
        QVERIFY(shape.contains(QPoint(panel->width() / 2, panel->height() / 3)));
        QVERIFY(!panel->BPlay->glyphUp().isNull() && !panel->BPlay->glyphOver().isNull());
        QVERIFY(!static_cast<TSkinSlider *>(panel->SliderPos)->imageThumb().isNull());
        QVERIFY(panel->isVisible());
    }
    // The built-in skin was written before the panel first changed, from the designed panel.
    const QString standard = SkinFolders::userRoot() + "/Standard/skin.all";
    QVERIFY(QFileInfo::exists(standard));
    QVERIFY(bytesOf(standard).contains("[BPlay]\r\nLeft=2\r\nTop=17\r\nWidth=29\r\nHeight=22"));
    // And it brings the designed panel back, stretched and with the designed shape.
    skinItem(t->form2(), "Standard")->trigger();
    QCOMPARE(panel->SkinFlag(), 0);
    QCOMPARE(panel->size(), QSize(492, 72));
    QCOMPARE(panel->BPlay->geometry(), QRect(2, 17, 29, 22));
    QVERIFY(!panel->mask().contains(QPoint(100, 70)));
    QVERIFY(panel->mask().contains(QPoint(100, 50)));
}

void TestSkins::saveLoadSaveGivesTheSameSkin()
{
    TestPlayer t;
    t->start({});
    PageSkins *page = t->form4()->Skins;
    const QString root = SkinFolders::userRoot();
    auto saveAs = [&](const QString &name) {
        page->EDName->setText(name);
        page->EDBSaveSkin->click();
        return bytesOf(root + "/" + name + "/skin.all");
    };
    auto choose = [&](const QString &name) {
        page->EDSkinSelect->setCurrentIndex(page->EDSkinSelect->findText(name));
        page->EDSkinSelectChange();
    };
    for (const QString start : {"Standard", "Kontrast"}) {
        if (start != QLatin1String("Standard"))
            choose(start);
        const QByteArray first = saveAs("Pierwsza");
        QVERIFY(first.startsWith("Version=1\r\nAutor=\r\n["));
        QVERIFY(page->EDSkinSelect->findText("Pierwsza") >= 0); // listed after saving
        choose("Pierwsza");
        t.dialogs->nextButton = QMessageBox::Yes;
        const QByteArray second = saveAs("Druga");
        QCOMPARE(second, first);
        for (const QString &file : QDir(root + "/Pierwsza").entryList(QDir::Files))
            QVERIFY2(bytesOf(root + "/Druga/" + file) == bytesOf(root + "/Pierwsza/" + file), qPrintable(file));
        // Overwriting is asked about; the answer Yes writes it.
        saveAs("Pierwsza");
        QCOMPARE(t.dialogs->asked.last().text, QString("Skin \"Pierwsza\" allready exists, Overwrite?"));
        QDir(root + "/Pierwsza").removeRecursively();
        QDir(root + "/Druga").removeRecursively();
        t.dialogs->asked.clear();
        t.dialogs->nextButton = QMessageBox::Ok;
    }
    // A shipped skin saved under its own name goes to the program folder; the shipped
    // folder stays as it was.
    const QByteArray shipped = bytesOf(shippedDir() + "/SKINS/Kontrast/skin.all");
    saveAs("Kontrast");
    QCOMPARE(bytesOf(shippedDir() + "/SKINS/Kontrast/skin.all"), shipped);
    QVERIFY(QFileInfo::exists(root + "/Kontrast/skin.all"));
    QCOMPARE(SkinFolders::locate("Kontrast", SkinFolders::roots()), root + "/Kontrast");
}

void TestSkins::handWrittenSkinLoadsWhatItCan()
{
    TestPlayer t;
    t->start({});
    TForm1 *panel = t->form1();
    const QString folder = SkinFolders::userRoot() + "/Reczna";
    QDir().mkpath(folder);
    QImage background(300, 60, QImage::Format_RGB32);
    background.fill(Qt::darkGreen);
    QPainter(&background).fillRect(0, 50, 300, 10, Qt::red); // the key colour: a strip cut away
    QVERIFY(background.save(folder + "/Background.bmp"));
    QVERIFY(square(Qt::blue).save(folder + "/down.png", "PNG")); // a PNG is a picture too
    // The designed panel gives BPlay an up glyph that the skin's section must clear.
    QVERIFY(!panel->BPlay->glyphUp().isNull());
    t.dialogs->asked.clear();
    writeText(folder + "/skin.all",
              "Version=1\r\nanything at all\r\nLeft=400\r\n"
              "[BPlay]\r\nLeft=10\r\nHint=Graj\r\n(spacja)\r\n\r\nVisible=false\r\nGlyphDown=down.png\r\n"
              "[BPause]\r\nText=Pauza\r\n"
              "[BStop]\r\nHint=Stop\r\n[BRepeat]\r\nFlat=1\r\nTextPos=7\r\nGlyphUp=brak.bmp\r\nLeft=99\r\n"
              "[StatusTime]\r\nFontColor=255\r\nFontShadowSize=2\r\nFontShadowColor=16711680\r\nFontShadowPos=3\r\n"
              "Text=ignored for labels\r\n"
              "[SliderPos]\r\nVisible=0\r\nLeft=abc\r\n[NoSuchThing]\r\nLeft=1\r\n[Image1]\r\nLeft=50\r\n"
              "\x01\x02 binary junk = ==\r\n[BStep");
    PageSkins *page = t->form4()->Skins;
    page->ListSkins();
    page->EDSkinSelect->setCurrentIndex(page->EDSkinSelect->findText("Reczna"));
    page->EDSkinSelectChange();

    // One message names the picture that could not be read; the rest loaded.
    QCOMPARE(t.dialogs->asked.size(), 1);
    QVERIFY(t.dialogs->asked[0].text.contains(folder + "/brak.bmp"));
    QVERIFY(!t.dialogs->asked[0].text.contains("down.png"));
    QCOMPARE(panel->size(), QSize(300, 60));
    QVERIFY(!panel->mask().contains(QPoint(10, 55)));
    QCOMPARE(panel->BPlay->x(), 10);
    QVERIFY(!panel->BPlay->isHidden()); // "false" is not "0"
    QCOMPARE(panel->BPlay->toolTip(), QString("Graj\r\n(spacja)"));
    QVERIFY(panel->BPlay->glyphUp().isNull());   // cleared before the section's keys
    QVERIFY(!panel->BPlay->glyphDown().isNull());
    QCOMPARE(panel->BPause->caption(), QString("Pauza"));
    // The header straight after Hint opened BRepeat's own section.
    QCOMPARE(panel->BStop->toolTip(), QString("Stop"));
    QCOMPARE(panel->BRepeat->buttonStyle(), TZDButton::btSpeedFlat);
    QCOMPARE(panel->BRepeat->textPosition(), TZDButton::tpNone); // 7 is no position
    QCOMPARE(panel->BRepeat->x(), 99);
    auto *time = static_cast<TShadowLabel *>(panel->StatusTime);
    QCOMPARE(time->fontColor(), QColor(255, 0, 0));
    QCOMPARE(time->shadowColor(), QColor(0, 0, 255));
    QCOMPARE(time->shadowSize(), 2);
    QCOMPARE(time->shadowPos(), int(TShadowLabel::RightTop));
    QVERIFY(panel->SliderPos->isHidden());
    QCOMPARE(panel->SliderPos->x(), 145);
    QCOMPARE(panel->Image1->pos(), QPoint(0, 0));
}

void TestSkins::builtInSkinIsNeverOverwrittenByTheButton()
{
    // No shipped skins and no skins folder: the chooser stays off and "Standard" does nothing.
    QTemporaryDir noData;
    qputenv("BRIVARA_DATA_DIR", noData.path().toLocal8Bit());
    TestPlayer t;
    t->start({});
    PageSkins *page = t->form4()->Skins;
    t->form4()->show();
    QVERIFY(!page->EDSkinSelect->isEnabled());
    QVERIFY(!t->form2()->MSkin->isEnabled());
    page->EDSkinSelect->addItem("Standard");
    page->EDSkinSelect->setCurrentIndex(0);
    page->EDSkinSelectChange();
    QVERIFY(!QFileInfo::exists(SkinFolders::userRoot()));

    page->EDName->setText("Standard");
    page->EDBSaveSkin->click();
    QCOMPARE(page->EDName->text(), QString("StandardNew"));
    const QString saved = SkinFolders::userRoot() + "/StandardNew/skin.all";
    QVERIFY(QFileInfo::exists(saved));
    QVERIFY(!QFileInfo::exists(SkinFolders::userRoot() + "/Standard"));
    QVERIFY(page->EDSkinSelect->isEnabled());
    QVERIFY(t->form2()->MSkin->isEnabled());

    // Declining the overwrite leaves the saved skin as it was.
    const QByteArray before = bytesOf(saved);
    t->form1()->BPlay->move(200, 5);
    t.dialogs->nextButton = QMessageBox::No;
    page->EDName->setText("Standard");
    page->EDBSaveSkin->click();
    QCOMPARE(t.dialogs->asked.last().text, QString("Skin \"StandardNew\" allready exists, Overwrite?"));
    QCOMPARE(bytesOf(saved), before);
}

void TestSkins::editorChangesThePanelAtOnce()
{
    TestPlayer t;
    t->start({});
    t->form4()->show();
    TForm1 *panel = t->form1();
    PageSkins *page = t->form4()->Skins;
    QCOMPARE(page->EDKomponent->count(), panel->SkinElements().size());
    page->EDKomponent->setCurrentText("BPlay");
    QCOMPARE(page->PageControlSkin->currentIndex(), 1);
    QCOMPARE(page->EDPozX->value(), 2);
    page->EDPozX->setValue(40);
    page->EDWys->setValue(30);
    QCOMPARE(panel->BPlay->geometry(), QRect(40, 17, 29, 30));
    page->EDHint->setPlainText("Graj\nteraz\n\n");
    QCOMPARE(panel->BPlay->toolTip(), QString("Graj\r\nteraz"));
    page->EDBFlat->click();
    QCOMPARE(panel->BPlay->buttonStyle(), TZDButton::btFlat);
    QCOMPARE(page->EDBProbe->buttonStyle(), TZDButton::btFlat);
    page->EDBBorder->click();
    QVERIFY(!panel->BPlay->border() && !page->EDBProbe->border());

    // A picture for the over state, then "X" on the up glyph.
    QTemporaryDir pictures;
    QVERIFY(square(Qt::green).save(pictures.filePath("over.bmp")));
    t.dialogs->nextFiles = {pictures.filePath("over.bmp")};
    page->EDBOver->click();
    QCOMPARE(panel->BPlay->glyphOver().pixelColor(5, 5), QColor(Qt::green));
    QVERIFY(!page->EDBOver->glyphUp().isNull()); // the preview shows it
    page->EDBUpX->click();
    QVERIFY(panel->BPlay->glyphUp().isNull());
    QVERIFY(page->EDBUp->glyphUp().isNull());

    // Another tab than the element's own (or "Opis") cannot be shown.
    page->PageControlSkin->setCurrentIndex(2);
    QCOMPARE(page->PageControlSkin->currentIndex(), 1);
    page->PageControlSkin->setCurrentIndex(0);
    QCOMPARE(page->PageControlSkin->currentIndex(), 0);

    // A slider takes no caption: typing changes nothing.
    page->EDKomponent->setCurrentText("SliderPos");
    QCOMPARE(page->PageControlSkin->currentIndex(), 2);
    QVERIFY(!page->EDCaption->isEnabled() && !page->EDTransparent->isEnabled());
    QVERIFY(page->EDCaption->text().isEmpty());
    page->EDCaption->setText("Suwak");
    QCOMPARE(panel->BPlay->caption(), QString());

    // Labels: colour and outline.
    page->EDKomponent->setCurrentText("StatusFileName");
    QCOMPARE(page->PageControlSkin->currentIndex(), 3);
    t.dialogs->nextColor = QColor(10, 200, 30);
    page->EDBLabelColor->click();
    QCOMPARE(static_cast<TShadowLabel *>(panel->StatusFileName)->fontColor(), QColor(10, 200, 30));
    page->EDLabelShadowSize->setValue(3);
    QCOMPARE(static_cast<TShadowLabel *>(panel->StatusFileName)->shadowSize(), 3);
    page->EDKomponent->setCurrentText("Border");
    QCOMPARE(page->PageControlSkin->currentIndex(), 0);

    // What the editor did is what gets saved: no GlyphUp for BPlay, the new over glyph.
    page->EDName->setText("Edytowana");
    page->EDBSaveSkin->click();
    QList<SkinFile::Section> sections;
    QString error;
    QVERIFY(SkinFile::read(SkinFolders::userRoot() + "/Edytowana/skin.all", &sections, &error));
    QCOMPARE(sections.first().name, QString("BPlay"));
    QVERIFY(!sections.first().value("GlyphUp"));
    QCOMPARE(sections.first().value("GlyphOver"), std::optional<QString>("BPlay_GlyphOver.bmp"));
    QCOMPARE(sections.first().value("Left"), std::optional<QString>("40"));
    QCOMPARE(sections.last().name, QString("SliderFUN"));
    // The built-in skin written at the window's first show is the designed panel, untouched.
    QVERIFY(bytesOf(SkinFolders::userRoot() + "/Standard/skin.all").contains("[BPlay]\r\nLeft=2\r\n"));
}

void TestSkins::startUpLoadsTheStoredSkinOnly()
{
    auto folders = std::make_shared<QTemporaryDir>();
    {
        TestPlayer t(folders);
        t->start({});
        // The default skin adds nothing at start: no skin folder is written.
        QVERIFY(!QFileInfo::exists(SkinFolders::userRoot()));
        QCOMPARE(t->form4()->EDSkinSelect->currentText(), QString());
        emit t->form2()->PopupMenu->aboutToShow();
        skinItem(t->form2(), "Grafit")->trigger();
        t->form4()->ButtonSetupSaveClick();
    }
    TestPlayer again(folders);
    again->start({});
    QVERIFY(QFileInfo::exists(SkinFolders::userRoot() + "/Standard/skin.all"));
    QCOMPARE(again->form4()->EDSkinSelect->currentText(), QString("Grafit"));
    QCOMPARE(again->form1()->SkinFlag(), 1);
    QVERIFY(skinItem(again->form2(), "Grafit")->isChecked());
    QVERIFY(again.dialogs->asked.isEmpty());

    // A stored name whose folder is gone survives the list being made again.
    QVERIFY(again->form4()->setSettingValue("SkinName", QString::fromUtf8("Zniknęła")));
    again->form4()->Skins->ListSkins();
    QCOMPARE(again->form4()->settingValue("SkinName").toString(), QString::fromUtf8("Zniknęła"));
    QCOMPARE(again->form1()->SkinFlag(), 1); // and changes nothing
}

void TestSkins::shapeByRunsEqualsShapeByMask()
{
    QImage image(64, 20, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    QPainter p(&image);
    p.fillRect(0, 15, 64, 5, Qt::cyan);       // the key colour, named by the bottom-left pixel
    p.fillRect(10, 0, 3, 20, Qt::cyan);       // a slot through every row
    p.fillRect(30, 16, 5, 4, Qt::black);      // a foot below the key line
    for (int x = 40; x < 64; x += 4)
        p.fillRect(x, 0, 2, 3 + x % 7, Qt::cyan); // a ragged top edge
    p.end();
    const QRegion runs = SkinShape::fromRuns(image);
    QVERIFY(runs.xored(SkinShape::fromMask(image)).isEmpty()); // the same pixels
    QVERIFY(!runs.contains(QPoint(11, 5)));
    QVERIFY(runs.contains(QPoint(32, 18)));
    QVERIFY(!runs.contains(QPoint(0, 19)));
    QVERIFY(SkinShape::fromRuns(QImage()).isEmpty());
}

QTEST_MAIN(TestSkins)
#include "test_skins.moc"
