#pragma once

#include "core/ButtonLogic.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

// The push/toggle button with bitmap glyphs used on the control panel, the playlist, the
// filters dialog and the preferences window. It paints itself over its parent (no fill of
// its own unless Transparent is off), shows one of four glyphs for its state, an optional
// caption beside the glyph and a 3-D frame, and can open a drop-down menu on press.
// Property names are the names skins and the skin editor use.
class TZDButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(ButtonLogic::TTextPos TextPosition READ textPosition WRITE setTextPosition)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool GlyphTransparent READ glyphTransparent WRITE setGlyphTransparent)
    Q_PROPERTY(ButtonLogic::TGlyphState GlyphState READ glyphState WRITE setGlyphState)
    Q_PROPERTY(ButtonLogic::TButtonStyle ButtonStyle READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(bool Down READ down WRITE setDown)
    Q_PROPERTY(bool Border READ border WRITE setBorder)
    Q_PROPERTY(QImage GlyphUp READ glyphUp WRITE setGlyphUp)
    Q_PROPERTY(QImage GlyphDown READ glyphDown WRITE setGlyphDown)
    Q_PROPERTY(QImage GlyphDisable READ glyphDisable WRITE setGlyphDisable)
    Q_PROPERTY(QImage GlyphOver READ glyphOver WRITE setGlyphOver)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)
    Q_PROPERTY(QMenu *DropDownMenu READ dropDownMenu WRITE setDropDownMenu)
    Q_PROPERTY(bool MarkDropDown READ markDropDown WRITE setMarkDropDown)
    Q_PROPERTY(ButtonLogic::TDropDownMenuPos MenuPosition READ menuPosition WRITE setMenuPosition)
    Q_PROPERTY(ButtonLogic::TMenuAlignment MenuAlignment READ menuAlignment WRITE setMenuAlignment)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

public:
    using TTextPos = ButtonLogic::TTextPos;
    using TGlyphState = ButtonLogic::TGlyphState;
    using TButtonStyle = ButtonLogic::TButtonStyle;
    using TDropDownMenuPos = ButtonLogic::TDropDownMenuPos;
    using TMenuAlignment = ButtonLogic::TMenuAlignment;
    // Callers write TZDButton::tpLeft, TZDButton::btSpeed, ...
    using enum ButtonLogic::TTextPos;
    using enum ButtonLogic::TGlyphState;
    using enum ButtonLogic::TButtonStyle;
    using enum ButtonLogic::TDropDownMenuPos;
    using enum ButtonLogic::TMenuAlignment;

    explicit TZDButton(QWidget *parent = nullptr);
    // A push button that shows only its caption (no glyph), as dialogs and pages use them.
    static TZDButton *captioned(QWidget *parent, const char *name, const QString &caption);

    QSize sizeHint() const override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    TTextPos textPosition() const { return m_textPos; }
    void setTextPosition(TTextPos pos);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool glyphTransparent() const { return m_glyphTransparent; }
    void setGlyphTransparent(bool on);
    TGlyphState glyphState() const { return m_model.glyphState; }
    void setGlyphState(TGlyphState state);
    TButtonStyle buttonStyle() const { return m_model.style; }
    void setButtonStyle(TButtonStyle style);
    bool down() const { return m_model.down; }
    bool isDown() const { return m_model.down; } // the usual Qt spelling
    void setDown(bool down);
    bool border() const { return m_border; }
    void setBorder(bool on);

    QImage glyphUp() const { return m_glyphUp; }
    void setGlyphUp(const QImage &image);
    QImage glyphDown() const { return m_glyphDown; }
    void setGlyphDown(const QImage &image);
    QImage glyphDisable() const { return m_glyphDisable; }
    void setGlyphDisable(const QImage &image);
    QImage glyphOver() const { return m_glyphOver; }
    void setGlyphOver(const QImage &image);
    // Empties all four glyphs (a skin section starts from no pictures).
    void clearGlyphs();

    int margin() const { return m_margin; }
    void setMargin(int margin);
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    QMenu *dropDownMenu() const { return m_menu; }
    void setDropDownMenu(QMenu *menu);
    bool markDropDown() const { return m_markDropDown; }
    void setMarkDropDown(bool on);
    TDropDownMenuPos menuPosition() const { return m_menuPos; }
    void setMenuPosition(TDropDownMenuPos pos) { m_menuPos = pos; }
    TMenuAlignment menuAlignment() const { return m_menuAlign; }
    void setMenuAlignment(TMenuAlignment align) { m_menuAlign = align; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    bool mouseInControl() const { return m_model.mouseInControl; }
    // Where the drop-down menu's top-left goes, in screen coordinates, for a menu this wide.
    QPoint menuPopupPoint(int menuWidth) const;

public slots:
    // What a user's click does: a toggle flips, then clicked() fires (and a non-zero
    // ModalResult ends the dialog the button sits in). Disabled buttons take no clicks.
    void click();

signals:
    void clicked();
    void doubleClicked();
    void mouseEntered();
    void mouseLeft();
    void mousePressed(const QPoint &pos, Qt::MouseButton button);
    void mouseMoved(const QPoint &pos);
    void mouseReleased(const QPoint &pos, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void pressLeft(const QPoint &pos);
    void releaseLeft(const QPoint &pos);
    void popDropDownMenu(const QPoint &pressPos);
    void fireClick();
    const QImage &glyphFor(TGlyphState state) const;
    QImage preparedGlyph(const QImage &glyph) const;
    void drawDropDownMark(QPainter &painter, const QPoint &topLeft) const;
    void drawCaption(QPainter &painter, const QRect &area) const;

    ButtonLogic::ButtonModel m_model;
    QString m_caption;
    TTextPos m_textPos = ButtonLogic::tpNone;
    bool m_transparent = true;
    bool m_glyphTransparent = true;
    bool m_border = true;
    QImage m_glyphUp, m_glyphDown, m_glyphDisable, m_glyphOver;
    int m_margin = -1;
    int m_modalResult = 0;
    QPointer<QMenu> m_menu;
    bool m_markDropDown = true;
    TDropDownMenuPos m_menuPos = ButtonLogic::dmpBottom;
    TMenuAlignment m_menuAlign = ButtonLogic::maLeft;
    int m_tag = 0;
};
