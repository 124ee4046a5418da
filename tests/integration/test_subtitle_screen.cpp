#include "core/TextFile.h"
#include "support/TestPlayer.h"
#include "support/TestSupport.h"
#include "platform/Compositor.h"
#include "ui/app/TForm1.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor Backdrop(0, 150, 220);    // the film under the subtitle
const QColor Letters(255, 255, 0);     // the subtitle font's colour
constexpr int Outline = 4;
constexpr int LetterPixels = 40;

bool exactly(QRgb pixel, const QColor &colour) { return QColor(pixel).rgb() == colour.rgb(); }
bool dark(QRgb pixel) { return qRed(pixel) < 60 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

QImage screenshot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

QString save(const QImage &shot, const QRect &area, const QString &name)
{
    const QString file = QDir::temp().filePath(QStringLiteral("brivara-subtitle-%1.png").arg(name));
    shot.copy(area.adjusted(-20, -20, 20, 20)).save(file);
    qInfo("screenshot: %s", qPrintable(file));
    return file;
}

// A player whose video window, over a backdrop of the same colour, fills most of the
// screen; subtitles in yellow, 40 pixels, outline 4, each staying 10 s.
struct Stage
{
    TestPlayer t;
    QWidget backdrop;

    Stage()
    {
        t->start({});
        TestSupport::showBackdrop(backdrop, Backdrop);
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        const QPalette bp = backdrop.palette();

        TForm2 *video = t->form2();
        video->Panel->setPalette(bp);
        video->setPalette(bp);
        video->setGeometry(100, 150, 800, 500);
        video->show();
        video->raise();
        QVERIFY(QTest::qWaitForWindowExposed(video));

        TForm4 *prefs = t->form4();
        prefs->IQNapisow->setChecked(false);
        prefs->NapisyCzas->setValue(10);
        prefs->FontAutoHeight->setChecked(false);
        prefs->EObwodka->setValue(Outline);
        prefs->EObwodkaChange();
        prefs->NapisBottom->setValue(10);
        TForm3 *sub = t->form3();
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(LetterPixels);
        sub->setFont(f);
        QPalette sp = sub->palette();
        sp.setColor(QPalette::WindowText, Letters);
        sub->setPalette(sp);
    }

    void setKind(int id) { t->form4()->FontTypeGroup->button(id)->setChecked(true); }

    // Shows the text and waits until its letters (in `colour`) are on the screen.
    QImage show(const QString &text, QRect *area, const QColor &colour = Letters)
    {
        TForm3 *sub = t->form3();
        sub->ShowSubtitle(text, false, 10000);
        QImage shot;
        auto lettersShown = [&] {
            if (!sub->isVisible())
                return false;
            *area = QRect(sub->mapToGlobal(QPoint(0, 0)), sub->size());
            shot = screenshot();
            for (int y = area->top(); y <= area->bottom(); ++y)
                for (int x = area->left(); x <= area->right(); ++x)
                    if (exactly(shot.pixel(x, y), colour))
                        return true;
            return false;
        };
        if (!QTest::qWaitFor(lettersShown, 5000))
            return {};
        QTest::qWait(200); // the idle placement may still move it
        *area = QRect(sub->mapToGlobal(QPoint(0, 0)), sub->size());
        return screenshot();
    }
};

// How far the letters of display line `line` lean right: the mean x of their pixels in
// the top rows of the strokes less that in the bottom rows.
double lean(const QImage &shot, const QRect &area, int charHeight, int line, const QColor &colour = Letters)
{
    const int top = area.top() + line * (charHeight + 2);
    QList<int> rows;
    for (int y = top; y < top + charHeight + 2; ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (exactly(shot.pixel(x, y), colour)) {
                rows << y;
                break;
            }
    if (rows.size() < 10)
        return 0.0;
    auto meanX = [&](int y) {
        double sum = 0;
        int n = 0;
        for (int x = area.left(); x <= area.right(); ++x)
            if (exactly(shot.pixel(x, y), colour)) {
                sum += x;
                ++n;
            }
        return sum / n;
    };
    return meanX(rows.first() + 1) - meanX(rows.last() - 1);
}

int count(const QImage &shot, const QRect &area, const QColor &colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += exactly(shot.pixel(x, y), colour);
    return n;
}

} // namespace

// Subtitles as they really appear on an X server over a coloured film.
class TestSubtitleScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
    }

    void transparentShowsOnlyTheOutlinedLetters()
    {
        Stage s;
        s.setKind(0);
        QRect area;
        const QImage shot = s.show(QStringLiteral("Ala ma kota|i psa"), &area);
        QVERIFY(!shot.isNull());
        save(shot, area, QStringLiteral("transparent"));
        const QRegion mask = s.t->form3()->mask().translated(area.topLeft());
        QVERIFY(!mask.isEmpty());

        int letterPixels = 0, darkPixels = 0, outlinedBelowRight = 0;
        QPointF letterSum, darkSum;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = shot.pixel(x, y);
                if (!mask.contains(QPoint(x, y))) {
                    // Between the letters: the film.
                    QVERIFY2(exactly(p, Backdrop), qPrintable(QStringLiteral("gap at %1,%2").arg(x).arg(y)));
                    continue;
                }
                QVERIFY2(!exactly(p, Backdrop), qPrintable(QStringLiteral("shape at %1,%2").arg(x).arg(y)));
                if (exactly(p, Letters)) {
                    ++letterPixels;
                    letterSum += QPointF(x, y);
                    // Down and right of a letter pixel lies letter or outline, never film
                    // (the letters sit 1 pixel right of and 1 or 2 below their outline).
                    const QPoint corner(x + Outline - 1, y + Outline - 2);
                    if (mask.contains(corner) && !exactly(shot.pixel(corner), Backdrop))
                        ++outlinedBelowRight;
                } else if (dark(p)) {
                    ++darkPixels;
                    darkSum += QPointF(x, y);
                }
            }
        }
        QVERIFY(letterPixels > 500);
        QCOMPARE(outlinedBelowRight, letterPixels);
        QVERIFY(darkPixels > letterPixels / 3);
        // The black rim lies mostly right of and below the letters.
        const QPointF letterCentre = letterSum / letterPixels, darkCentre = darkSum / darkPixels;
        QVERIFY(darkCentre.x() > letterCentre.x() + 0.5);
        QVERIFY(darkCentre.y() > letterCentre.y() + 0.5);
    }

    void italicLinesLean()
    {
        Stage s;
        s.setKind(0);
        QRect area;
        const QImage shot = s.show(QStringLiteral("IIII|\\IIII"), &area);
        QVERIFY(!shot.isNull());
        save(shot, area, QStringLiteral("italic"));
        const int ch = s.t->form3()->composition().charHeight;
        const double upright = lean(shot, area, ch, 0), italic = lean(shot, area, ch, 1);
        qInfo("lean: upright %.1f px, italic %.1f px", upright, italic);
        QVERIFY(qAbs(upright) < 1.0);
        QVERIFY(italic > 3.0);
    }

    // Subtitle files with markup, read by the loader and drawn: the markup becomes the
    // letters' style and is never drawn as text. Each marked line is held against the same
    // letters written plainly: as many letter pixels (no tag drawn), leaning, coloured,
    // underlined or placed as the markup says.
    void markupIsDrawnNotShown()
    {
        Stage s;
        s.setKind(0);
        QTemporaryDir dir;
        TForm1 *panel = s.t->form1();
        const auto load = [&](const QString &name, const QStringList &lines) {
            panel->DialogFileNameTXT = dir.filePath(name);
            TextFile::writeLines(panel->DialogFileNameTXT, lines);
            panel->LoadTXT(false);
            QStringList texts;
            for (const SubtitleLine &entry : s.t->form4()->subtitles())
                texts << entry.text;
            return texts;
        };
        const QStringList subRip = load(QStringLiteral("film.srt"), {
            "1", "00:00:01,000 --> 00:00:02,000", "IIII",
            "2", "00:00:03,000 --> 00:00:04,000", "<i>IIII</i>",
            "3", "00:00:05,000 --> 00:00:06,000", "<font color=\"#ff0000\">IIII</font>",
            "4", "00:00:07,000 --> 00:00:08,000", "<u>IIII</u>",
            "5", "00:00:09,000 --> 00:00:10,000", "<b>IIII</b>",
            "6", "00:00:11,000 --> 00:00:12,000", "{\\an8}IIII",
            "7", "00:00:13,000 --> 00:00:14,000", "{\\i1}IIII{\\i0}",
        });
        // The list keeps the lines as the file wrote them.
        QCOMPARE(subRip, (QStringList{"IIII", "<i>IIII</i>", "<font color=\"#ff0000\">IIII</font>", "<u>IIII</u>",
                                      "<b>IIII</b>", "{\\an8}IIII", "{\\i1}IIII{\\i0}"}));
        s.t->form4()->CFrameToSec->setChecked(true); // no film: the manual frame rate, 25
        const QStringList frames = load(QStringLiteral("film.sub"), {"{25}{50}\\IIII", "{75}{100}{y:i}IIII",
                                                                     "{125}{150}{c:$0000FF}IIII"});
        QCOMPARE(frames.size(), 3);

        const QColor red(255, 0, 0);
        TForm3 *sub = s.t->form3();
        QRect area;
        QImage shot = s.show(subRip[0], &area);
        QVERIFY(!shot.isNull());
        const int plain = count(shot, area, Letters);
        const int plainWidth = area.width();
        const int ch = sub->composition().charHeight;
        QVERIFY(plain > 300);
        QVERIFY(qAbs(lean(shot, area, ch, 0)) < 1.0);

        shot = s.show(frames[0], &area); // the time-colon italic mark
        const int italic = count(shot, area, Letters);
        QVERIFY(lean(shot, area, ch, 0) > 3.0);

        const auto sameLetters = [](int a, int b) { return qAbs(a - b) * 50 <= b; }; // within 2 %
        for (const auto &[text, name] : {std::pair{subRip[1], "subrip"}, {subRip[6], "ass"}, {frames[1], "frames"}}) {
            shot = s.show(text, &area);
            save(shot, area, QStringLiteral("markup-italic-") + name);
            QVERIFY2(lean(shot, area, ch, 0) > 3.0, qPrintable(text));
            QVERIFY2(sameLetters(count(shot, area, Letters), italic), qPrintable(text));
        }
        for (const auto &[text, name] : {std::pair{subRip[2], "subrip"}, {frames[2], "frames"}}) {
            shot = s.show(text, &area, red);
            save(shot, area, QStringLiteral("markup-red-") + name);
            QCOMPARE(count(shot, area, Letters), 0);
            QVERIFY2(sameLetters(count(shot, area, red), plain), qPrintable(text));
            QCOMPARE(area.width(), plainWidth);
        }
        shot = s.show(subRip[3], &area);
        save(shot, area, QStringLiteral("markup-underline"));
        // The underline: one row of letter colour at least as wide as three of the four I's.
        int widestRow = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            int run = 0;
            for (int x = area.left(); x <= area.right(); ++x) {
                run = exactly(shot.pixel(x, y), Letters) ? run + 1 : 0;
                widestRow = qMax(widestRow, run);
            }
        }
        QVERIFY2(widestRow * 4 > plainWidth * 3 - 4 * Outline, qPrintable(QString::number(widestRow)));
        QVERIFY(count(shot, area, Letters) > plain);

        shot = s.show(subRip[4], &area);
        QVERIFY(count(shot, area, Letters) >= plain * 49 / 50);
        QCOMPARE(area.width(), plainWidth);

        // {\an8}: at the top of the picture, and kept there while the panel follows.
        TForm2 *video = s.t->form2();
        shot = s.show(subRip[5], &area);
        save(shot, area, QStringLiteral("markup-top"));
        QVERIFY(sameLetters(count(shot, area, Letters), plain));
        QTest::qWait(300);
        QVERIFY2(sub->y() < video->frameGeometry().center().y() - sub->height(), qPrintable(QString::number(sub->y())));
        shot = s.show(subRip[0], &area);
        QVERIFY(sub->y() > video->frameGeometry().center().y());
    }

    void opaqueIsABlackStripThatStays()
    {
        Stage s;
        s.setKind(1);
        QRect area;
        const QImage shot = s.show(QStringLiteral("Nieprzezroczyste"), &area);
        QVERIFY(!shot.isNull());
        save(shot, area, QStringLiteral("opaque"));
        TForm2 *video = s.t->form2();
        QCOMPARE(area.width(), video->width());
        int letters = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = shot.pixel(x, y);
                QVERIFY2(!exactly(p, Backdrop), qPrintable(QStringLiteral("film at %1,%2").arg(x).arg(y)));
                letters += exactly(p, Letters);
            }
        QVERIFY(letters > 300);
        // The whole left and right quarters are black: the text box sits in the middle.
        for (int x : {area.left() + 2, area.right() - 2})
            for (int y = area.top(); y <= area.bottom(); ++y)
                QVERIFY(dark(shot.pixel(x, y)));

        // Time is up: a black strip without letters.
        s.t->form3()->TimerNapisClearTimer();
        QImage blank;
        auto cleared = [&] {
            blank = screenshot();
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (!dark(blank.pixel(x, y)))
                        return false;
            return true;
        };
        QTRY_VERIFY(cleared());
        save(blank, area, QStringLiteral("opaque-cleared"));
    }

    void semiTransparentOverACompositorIsADimmedBox()
    {
        QProcess compositor;
        compositor.start(QStringLiteral("xcompmgr"), {});
        if (!compositor.waitForStarted())
            QSKIP("xcompmgr is not installed");
        auto stop = qScopeGuard([&] {
            compositor.terminate();
            compositor.waitForFinished();
        });
        QTRY_VERIFY(Compositor::running());
        Stage s;
        s.setKind(2);
        QVERIFY(s.t->form3()->seeThroughBox());
        QRect area;
        const QImage shot = s.show(QStringLiteral("Półprzezroczyste"), &area);
        QVERIFY(!shot.isNull());
        save(shot, area, QStringLiteral("semi-composited"));
        QVERIFY(s.t->form3()->mask().isEmpty());
        // The corners are film seen through the dark box: its colour, dimmed.
        for (const QPoint &corner : {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
            const QRgb p = shot.pixel(corner);
            QVERIFY2(qBlue(p) > 30 && qBlue(p) < Backdrop.blue() - 60 && qGreen(p) < Backdrop.green() - 40
                         && qRed(p) < 20,
                     qPrintable(QStringLiteral("%1,%2,%3").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p))));
        }
        int letters = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                letters += exactly(shot.pixel(x, y), Letters);
        QVERIFY(letters > 300);
    }

    void semiTransparentWithoutACompositorIsCutToTheLetters()
    {
        Stage s;
        s.setKind(2);
        if (s.t->form3()->seeThroughBox())
            QSKIP("a compositor is running: the box is see-through");
        QRect area;
        const QImage shot = s.show(QStringLiteral("Półprzezroczyste"), &area);
        QVERIFY(!shot.isNull());
        save(shot, area, QStringLiteral("semi"));
        QVERIFY(!s.t->form3()->mask().isEmpty());
        const QRegion mask = s.t->form3()->mask().translated(area.topLeft());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (!mask.contains(QPoint(x, y)))
                    QVERIFY(exactly(shot.pixel(x, y), Backdrop));
    }
};

QTEST_MAIN(TestSubtitleScreen)
#include "test_subtitle_screen.moc"
