#include "ui/skins/TShadowLabel.h"

#include <QPainter>

TShadowLabel::TShadowLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

QColor TShadowLabel::fontColor() const { return palette().color(QPalette::WindowText); }

void TShadowLabel::setFontColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void TShadowLabel::setShadowSize(int size)
{
    m_shadowSize = qBound(0, size, 6);
    update();
}

void TShadowLabel::setShadowColor(const QColor &color)
{
    m_shadowColor = color;
    update();
}

void TShadowLabel::setShadowPos(int pos)
{
    if (pos < LeftBottom || pos > RightTop)
        return;
    m_shadowPos = pos;
    update();
}

void TShadowLabel::paintEvent(QPaintEvent *event)
{
    if (m_shadowSize == 0) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setFont(font());
    const QRect area = contentsRect();
    const int flags = int(alignment()) | Qt::TextSingleLine;
    const int dx = (m_shadowPos == RightBottom || m_shadowPos == RightTop) ? 1 : -1;
    const int dy = (m_shadowPos == LeftBottom || m_shadowPos == RightBottom) ? 1 : -1;
    p.setPen(m_shadowColor);
    // The outline is the text stepped one pixel at a time towards its corner.
    for (int step = m_shadowSize; step >= 1; --step)
        p.drawText(area.translated(dx * step, dy * step), flags, text());
    p.setPen(fontColor());
    p.drawText(area, flags, text());
}
