#include "ui/subtitles/SubtitleShape.h"

#include <QFont>
#include <QtTest>

namespace {

QPainterPath rectPath(const QRect &r)
{
    QPainterPath p;
    p.addRect(r);
    return p;
}

// The plain way: every shifted copy as a region of its own, united.
QRegion shiftedUnion(const QRegion &letters, const QSize &size, int outline)
{
    QRegion all;
    for (int dx = 0; dx <= outline; ++dx)
        for (int dy = 0; dy <= outline; ++dy)
            all += letters.translated(dx, dy);
    return all & QRegion(QRect(QPoint(0, 0), size));
}

} // namespace

class TestSubtitleShape : public QObject
{
    Q_OBJECT
private slots:
    void rectanglesThickenRightAndDown()
    {
        const QSize size(100, 60);
        QCOMPARE(SubtitleShape::outlineRegion({rectPath(QRect(10, 10, 5, 5))}, size, 3),
                 QRegion(10, 10, 8, 8));
        QCOMPARE(SubtitleShape::outlineRegion({rectPath(QRect(10, 10, 5, 5))}, size, 0),
                 QRegion(10, 10, 5, 5));
        // Clipped at the window's edges.
        QCOMPARE(SubtitleShape::outlineRegion({rectPath(QRect(95, 55, 4, 4))}, size, 6),
                 QRegion(95, 55, 5, 5));
        QVERIFY(SubtitleShape::outlineRegion({}, size, 3).isEmpty());
        QVERIFY(SubtitleShape::outlineRegion({rectPath(QRect(1, 1, 5, 5))}, QSize(), 3).isEmpty());
    }

    void overlappingAndSeparateShapes()
    {
        // An L, a ring whose hole outlasts a thin outline, a square far off, a square that
        // touches the first after thickening.
        QPainterPath ring;
        ring.addRect(40, 5, 20, 20);
        ring.addRect(45, 10, 10, 10);
        ring.setFillRule(Qt::OddEvenFill);
        QPainterPath ell;
        ell.addRect(5, 5, 4, 20);
        ell.addRect(5, 21, 15, 4);
        ell.setFillRule(Qt::WindingFill);
        const QList<QPainterPath> paths{ell, ring, rectPath(QRect(80, 40, 3, 3)), rectPath(QRect(22, 5, 4, 4))};
        const QSize size(90, 47);
        QRegion letters = QRegion(5, 5, 4, 20) + QRegion(5, 21, 15, 4)
                          + (QRegion(40, 5, 20, 20) - QRegion(45, 10, 10, 10)) + QRegion(80, 40, 3, 3)
                          + QRegion(22, 5, 4, 4);
        for (int outline : {0, 1, 2, 6}) {
            const QRegion got = SubtitleShape::outlineRegion(paths, size, outline);
            QCOMPARE(got, shiftedUnion(letters, size, outline));
        }
        // The ring's hole, 10 pixels wide, is narrowed by the outline, not filled.
        QVERIFY(!SubtitleShape::outlineRegion(paths, size, 6).contains(QPoint(54, 19)));
    }

    void textIsTheUnionOfItsShiftedLetters()
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(27);
        font.setBold(true);
        QFont italic = font;
        italic.setItalic(true);
        const QList<QPainterPath> paths{SubtitleShape::linePath(QStringLiteral("Ala ma kota,"), font, QPointF(3, 0)),
                                        SubtitleShape::linePath(QStringLiteral("a kot ma psa"), italic, QPointF(9, 29))};
        const QSize size(260, 93);
        const QRegion letters = SubtitleShape::outlineRegion(paths, size, 0);
        QVERIFY(!letters.isEmpty());
        // The letters sit inside their cells: below the top, right of the left edge.
        QVERIFY(letters.boundingRect().top() >= 0);
        QVERIFY(letters.boundingRect().left() >= 3);
        for (int outline : {1, 3, 6})
            QCOMPARE(SubtitleShape::outlineRegion(paths, size, outline), shiftedUnion(letters, size, outline));
        // Empty lines add nothing.
        QVERIFY(SubtitleShape::linePath(QString(), font, QPointF(0, 0)).isEmpty());
    }
};

QTEST_MAIN(TestSubtitleShape)
#include "test_subtitle_shape.moc"
