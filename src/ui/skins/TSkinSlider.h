#pragma once

#include <QImage>
#include <QSlider>

// A panel slider that a skin can picture: a track bitmap stretched along its width and a
// thumb bitmap at the value, both with their bottom-left pixel's colour left out. Without
// pictures it is a plain slider.
class TSkinSlider : public QSlider
{
    Q_OBJECT
public:
    explicit TSkinSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

    QImage imageRuler() const { return m_ruler; }
    void setImageRuler(const QImage &image);
    QImage imageThumb() const { return m_thumb; }
    void setImageThumb(const QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_ruler, m_thumb;
    QImage m_rulerKeyed, m_thumbKeyed; // the pictures with their key colour cleared
};
