#include "platform/DisplayModes.h"
#include "support/XorgServer.h"

#include <QtTest>

// The XRandR display-mode service against a real X server that can change modes.
class TestXRandrModes : public QObject
{
    Q_OBJECT

    XorgServer xorg;
    QByteArray savedDisplay;

private slots:
    void initTestCase()
    {
        if (!XorgServer::installed())
            QSKIP("Xorg with the dummy video driver is not installed (scripts/setup installs it)");
        QString why;
        QVERIFY2(xorg.start(1, &why), qPrintable(why));
        // The service opens the display named by $DISPLAY; only this process sees the change.
        savedDisplay = qgetenv("DISPLAY");
        qputenv("DISPLAY", xorg.display().toLatin1());
    }

    void listsSetsRefusesAndRestores()
    {
        const auto modes = makeXRandrDisplayModes();
        QVERIFY(modes->available());
        const QList<DisplayMode> list = modes->modes();
        QVERIFY(list.contains(DisplayMode{1024, 768, 32, 60}));
        QVERIFY(list.contains(DisplayMode{800, 600, 32, 60}));
        const QStringList texts = DisplayMode::listTexts(list);
        QVERIFY(texts.contains(QStringLiteral("640x480 32bit 60Hz")));
        for (const QString &t : texts)
            QVERIFY2(DisplayMode::parse(t)->width >= 640, qPrintable(t));
        const auto desktop = modes->current();
        QVERIFY(desktop);
        QCOMPARE(QSize(desktop->width, desktop->height), QSize(1024, 768));
        QCOMPARE(desktop->bits, 32);
        QVERIFY(list.contains(*desktop));
        QVERIFY(xorg.xrandr().contains(QStringLiteral("current 1024 x 768")));

        // A size the display does not have: refused, the display as it was.
        QVERIFY(!modes->setMode({1234, 567, 32, 60}));
        QVERIFY(!modes->lastError().isEmpty());
        QVERIFY(xorg.xrandr().contains(QStringLiteral("current 1024 x 768")));

        // The desktop becomes the mode exactly, at the refresh asked for.
        QVERIFY2(modes->setMode({800, 600, 32, 75}), qPrintable(modes->lastError()));
        QVERIFY(xorg.xrandr().contains(QStringLiteral("current 800 x 600")));
        QCOMPARE(modes->current(), std::optional(DisplayMode{800, 600, 32, 75}));
        // A second change still goes back to the desktop's own mode, not the one between.
        QVERIFY(modes->setMode({640, 480, 32, 60}));
        QVERIFY(xorg.xrandr().contains(QStringLiteral("current 640 x 480")));
        QVERIFY2(modes->restore(), qPrintable(modes->lastError()));
        QVERIFY(xorg.xrandr().contains(QStringLiteral("current 1024 x 768")));
        QCOMPARE(modes->current(), desktop);
        QVERIFY(modes->restore()); // nothing left to put back
    }

    void noServerMeansNoModes()
    {
        qputenv("DISPLAY", ":199");
        const auto modes = makeXRandrDisplayModes();
        QVERIFY(!modes->available());
        QVERIFY(modes->modes().isEmpty());
        QVERIFY(!modes->setMode({800, 600, 32, 60}));
        QVERIFY(modes->restore());
        qputenv("DISPLAY", xorg.display().toLatin1());
    }

    void cleanupTestCase()
    {
        if (!savedDisplay.isNull())
            qputenv("DISPLAY", savedDisplay);
        xorg.stop();
    }
};

QTEST_GUILESS_MAIN(TestXRandrModes)
#include "test_xrandr_modes.moc"
