#include "core/ButtonLogic.h"

#include <QTest>

using namespace ButtonLogic;

class TestButtonLogic : public QObject
{
    Q_OBJECT

private slots:
    void paintStateFollowsEnabledAndDown();
    void glyphStateFollowsPaintState();
    void frame_data();
    void frame();
    void shifts();
    void layout_data();
    void layout();
    void grey();
    void toggleAndPushClicks();
    void releaseOutside();
    void dragInAndOut();
    void enterAndLeave();
    void menuRelease();
    void refusedPresses();
    void menuPoint_data();
    void menuPoint();
    void skinValues();
};

void TestButtonLogic::paintStateFollowsEnabledAndDown()
{
    ButtonModel m;
    m.resolvePaint(false);
    QCOMPARE(m.paintState, int(psDisabled));
    QCOMPARE(m.glyphState, gsDisabled);
    m.resolvePaint(true);
    QCOMPARE(m.paintState, int(psUp));
    QCOMPARE(m.glyphState, gsUp);

    // A latched button re-enabled shows pressed with the down glyph.
    m.setDown(true, true);
    m.resolvePaint(false);
    m.resolvePaint(true);
    QCOMPARE(m.paintState, int(psPressed));
    QCOMPARE(m.glyphState, gsDown);

    // No glyph stays no glyph, even disabled.
    ButtonModel none;
    none.glyphState = gsNone;
    none.resolvePaint(false);
    QCOMPARE(none.glyphState, gsNone);

    // Disabling mid-drag ends the drag, else the button would refuse every later press.
    ButtonModel dragged;
    QVERIFY(dragged.press(true));
    dragged.enabledChanged(false, true);
    QVERIFY(!dragged.dragging);
    QVERIFY(!dragged.mouseInControl);
    dragged.enabledChanged(true, true);
    QVERIFY(dragged.mouseInControl);
    QVERIFY(dragged.press(true));
}

void TestButtonLogic::glyphStateFollowsPaintState()
{
    ButtonModel m;
    m.glyphState = gsOver;
    m.resolvePaint(true);
    QCOMPARE(m.glyphState, gsOver); // mouse-over survives a repaint
    m.paintState = psLatched;
    m.glyphState = gsDown;
    m.resolvePaint(true);
    QCOMPARE(m.glyphState, gsUp);
    m.glyphState = gsOver;
    m.resolvePaint(false);
    QCOMPARE(m.glyphState, gsDisabled);
}

void TestButtonLogic::frame_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("border");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("mouseIn");
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("sunken");
    QTest::newRow("raised with border") << int(btSpeed) << true << true << false << false << true << false;
    QTest::newRow("raised, no border") << int(btNormal) << false << true << true << true << false << true;
    QTest::newRow("disabled raised keeps frame") << int(btNormal) << true << false << false << false << true << false;
    QTest::newRow("flat away from mouse") << int(btFlat) << true << true << false << false << false << false;
    QTest::newRow("flat under mouse, no border") << int(btFlat) << false << true << true << false << true << false;
    QTest::newRow("flat down") << int(btSpeedFlat) << true << true << false << true << true << true;
    QTest::newRow("flat disabled under mouse") << int(btSpeedFlat) << true << false << true << true << false << false;
}

void TestButtonLogic::frame()
{
    QFETCH(int, style);
    QFETCH(bool, border);
    QFETCH(bool, enabled);
    QFETCH(bool, mouseIn);
    QFETCH(bool, down);
    ButtonModel m;
    m.style = TButtonStyle(style);
    m.mouseInControl = mouseIn;
    m.setDown(down, enabled);
    m.resolvePaint(enabled);
    const Frame f = m.frame(enabled, border);
    QTEST(f.drawn, "drawn");
    if (f.drawn)
        QTEST(f.sunken, "sunken");
}

void TestButtonLogic::shifts()
{
    ButtonModel m;
    QVERIFY(!m.glyphShifted(true));
    m.press(true);
    QVERIFY(m.glyphShifted(true));
    QVERIFY(m.captionShifted(true));
    QVERIFY(!m.glyphShifted(false));
    QVERIFY(!m.captionShifted(false));
    m.release(true); // latched now
    m.resolvePaint(true);
    QVERIFY(m.glyphShifted(true));
    // A disabled latched glyph still sits pressed; its caption is embossed instead.
    m.resolvePaint(false);
    QVERIFY(m.glyphShifted(true));
    QVERIFY(!m.captionShifted(true));
}

void TestButtonLogic::layout_data()
{
    QTest::addColumn<int>("textPos");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<bool>("shifted");
    QTest::addColumn<int>("margin");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRect>("area");
    const QSize g(10, 6);
    // Control 41 x 31: odd leftovers show the truncated halves.
    QTest::newRow("none") << int(tpNone) << g << false << -1 << QPoint(15, 12) << QRect(0, 0, 41, 31);
    QTest::newRow("left") << int(tpLeft) << g << false << -1 << QPoint(31, 12) << QRect(0, 0, 31, 31);
    QTest::newRow("right") << int(tpRight) << g << false << -1 << QPoint(0, 12) << QRect(10, 0, 31, 31);
    QTest::newRow("above") << int(tpAbove) << g << false << -1 << QPoint(15, 25) << QRect(0, 0, 41, 25);
    QTest::newRow("below") << int(tpBelow) << g << false << -1 << QPoint(15, 0) << QRect(0, 6, 41, 25);
    QTest::newRow("shifted, margin") << int(tpRight) << g << true << 4 << QPoint(5, 13) << QRect(10, 0, 31, 31);
    QTest::newRow("margin 0 counts") << int(tpNone) << g << false << 0 << QPoint(15, 12) << QRect(0, 0, 41, 31);
    // Wider than the control: -5.5 truncates toward zero, the caption gets nothing.
    QTest::newRow("oversized") << int(tpLeft) << QSize(52, 6) << false << -1 << QPoint(-11, 12) << QRect(0, 0, 0, 31);
    QTest::newRow("oversized centre") << int(tpNone) << QSize(52, 42) << false << -1 << QPoint(-5, -5) << QRect(0, 0, 41, 31);
}

void TestButtonLogic::layout()
{
    QFETCH(int, textPos);
    QFETCH(QSize, glyph);
    QFETCH(bool, shifted);
    QFETCH(int, margin);
    const Layout l = layoutGlyph(glyph, QSize(41, 31), TTextPos(textPos), shifted, margin);
    QTEST(l.glyph, "at");
    QTEST(l.captionArea, "area");
}

void TestButtonLogic::grey()
{
    QCOMPARE(greyValue(255, 0, 0), 76);
    QCOMPARE(greyValue(0, 255, 0), 149);
    QCOMPARE(greyValue(0, 0, 255), 28);
    QCOMPARE(greyValue(255, 255, 255), 255);
    QCOMPARE(greyValue(10, 20, 30), 18);

    const quint32 magenta = 0xFFFF00FF, face = 0xFFC8B4A0;
    quint32 px[] = {0x80FF0000, magenta, face & 0x00FFFFFF, 0xFF0A141E};
    greyPixels(px, 4, 0x00FF00FF, face);
    QCOMPARE(px[0], 0x804C4C4Cu); // alpha kept
    QCOMPARE(px[1], magenta);     // transparent colour untouched
    QCOMPARE(px[2], face & 0x00FFFFFF); // face colour untouched, whatever its alpha
    QCOMPARE(px[3], 0xFF121212u);

    quint32 mask[] = {magenta, 0xFFFF00FE, 0x00FF00FF};
    clearColour(mask, 3, magenta);
    QCOMPARE(mask[0], 0u);
    QCOMPARE(mask[1], 0xFFFF00FEu);
    QCOMPARE(mask[2], 0u);
}

void TestButtonLogic::toggleAndPushClicks()
{
    ButtonModel toggle; // btSpeed by default
    QVERIFY(toggle.press(true));
    QCOMPARE(toggle.paintState, int(psPressed));
    ReleaseResult r = toggle.release(true);
    QVERIFY(r.click);
    QVERIFY(toggle.down);
    QCOMPARE(toggle.paintState, int(psPressed));
    // Pressing a latched button keeps its face; the second click unlatches it.
    QVERIFY(toggle.press(true));
    r = toggle.release(true);
    QVERIFY(r.click);
    QVERIFY(!toggle.down);
    QCOMPARE(toggle.paintState, int(psUp));

    for (TButtonStyle style : {btFlat, btNormal}) {
        ButtonModel push;
        push.style = style;
        for (int i = 0; i < 2; ++i) {
            QVERIFY(push.press(true));
            QVERIFY(push.release(true).click);
            QVERIFY(!push.down);
            QCOMPARE(push.paintState, int(psUp));
        }
        QVERIFY(push.click(true));
        QVERIFY(!push.down);
    }

    ButtonModel coded;
    coded.style = btSpeedFlat;
    QVERIFY(coded.click(true));
    QVERIFY(coded.down);
    QVERIFY(!coded.click(false)); // disabled: nothing
    QVERIFY(coded.down);
}

void TestButtonLogic::releaseOutside()
{
    ButtonModel m;
    m.mouseInControl = true;
    m.press(true);
    ReleaseResult r = m.release(false);
    QVERIFY(r.handled);
    QVERIFY(!r.click);
    QVERIFY(!m.down);
    QVERIFY(!m.mouseInControl);
    QCOMPARE(m.paintState, int(psUp));

    m.setDown(true, true);
    m.press(true);
    r = m.release(false);
    QVERIFY(!r.click);
    QVERIFY(m.down);
    QCOMPARE(m.paintState, int(psLatched));

    QVERIFY(!m.release(true).handled); // no drag, no release
}

void TestButtonLogic::dragInAndOut()
{
    ButtonModel m;
    QVERIFY(!m.moveWhileDragging(false)); // not dragging
    m.press(true);
    QVERIFY(m.moveWhileDragging(false));
    QCOMPARE(m.paintState, int(psUp));
    QVERIFY(!m.moveWhileDragging(false));
    QVERIFY(m.moveWhileDragging(true));
    QCOMPARE(m.paintState, int(psPressed));

    ButtonModel latched;
    latched.setDown(true, true);
    latched.press(true);
    latched.moveWhileDragging(false);
    QCOMPARE(latched.paintState, int(psLatched));
    latched.moveWhileDragging(true);
    QCOMPARE(latched.paintState, int(psLatched));
}

void TestButtonLogic::enterAndLeave()
{
    ButtonModel m;
    QVERIFY(m.enter(true, false, false));
    QCOMPARE(m.glyphState, gsUp); // no over glyph, no over state
    QVERIFY(m.leave(true));
    QVERIFY(m.enter(true, false, true));
    QCOMPARE(m.glyphState, gsOver);
    QVERIFY(m.leave(true));
    QCOMPARE(m.glyphState, gsUp);
    QVERIFY(!m.mouseInControl);

    QVERIFY(!m.enter(false, false, true));
    QVERIFY(!m.enter(true, true, true)); // another control holds the mouse
    QVERIFY(!m.mouseInControl);

    m.glyphState = gsNone;
    m.enter(true, false, true);
    QCOMPARE(m.glyphState, gsNone);

    m.press(true);
    QVERIFY(!m.leave(true)); // dragging keeps the mouse
    QVERIFY(m.mouseInControl);
}

void TestButtonLogic::menuRelease()
{
    ButtonModel m;
    QVERIFY(m.press(true));
    m.menuShowing = true;
    const ReleaseResult r = m.release(true);
    QVERIFY(r.handled);
    QVERIFY(!r.click);
    QVERIFY(m.down); // the toggle still flips
}

void TestButtonLogic::refusedPresses()
{
    ButtonModel m;
    QVERIFY(!m.press(false));
    QVERIFY(!m.dragging);
    m.menuShowing = true;
    QVERIFY(!m.press(true));
    m.menuShowing = false;
    QVERIFY(m.press(true));
    QVERIFY(!m.press(true));

    ButtonModel none;
    none.glyphState = gsNone;
    none.press(true);
    QCOMPARE(none.glyphState, gsNone);
}

void TestButtonLogic::menuPoint_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("align");
    QTest::addColumn<QPoint>("anchor");
    QTest::addColumn<QPoint>("topLeft");
    // Control 41 x 30, menu 100 wide.
    QTest::newRow("bottom left") << int(dmpBottom) << int(maLeft) << QPoint(-1, 30) << QPoint(-1, 30);
    QTest::newRow("bottom right") << int(dmpBottom) << int(maRight) << QPoint(42, 30) << QPoint(-58, 30);
    QTest::newRow("bottom centre") << int(dmpBottom) << int(maCenter) << QPoint(20, 30) << QPoint(-30, 30);
    QTest::newRow("right left") << int(dmpRight) << int(maLeft) << QPoint(41, -1) << QPoint(41, -1);
    QTest::newRow("right right") << int(dmpRight) << int(maRight) << QPoint(-1, -1) << QPoint(-101, -1);
    QTest::newRow("right centre") << int(dmpRight) << int(maCenter) << QPoint(20, 30) << QPoint(-30, 30);
}

void TestButtonLogic::menuPoint()
{
    QFETCH(int, pos);
    QFETCH(int, align);
    const QPoint anchor = menuAnchor(TDropDownMenuPos(pos), TMenuAlignment(align), QSize(41, 30));
    QTEST(anchor, "anchor");
    QTEST(menuTopLeft(anchor, TMenuAlignment(align), 100), "topLeft");
}

void TestButtonLogic::skinValues()
{
    const TTextPos order[] = {tpAbove, tpBelow, tpLeft, tpNone, tpRight};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(textPosFromSkinValue(i), std::optional<TTextPos>(order[i]));
        QCOMPARE(skinValueOfTextPos(order[i]), i);
    }
    QVERIFY(!textPosFromSkinValue(5));
    QVERIFY(!textPosFromSkinValue(-1));

    QCOMPARE(styleWithFlat(btNormal, true), btFlat);
    QCOMPARE(styleWithFlat(btSpeed, true), btSpeedFlat);
    QCOMPARE(styleWithFlat(btFlat, true), btFlat);
    QCOMPARE(styleWithFlat(btFlat, false), btNormal);
    QCOMPARE(styleWithFlat(btSpeedFlat, false), btSpeed);
    QCOMPARE(styleWithFlat(btSpeed, false), btSpeed);
}

QTEST_APPLESS_MAIN(TestButtonLogic)
#include "test_button_logic.moc"
