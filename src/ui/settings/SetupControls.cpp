#include "ui/settings/SetupControls.h"

#include <QPainter>

ColorSwatch::ColorSwatch(QWidget *parent) : QFrame(parent) { setMinimumSize(40, 20); }

void ColorSwatch::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void ColorSwatch::setPenWidth(int width)
{
    m_penWidth = qMax(0, width);
    update();
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const int inset = m_penWidth;
    p.fillRect(rect().adjusted(inset, inset, -inset, -inset), m_color);
}
