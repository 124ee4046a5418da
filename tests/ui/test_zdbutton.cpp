#include "ui/skins/TZDButton.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QColor kHost(0, 80, 0);
const QColor kFace(200, 180, 160);
const QColor kLight(0, 255, 0);
const QColor kDark(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kMagenta(255, 0, 255);
const QColor kGreyRed(76, 76, 76); // (255 * 77) div 256

// A 10 x 10 glyph of one colour whose bottom-left pixel is magenta (its transparent colour)
// and whose pixel (5, 5) is the button face colour.
QImage glyph(const QColor &colour)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixelColor(0, 9, kMagenta);
    image.setPixelColor(5, 5, kFace);
    return image;
}

// A shown window of a known colour holding one button at (10, 10).
struct Scene
{
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    TZDButton *button = nullptr;

    Scene()
    {
        host->setAutoFillBackground(true);
        QPalette hostPalette;
        hostPalette.setColor(QPalette::Window, kHost);
        host->setPalette(hostPalette);
        host->resize(120, 120);
        host->move(200, 200);
        button = new TZDButton(host.get());
        button->move(10, 10);
        QPalette pal = button->palette();
        pal.setColor(QPalette::Button, kFace);
        pal.setColor(QPalette::Light, kLight);
        pal.setColor(QPalette::Midlight, kLight);
        pal.setColor(QPalette::Dark, kDark);
        pal.setColor(QPalette::Shadow, Qt::black);
        pal.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(pal);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    }

    // The button as it appears over its parent, in button coordinates.
    QImage shot() const { return host->grab(button->geometry()).toImage(); }
};

int countNear(const QImage &image, const QRect &area, const QColor &colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < 40 && qAbs(c.green() - colour.green()) < 40
                && qAbs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    return n;
}

} // namespace

class TestZDButton : public QObject
{
    Q_OBJECT

private slots:
    void aCaptionOnlyButtonShowsItsCaption()
    {
        // Dialog and page buttons have no glyph: the caption is all there is to read.
        QWidget parent;
        parent.resize(200, 40);
        TZDButton *named = TZDButton::captioned(&parent, "BNamed", QStringLiteral("Zapisz Zmiany"));
        TZDButton *blank = TZDButton::captioned(&parent, "BBlank", QString());
        for (TZDButton *b : {named, blank})
            b->setGeometry(0, 0, 160, 24);
        auto inkPixels = [](TZDButton *b) {
            const QImage image = b->grab().toImage();
            int dark = 0;
            for (int y = 4; y < image.height() - 4; ++y)
                for (int x = 4; x < image.width() - 4; ++x)
                    dark += qGray(image.pixel(x, y)) < 90;
            return dark;
        };
        QCOMPARE(inkPixels(blank), 0);
        QVERIFY(inkPixels(named) > 30);
        QCOMPARE(named->objectName(), QStringLiteral("BNamed"));
        QVERIFY(named->minimumWidth() > named->fontMetrics().horizontalAdvance("Zapisz Zmiany"));
    }

    void defaults();
    void pressedShowsUpGlyphShifted();
    void flatGlyphGreyUntilHovered();
    void disabledShowsDisableGlyphAndEmbossedCaption();
    void mouseClicks();
    void codeClicks();
    void dropDownMenu();
};

void TestZDButton::defaults()
{
    TZDButton b;
    QCOMPARE(b.size(), QSize(40, 40));
    QCOMPARE(b.textPosition(), TZDButton::tpNone);
    QCOMPARE(b.glyphState(), TZDButton::gsUp);
    QCOMPARE(b.buttonStyle(), TZDButton::btSpeed);
    QCOMPARE(b.menuPosition(), TZDButton::dmpBottom);
    QVERIFY(b.transparent() && b.glyphTransparent() && b.border() && b.markDropDown());
    QVERIFY(!b.down());
    QCOMPARE(b.margin(), -1);
    // Skins and the editor reach the properties by name.
    QVERIFY(b.setProperty("TextPosition", QVariant::fromValue(ButtonLogic::tpBelow)));
    QCOMPARE(b.textPosition(), TZDButton::tpBelow);
    QVERIFY(b.setProperty("Caption", QStringLiteral("Play")));
    QCOMPARE(b.caption(), QStringLiteral("Play"));
    QVERIFY(b.setProperty("Hint", QStringLiteral("Start")));
    QCOMPARE(b.toolTip(), QStringLiteral("Start"));
}

void TestZDButton::pressedShowsUpGlyphShifted()
{
    Scene s;
    TZDButton *b = s.button;
    b->setButtonStyle(TZDButton::btNormal);
    b->setGlyphUp(glyph(kRed));

    QImage up = s.shot();
    QCOMPARE(up.pixelColor(15, 15), kRed); // centred: (40 - 10) / 2
    QCOMPARE(up.pixelColor(24, 23), kRed);
    QCOMPARE(up.pixelColor(15, 24), kHost); // the transparent corner lets the parent show
    QCOMPARE(up.pixelColor(20, 20), kFace);  // face-coloured pixels are not transparent

    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QImage pressed = s.shot();
    QCOMPARE(pressed.pixelColor(15, 15), kHost);
    QCOMPARE(pressed.pixelColor(16, 16), kRed);
    QCOMPARE(pressed.pixelColor(25, 24), kRed);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!b->down());

    b->setBorder(false);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    pressed = s.shot();
    QCOMPARE(pressed.pixelColor(15, 15), kRed);
    QCOMPARE(pressed.pixelColor(25, 25), kHost);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));

    // Margin moves the glyph right.
    b->setMargin(5);
    QCOMPARE(s.shot().pixelColor(20, 15), kRed);
    QCOMPARE(s.shot().pixelColor(16, 15), kHost);
}

void TestZDButton::flatGlyphGreyUntilHovered()
{
    Scene s;
    TZDButton *b = s.button;
    b->setButtonStyle(TZDButton::btFlat);
    b->setGlyphUp(glyph(kRed));

    QImage away = s.shot();
    QCOMPARE(away.pixelColor(16, 15), kGreyRed);
    QCOMPARE(away.pixelColor(20, 20), kFace); // the face colour is not greyed
    QCOMPARE(away.pixelColor(0, 0), kHost);   // no frame away from the mouse

    QEnterEvent enter(QPointF(20, 20), QPointF(30, 30), QPointF(230, 230));
    QApplication::sendEvent(b, &enter);
    QVERIFY(b->mouseInControl());
    QImage over = s.shot();
    QCOMPARE(over.pixelColor(16, 15), kRed);
    QCOMPARE(over.pixelColor(0, 0), kLight); // raised frame under the mouse

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    QCOMPARE(s.shot().pixelColor(16, 15), kGreyRed);
}

void TestZDButton::disabledShowsDisableGlyphAndEmbossedCaption()
{
    Scene s;
    TZDButton *b = s.button;
    b->resize(60, 40);
    b->setButtonStyle(TZDButton::btNormal);
    b->setBorder(false);
    b->setGlyphUp(glyph(kRed));
    b->setGlyphDisable(glyph(kBlue));
    b->setTextPosition(TZDButton::tpBelow);
    b->setCaption(QStringLiteral("MMM"));
    QFont f = b->font();
    f.setPixelSize(16);
    f.setBold(true);
    b->setFont(f);

    const QRect captionArea(0, 10, 60, 30);
    QImage enabled = s.shot();
    QCOMPARE(enabled.pixelColor(25, 0), kRed); // glyph at the top, centred
    QVERIFY(countNear(enabled, captionArea, Qt::black) > 0);
    QCOMPARE(countNear(enabled, captionArea, kLight), 0);

    b->setEnabled(false);
    QCOMPARE(b->glyphState(), TZDButton::gsDisabled);
    QImage disabled = s.shot();
    QCOMPARE(disabled.pixelColor(25, 0), kBlue);
    QVERIFY(countNear(disabled, captionArea, kLight) > 0);
    QVERIFY(countNear(disabled, captionArea, kDark) > 0);
    QCOMPARE(countNear(disabled, captionArea, Qt::black), 0);

    // Without a disabled glyph the up glyph stands in.
    b->setGlyphDisable(QImage());
    QCOMPARE(s.shot().pixelColor(25, 0), kRed);

    b->setEnabled(true);
    QCOMPARE(b->glyphState(), TZDButton::gsUp);
}

void TestZDButton::mouseClicks()
{
    Scene s;
    TZDButton *b = s.button; // btSpeed: a toggle
    QSignalSpy clicked(b, &TZDButton::clicked);
    QSignalSpy pressed(b, &TZDButton::mousePressed);
    QSignalSpy released(b, &TZDButton::mouseReleased);
    QSignalSpy doubled(b, &TZDButton::doubleClicked);

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(b->down());
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).toPoint(), QPoint(5, 5));

    // Released outside: no click, the latch stays.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(b->down());
    QCOMPARE(released.count(), 2);

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 2);
    QVERIFY(!b->down());

    // Other buttons reach the caller but do not click.
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(pressed.last().at(1).value<Qt::MouseButton>(), Qt::RightButton);

    QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(doubled.count(), 1);

    const int before = clicked.count();
    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), before);
}

void TestZDButton::codeClicks()
{
    TZDButton toggle;
    QSignalSpy clicked(&toggle, &TZDButton::clicked);
    toggle.click();
    QVERIFY(toggle.down());
    toggle.click();
    QVERIFY(!toggle.down());
    QCOMPARE(clicked.count(), 2);
    toggle.setEnabled(false);
    toggle.click();
    QCOMPARE(clicked.count(), 2);

    QDialog dialog;
    auto *plain = new TZDButton(&dialog);
    auto *ok = new TZDButton(&dialog);
    ok->setButtonStyle(TZDButton::btNormal);
    ok->setModalResult(QDialog::Accepted);
    dialog.show();
    plain->click(); // no modal result: the dialog stays
    QVERIFY(dialog.isVisible());
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestZDButton::dropDownMenu()
{
    Scene s;
    TZDButton *b = s.button;
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    menu.addAction(QStringLiteral("Two"));
    b->setDropDownMenu(&menu);
    QSignalSpy clicked(b, &TZDButton::clicked);

    QPoint shownAt;
    bool closed = false;
    auto closeMenu = [&] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            shownAt = popup->pos();
            popup->close();
            closed = true;
        }
    };
    QTimer::singleShot(50, closeMenu);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(closed);
    QCOMPARE(shownAt, b->mapToGlobal(QPoint(-1, 40)));
    QCOMPARE(clicked.count(), 0); // the menu answers, not the button
    QVERIFY(b->down());           // released inside: the toggle flipped
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 0);

    // Right-aligned beside the button: the menu's right edge at x = -1.
    b->setMenuPosition(TZDButton::dmpRight);
    b->setMenuAlignment(TZDButton::maRight);
    closed = false;
    QTimer::singleShot(50, closeMenu);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(closed);
    QCOMPARE(shownAt, b->mapToGlobal(QPoint(-1 - menu.width(), -1)));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));

    // The button is not left mid-drag: a plain click still works without the menu.
    b->setDropDownMenu(nullptr);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 1);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestZDButton test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_zdbutton.moc"
