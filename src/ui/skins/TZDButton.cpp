#include "ui/skins/TZDButton.h"

#include <QDialog>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

using namespace ButtonLogic;

namespace {
// The drop-down mark drawn in place of a glyph: a small down-pointing triangle.
constexpr int kMarkWidth = 7;
constexpr int kMarkHeight = 4;
} // namespace

TZDButton *TZDButton::captioned(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new TZDButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setButtonStyle(btNormal);
    button->setGlyphState(gsNone);
    // Without a glyph the caption area beside it is the whole face.
    button->setTextPosition(tpRight);
    button->setCaption(caption);
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
    return button;
}

TZDButton::TZDButton(QWidget *parent)
    : QWidget(parent)
{
    // "The control's colour" is the button face, its text the button text.
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
    // Move events reach callers with or without a button held, as for any control.
    setMouseTracking(true);
    resize(40, 40);
}

QSize TZDButton::sizeHint() const
{
    return {40, 40};
}

void TZDButton::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TZDButton::setTextPosition(TTextPos pos)
{
    m_textPos = pos;
    update();
}

void TZDButton::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void TZDButton::setGlyphTransparent(bool on)
{
    m_glyphTransparent = on;
    update();
}

void TZDButton::setGlyphState(TGlyphState state)
{
    m_model.glyphState = state;
    update();
}

void TZDButton::setButtonStyle(TButtonStyle style)
{
    m_model.style = style;
    update();
}

void TZDButton::setDown(bool down)
{
    m_model.setDown(down, isEnabled());
    update();
}

void TZDButton::setBorder(bool on)
{
    m_border = on;
    update();
}

void TZDButton::setGlyphUp(const QImage &image)
{
    m_glyphUp = image;
    update();
}

void TZDButton::setGlyphDown(const QImage &image)
{
    m_glyphDown = image;
    update();
}

void TZDButton::setGlyphDisable(const QImage &image)
{
    m_glyphDisable = image;
    update();
}

void TZDButton::setGlyphOver(const QImage &image)
{
    m_glyphOver = image;
    update();
}

void TZDButton::clearGlyphs()
{
    m_glyphUp = m_glyphDown = m_glyphDisable = m_glyphOver = QImage();
    update();
}

void TZDButton::setMargin(int margin)
{
    m_margin = margin;
    update();
}

void TZDButton::setDropDownMenu(QMenu *menu)
{
    m_menu = menu;
    update();
}

void TZDButton::setMarkDropDown(bool on)
{
    m_markDropDown = on;
    update();
}

QPoint TZDButton::menuPopupPoint(int menuWidth) const
{
    const QPoint anchor = mapToGlobal(menuAnchor(m_menuPos, m_menuAlign, size()));
    return menuTopLeft(anchor, m_menuAlign, menuWidth);
}

void TZDButton::click()
{
    if (!m_model.click(isEnabled()))
        return;
    update();
    fireClick();
}

void TZDButton::fireClick()
{
    QPointer<TZDButton> self(this);
    emit clicked();
    if (!self || m_modalResult == 0)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(window()))
        dialog->done(m_modalResult);
}

const QImage &TZDButton::glyphFor(TGlyphState state) const
{
    const QImage *chosen = &m_glyphUp;
    switch (state) {
    case gsDisabled:
        chosen = &m_glyphDisable;
        break;
    case gsDown:
        chosen = &m_glyphDown;
        break;
    case gsOver:
        chosen = &m_glyphOver;
        break;
    case gsUp:
    case gsNone:
        break;
    }
    return chosen->isNull() ? m_glyphUp : *chosen;
}

QImage TZDButton::preparedGlyph(const QImage &glyph) const
{
    const bool grey = m_model.greyGlyph();
    if (!grey && !m_glyphTransparent)
        return glyph;
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    // A glyph's transparent colour is its bottom-left pixel.
    const quint32 transparent = image.pixel(0, image.height() - 1);
    const quint32 face = palette().color(QPalette::Button).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<quint32 *>(image.scanLine(y));
        if (grey)
            greyPixels(row, image.width(), transparent, face);
        if (m_glyphTransparent)
            clearColour(row, image.width(), transparent);
    }
    return image;
}

void TZDButton::drawDropDownMark(QPainter &painter, const QPoint &topLeft) const
{
    const QColor colour = palette().color(isEnabled() ? QPalette::ButtonText : QPalette::Dark);
    for (int row = 0; row < kMarkHeight; ++row)
        painter.fillRect(topLeft.x() + row, topLeft.y() + row, kMarkWidth - 2 * row, 1, colour);
}

void TZDButton::drawCaption(QPainter &painter, const QRect &area) const
{
    constexpr int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setFont(font());
    const QPalette &pal = palette();
    if (!isEnabled()) {
        // Embossed: a highlight one pixel down-right under the shadow-coloured text.
        painter.setPen(pal.color(QPalette::Light));
        painter.drawText(area.translated(1, 1), flags, m_caption);
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawText(area, flags, m_caption);
        return;
    }
    painter.setPen(pal.color(foregroundRole()));
    const QRect shifted = m_model.captionShifted(m_border) ? area.translated(1, 1) : area;
    painter.drawText(shifted, flags, m_caption);
}

void TZDButton::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    m_model.resolvePaint(enabled);

    QPainter painter(this);
    const QPalette &pal = palette();
    const QRect face = rect();
    if (!m_transparent)
        painter.fillRect(face, pal.brush(backgroundRole()));

    const Frame frame = m_model.frame(enabled, m_border);
    if (frame.drawn)
        qDrawWinPanel(&painter, face, pal, frame.sunken,
                      m_transparent ? nullptr : &pal.brush(QPalette::Button));

    const TGlyphState state = m_model.glyphState;
    const bool mark = state == gsNone && m_menu;
    QImage glyph;
    QSize glyphSize;
    if (state != gsNone) {
        glyph = glyphFor(state);
        glyphSize = glyph.size();
    } else if (mark) {
        glyphSize = QSize(kMarkWidth, kMarkHeight);
    }
    const Layout layout =
        layoutGlyph(glyphSize, size(), m_textPos, m_model.glyphShifted(m_border), m_margin);
    if (!glyph.isNull())
        painter.drawImage(layout.glyph, preparedGlyph(glyph));
    else if (mark)
        drawDropDownMark(painter, layout.glyph);

    if (m_textPos != tpNone && !m_caption.isEmpty())
        drawCaption(painter, layout.captionArea);
}

void TZDButton::enterEvent(QEnterEvent *event)
{
    QWidget *grabber = QWidget::mouseGrabber();
    if (m_model.enter(isEnabled(), grabber && grabber != this, !m_glyphOver.isNull())) {
        update();
        emit mouseEntered();
    }
    QWidget::enterEvent(event);
}

void TZDButton::leaveEvent(QEvent *event)
{
    if (m_model.leave(isEnabled())) {
        update();
        emit mouseLeft();
    }
    QWidget::leaveEvent(event);
}

void TZDButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    QPointer<TZDButton> self(this);
    emit mousePressed(pos, event->button());
    if (self && event->button() == Qt::LeftButton)
        pressLeft(pos);
}

void TZDButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    QPointer<TZDButton> self(this);
    emit mouseMoved(pos);
    if (self && m_model.moveWhileDragging(rect().contains(pos)))
        update();
}

void TZDButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    QPointer<TZDButton> self(this);
    emit mouseReleased(pos, event->button());
    if (self && event->button() == Qt::LeftButton)
        releaseLeft(pos);
}

void TZDButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPointer<TZDButton> self(this);
    emit doubleClicked();
    // The second press of a double click is a press like any other.
    if (self)
        mousePressEvent(event);
}

void TZDButton::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        m_model.enabledChanged(isEnabled(), underMouse());
        update();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TZDButton::pressLeft(const QPoint &pos)
{
    if (!m_model.press(isEnabled()))
        return;
    update();
    if (m_menu)
        popDropDownMenu(pos);
}

void TZDButton::releaseLeft(const QPoint &pos)
{
    const ReleaseResult result = m_model.release(rect().contains(pos));
    if (!result.handled)
        return;
    update();
    if (result.click)
        fireClick();
}

void TZDButton::popDropDownMenu(const QPoint &pressPos)
{
    QPointer<TZDButton> self(this);
    QPointer<QMenu> menu = m_menu;
    m_model.menuShowing = true;
    repaint(); // the pressed face shows while the menu runs its own loop
    menu->exec(menuPopupPoint(menu->sizeHint().width()));
    if (!self)
        return;
    // Closing the menu releases the button where it was pressed; the menu's own items
    // are the answer, so no click fires for this release.
    releaseLeft(pressPos);
    m_model.menuShowing = false;
    update();
}
