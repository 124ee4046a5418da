#include "ui/skins/PanelSkin.h"

#include "core/ButtonLogic.h"
#include "ui/skins/TShadowLabel.h"
#include "ui/skins/TSkinSlider.h"
#include "ui/skins/TZDButton.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace PanelSkin {

using SkinFile::Kind;

namespace {

QColor colourOf(int value)
{
    const quint32 v = quint32(value);
    return QColor(SkinFile::redOf(v), SkinFile::greenOf(v), SkinFile::blueOf(v));
}

QString colourText(const QColor &c)
{
    return QString::number(SkinFile::colorValue(c.red(), c.green(), c.blue()));
}

// Skin files give font sizes in points; the designed panel sizes its fonts in pixels.
int pointsOf(const QWidget *w)
{
    const QFont f = w->font();
    if (f.pointSize() > 0)
        return f.pointSize();
    return qRound(f.pixelSize() * 72.0 / w->logicalDpiY());
}

bool applyGeometry(QWidget *w, const QString &key, int n)
{
    QRect r = w->geometry();
    if (key == QLatin1String("Left"))
        r.moveLeft(n);
    else if (key == QLatin1String("Top"))
        r.moveTop(n);
    else if (key == QLatin1String("Width"))
        r.setWidth(qMax(0, n));
    else if (key == QLatin1String("Height"))
        r.setHeight(qMax(0, n));
    else
        return false;
    w->setGeometry(r);
    return true;
}

bool loadPicture(const QString &folder, const QString &value, QImage *out, QString *error)
{
    if (value.isEmpty()) {
        *out = QImage();
        return true;
    }
    const QString path = QFileInfo(value).isAbsolute() ? value : QDir(folder).filePath(value);
    QImage image = readBitmap(path, error);
    if (image.isNull())
        return false;
    *out = image;
    return true;
}

void applyButton(TZDButton *b, const QString &key, const QString &value, const std::optional<int> &n)
{
    if (key == QLatin1String("Text"))
        b->setCaption(value);
    else if (key == QLatin1String("Transparent"))
        b->setTransparent(SkinFile::flag(value));
    else if (key == QLatin1String("Border"))
        b->setBorder(SkinFile::flag(value));
    else if (key == QLatin1String("Flat"))
        b->setButtonStyle(ButtonLogic::styleWithFlat(b->buttonStyle(), SkinFile::flag(value)));
    else if (key == QLatin1String("TextPos") && n) {
        if (const auto pos = ButtonLogic::textPosFromSkinValue(*n))
            b->setTextPosition(*pos);
    }
}

void applyLabel(TShadowLabel *l, const QString &key, const QString &value, const std::optional<int> &n)
{
    if (key == QLatin1String("FontName") && !value.isEmpty()) {
        QFont f = l->font();
        f.setFamily(value);
        l->setFont(f);
    } else if (key == QLatin1String("FontColor") && n) {
        l->setFontColor(colourOf(*n));
    } else if (key == QLatin1String("FontSize") && n && *n > 0 && *n != pointsOf(l)) {
        // The same size in points leaves a pixel-sized font exactly as it was.
        QFont f = l->font();
        f.setPointSize(*n);
        l->setFont(f);
    } else if (key == QLatin1String("FontShadowSize") && n) {
        l->setShadowSize(*n);
    } else if (key == QLatin1String("FontShadowColor") && n) {
        l->setShadowColor(colourOf(*n));
    } else if (key == QLatin1String("FontShadowPos") && n) {
        l->setShadowPos(*n);
    }
}

} // namespace

std::optional<Kind> kindOf(const QWidget *element)
{
    if (qobject_cast<const TZDButton *>(element))
        return Kind::Button;
    if (qobject_cast<const TSkinSlider *>(element))
        return Kind::Slider;
    if (qobject_cast<const TShadowLabel *>(element))
        return Kind::Label;
    if (element && element->inherits("QFrame") && !element->inherits("QLabel"))
        return Kind::Border;
    return std::nullopt;
}

QImage readBitmap(const QString &path, QString *error)
{
    QImageReader reader(path);
    // The format comes from the content: a PNG named ".bmp" still loads.
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reader.errorString());
    return image;
}

bool apply(QWidget *element, const QString &key, const QString &value, const QString &folder,
           QString *error)
{
    const std::optional<Kind> kind = kindOf(element);
    if (!kind || !SkinFile::takesKey(*kind, key))
        return true;
    const std::optional<int> n = SkinFile::number(value);
    if (n && applyGeometry(element, key, *n))
        return true;
    if (key == QLatin1String("Hint")) {
        element->setToolTip(value);
        return true;
    }
    if (key == QLatin1String("Visible")) {
        element->setVisible(SkinFile::flag(value));
        return true;
    }
    if (SkinFile::isBitmapKey(key)) {
        QImage image;
        if (!loadPicture(folder, value, &image, error))
            return false;
        if (auto *b = qobject_cast<TZDButton *>(element)) {
            if (key == QLatin1String("GlyphUp"))
                b->setGlyphUp(image);
            else if (key == QLatin1String("GlyphDown"))
                b->setGlyphDown(image);
            else if (key == QLatin1String("GlyphDisable"))
                b->setGlyphDisable(image);
            else
                b->setGlyphOver(image);
            // A button designed as a bare caption shows the pictures a skin gives it.
            if (!image.isNull() && b->glyphState() == TZDButton::gsNone)
                b->setGlyphState(TZDButton::gsUp);
            b->update();
        } else if (auto *s = qobject_cast<TSkinSlider *>(element)) {
            if (key == QLatin1String("ImageRuler"))
                s->setImageRuler(image);
            else
                s->setImageThumb(image);
        }
        return true;
    }
    if (auto *b = qobject_cast<TZDButton *>(element))
        applyButton(b, key, value, n);
    else if (auto *l = qobject_cast<TShadowLabel *>(element))
        applyLabel(l, key, value, n);
    return true;
}

QImage bitmap(const QWidget *element, const QString &key)
{
    if (auto *b = qobject_cast<const TZDButton *>(element)) {
        if (key == QLatin1String("GlyphUp"))
            return b->glyphUp();
        if (key == QLatin1String("GlyphDown"))
            return b->glyphDown();
        if (key == QLatin1String("GlyphDisable"))
            return b->glyphDisable();
        if (key == QLatin1String("GlyphOver"))
            return b->glyphOver();
    } else if (auto *s = qobject_cast<const TSkinSlider *>(element)) {
        if (key == QLatin1String("ImageRuler"))
            return s->imageRuler();
        if (key == QLatin1String("ImageThumb"))
            return s->imageThumb();
    }
    return {};
}

SkinFile::Section describe(const QWidget *element, const QString &name)
{
    SkinFile::Section section{name, {}};
    const std::optional<Kind> kind = kindOf(element);
    if (!kind)
        return section;
    auto *b = qobject_cast<const TZDButton *>(element);
    auto *l = qobject_cast<const TShadowLabel *>(element);
    const QRect r = element->geometry();
    for (const QString &key : SkinFile::keysOf(*kind)) {
        QString value;
        if (key == QLatin1String("Left")) value = QString::number(r.left());
        else if (key == QLatin1String("Top")) value = QString::number(r.top());
        else if (key == QLatin1String("Width")) value = QString::number(r.width());
        else if (key == QLatin1String("Height")) value = QString::number(r.height());
        else if (key == QLatin1String("Hint")) value = element->toolTip();
        // Shown unless hidden on purpose: the panel itself may be hidden while saving.
        else if (key == QLatin1String("Visible")) value = SkinFile::flagText(!element->isHidden());
        else if (SkinFile::isBitmapKey(key)) {
            const bool empty = bitmap(element, key).isNull();
            if (empty && b)
                continue; // a button's empty glyph is left out
            value = empty ? QString() : SkinFile::bitmapFileName(name, key);
        } else if (b) {
            if (key == QLatin1String("Text")) value = b->caption();
            else if (key == QLatin1String("Transparent")) value = SkinFile::flagText(b->transparent());
            else if (key == QLatin1String("Border")) value = SkinFile::flagText(b->border());
            else if (key == QLatin1String("TextPos")) value = QString::number(ButtonLogic::skinValueOfTextPos(b->textPosition()));
            else if (key == QLatin1String("Flat")) value = SkinFile::flagText(ButtonLogic::isFlatStyle(b->buttonStyle()));
        } else if (l) {
            if (key == QLatin1String("FontName")) value = l->font().family();
            else if (key == QLatin1String("FontColor")) value = colourText(l->fontColor());
            else if (key == QLatin1String("FontSize")) value = QString::number(pointsOf(l));
            else if (key == QLatin1String("FontShadowSize")) value = QString::number(l->shadowSize());
            else if (key == QLatin1String("FontShadowColor")) value = colourText(l->shadowColor());
            else if (key == QLatin1String("FontShadowPos")) value = QString::number(l->shadowPos());
        }
        section.entries.append({key, value});
    }
    return section;
}

} // namespace PanelSkin
