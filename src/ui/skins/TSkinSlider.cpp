#include "ui/skins/TSkinSlider.h"

#include "core/ButtonLogic.h"

#include <QPainter>
#include <QStyle>

namespace {

QImage keyed(const QImage &image)
{
    if (image.isNull())
        return {};
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const quint32 key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y)
        ButtonLogic::clearColour(reinterpret_cast<quint32 *>(out.scanLine(y)), out.width(), key);
    return out;
}

} // namespace

TSkinSlider::TSkinSlider(Qt::Orientation orientation, QWidget *parent) : QSlider(orientation, parent) {}

void TSkinSlider::setImageRuler(const QImage &image)
{
    m_ruler = image;
    m_rulerKeyed = keyed(image);
    update();
}

void TSkinSlider::setImageThumb(const QImage &image)
{
    m_thumb = image;
    m_thumbKeyed = keyed(image);
    update();
}

void TSkinSlider::paintEvent(QPaintEvent *event)
{
    if (m_ruler.isNull() && m_thumb.isNull()) {
        QSlider::paintEvent(event);
        return;
    }
    QPainter p(this);
    if (!m_rulerKeyed.isNull()) {
        const int h = qMin(m_rulerKeyed.height(), height());
        p.drawImage(QRect(0, (height() - h) / 2, width(), h), m_rulerKeyed);
    }
    const QSize thumb = m_thumbKeyed.isNull() ? QSize(8, height()) : m_thumbKeyed.size();
    const int x = QStyle::sliderPositionFromValue(minimum(), maximum(), value(),
                                                  qMax(0, width() - thumb.width()));
    const QRect at(x, (height() - thumb.height()) / 2, thumb.width(), thumb.height());
    if (!m_thumbKeyed.isNull())
        p.drawImage(at, m_thumbKeyed);
    else
        p.fillRect(at, palette().color(isEnabled() ? QPalette::Button : QPalette::Mid));
}
