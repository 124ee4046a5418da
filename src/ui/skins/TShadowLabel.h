#pragma once

#include <QColor>
#include <QLabel>

// A panel label whose text can carry an outline drawn towards one corner, in a colour of
// its own. Without an outline it paints exactly as a plain label.
class TShadowLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(int ShadowSize READ shadowSize WRITE setShadowSize)
    Q_PROPERTY(QColor ShadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(int ShadowPos READ shadowPos WRITE setShadowPos)
public:
    // Outline directions, as skin files number them.
    enum ShadowPos { LeftBottom = 0, LeftTop = 1, RightBottom = 2, RightTop = 3 };

    explicit TShadowLabel(const QString &text, QWidget *parent = nullptr);

    QColor fontColor() const;
    void setFontColor(const QColor &color);
    int shadowSize() const { return m_shadowSize; }
    void setShadowSize(int size);
    QColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor &color);
    int shadowPos() const { return m_shadowPos; }
    void setShadowPos(int pos);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_shadowSize = 0;
    QColor m_shadowColor = Qt::black;
    int m_shadowPos = LeftBottom;
};
