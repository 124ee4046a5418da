#pragma once

#include <QDoubleSpinBox>
#include <QFrame>

// A numeric preference. Other windows read the whole-number copy in Tag, which the
// change handlers keep in step with the value (sometimes scaled, e.g. seconds to ms).
class SpinEdit : public QDoubleSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)
public:
    explicit SpinEdit(QWidget *parent = nullptr) : QDoubleSpinBox(parent) { setDecimals(0); }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};

// A colour sample framed with a pen as wide as the outline it stands for.
class ColorSwatch : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    explicit ColorSwatch(QWidget *parent = nullptr);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::white;
    int m_penWidth = 1;
};
