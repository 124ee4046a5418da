// Draws the skins that ship with the player and writes them as skin folders:
//   brivara_skin_maker OUTPUT_FOLDER     (OUTPUT_FOLDER/<skin>/skin.all, Background.bmp, ...)
// The build runs it, so the repository holds no pictures. Every skin starts from the
// designed panel's layout and redraws it: its own background shape, glyphs for the four
// button states, slider pictures and label fonts.
#include "core/PanelLayout.h"
#include "core/SkinFile.h"

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

const QColor Key(255, 0, 255); // the cut-away colour of every picture

struct Palette
{
    QColor plate, plateOver, plateDown, plateDisabled;
    QColor ink, inkOver, inkDown, inkDisabled;
    QColor edge;
    QColor display; // the recessed status display and the slider grooves
    QColor label, labelShadow;
    int labelShadowSize;
};

struct Skin
{
    QString name;
    QSize size;
    double scale;           // glyph and font size against the designed panel
    Palette colours;
    QString font;
    bool flat;
    std::function<QPainterPath(QSizeF)> outline;
    std::function<void(QPainter &, QSizeF, const Skin &)> decorate;
    // Where each element goes; hidden elements return an empty rectangle.
    std::function<QRect(const PanelLayout::Control &)> place;
};

QRect scaled(const QRect &r, double f)
{
    return QRect(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f), qRound(r.height() * f));
}

// --- symbols ---------------------------------------------------------------------------

QPolygonF triangle(const QRectF &r, bool right)
{
    if (right)
        return {r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft()};
    return {r.topRight(), QPointF(r.left(), r.center().y()), r.bottomRight()};
}

void drawText(QPainter &p, const QRectF &r, const QString &text, const QString &family)
{
    QFont f(family);
    f.setBold(true);
    f.setPixelSize(qMax(6, int(r.height() * 0.8)));
    f.setStyleStrategy(QFont::NoAntialias);
    QFontMetricsF m(f);
    while (m.horizontalAdvance(text) > r.width() && f.pixelSize() > 6) {
        f.setPixelSize(f.pixelSize() - 1);
        m = QFontMetricsF(f);
    }
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, text);
}

const QHash<QString, QString> &words()
{
    static const QHash<QString, QString> table{
        {"ButtonOpenTXT", "TXT"}, {"NapisyCheck", "T"}, {"BFiltry", "Filtry"}, {"Button16x9", "16:9"},
        {"Button4x3", "4:3"}, {"ButtonNormalSize", "1:1"}, {"ButtonHeightUp", "H+"},
        {"ButtonHeightDown", "H-"}, {"ButtonFullScrMonitor2", "M2"}, {"ButtonSnapShot", "FOTO"}};
    return table;
}

bool isWord(const QString &name) { return words().contains(name); }

// The symbol of a button in a square-ish box r, in the painter's brush colour.
void drawSymbol(QPainter &p, const QString &name, const QRectF &box, const QString &family)
{
    const double s = qMin(box.width(), box.height());
    const QRectF r(box.center().x() - s / 2, box.center().y() - s / 2, s, s);
    const QColor ink = p.brush().color();
    const QPen line(ink, qMax(1.0, s / 7), Qt::SolidLine, Qt::FlatCap);
    auto part = [&](double x, double y, double w, double h) {
        return QRectF(r.left() + x * s, r.top() + y * s, w * s, h * s);
    };
    if (name == "BPlay")
        p.drawPolygon(triangle(part(0.22, 0.1, 0.62, 0.8), true));
    else if (name == "BPause") {
        p.drawRect(part(0.2, 0.12, 0.22, 0.76));
        p.drawRect(part(0.58, 0.12, 0.22, 0.76));
    } else if (name == "BStop")
        p.drawRect(part(0.18, 0.18, 0.64, 0.64));
    else if (name == "BBack" || name == "BStep") {
        const bool right = name == "BStep";
        p.drawPolygon(triangle(part(0.04, 0.2, 0.46, 0.6), right));
        p.drawPolygon(triangle(part(0.5, 0.2, 0.46, 0.6), right));
    } else if (name == "BNext")
        p.drawPolygon(QPolygonF{part(0.1, 0.25, 0.8, 0.5).bottomLeft(), QPointF(r.center().x(), r.top() + 0.25 * s),
                                part(0.1, 0.25, 0.8, 0.5).bottomRight()});
    else if (name == "BPrev")
        p.drawPolygon(QPolygonF{part(0.1, 0.25, 0.8, 0.5).topLeft(), QPointF(r.center().x(), r.top() + 0.75 * s),
                                part(0.1, 0.25, 0.8, 0.5).topRight()});
    else if (name == "ButtonVolume") {
        p.drawRect(part(0.08, 0.36, 0.18, 0.28));
        p.drawPolygon(QPolygonF{part(0.26, 0.36, 0, 0).topLeft(), part(0.52, 0.1, 0, 0).topLeft(),
                                part(0.52, 0.9, 0, 0).topLeft(), part(0.26, 0.64, 0, 0).topLeft()});
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawArc(part(0.4, 0.25, 0.35, 0.5), -50 * 16, 100 * 16);
        p.drawArc(part(0.35, 0.08, 0.6, 0.84), -50 * 16, 100 * 16);
    } else if (name == "ButtonPlayList") {
        for (int i = 0; i < 3; ++i)
            p.drawRect(part(0.12, 0.18 + i * 0.25, 0.76, 0.13));
    } else if (name == "ButtonSetup") {
        p.drawEllipse(part(0.14, 0.14, 0.72, 0.72));
        p.setBrush(Key);
        p.drawEllipse(part(0.36, 0.36, 0.28, 0.28));
    } else if (name == "BRepeat") {
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawArc(part(0.18, 0.18, 0.64, 0.64), 40 * 16, 290 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF{part(0.62, 0.02, 0, 0).topLeft(), part(0.9, 0.24, 0, 0).topLeft(),
                                part(0.6, 0.4, 0, 0).topLeft()});
    } else if (name == "ButtonOpen") {
        p.drawPolygon(QPolygonF{part(0.5, 0.12, 0, 0).topLeft(), part(0.88, 0.56, 0, 0).topLeft(),
                                part(0.12, 0.56, 0, 0).topLeft()});
        p.drawRect(part(0.12, 0.68, 0.76, 0.16));
    } else if (name == "ButtonDown")
        p.drawRect(part(0.16, 0.42, 0.68, 0.16));
    else if (name == "ButtonUp") {
        p.drawRect(part(0.16, 0.42, 0.68, 0.16));
        p.drawRect(part(0.42, 0.16, 0.16, 0.68));
    } else if (name == "ButtonPanScan" || name == "ButtonFullScreen" || name == "FullScreenResize") {
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawRect(part(0.12, 0.24, 0.76, 0.52));
        if (name == "ButtonPanScan")
            p.drawRect(part(0.3, 0.1, 0.4, 0.8));
        if (name == "FullScreenResize")
            p.drawLine(part(0.12, 0.38, 0.76, 0).topLeft(), part(0.12, 0.38, 0.76, 0).topRight());
    } else if (name == "CaptionSzpilka")
        p.drawEllipse(part(0.28, 0.28, 0.44, 0.44));
    else if (name == "CaptionMin")
        p.drawRect(part(0.18, 0.66, 0.64, 0.16));
    else if (name == "CaptionClose") {
        p.setPen(line);
        p.drawLine(part(0.2, 0.2, 0.6, 0.6).topLeft(), part(0.2, 0.2, 0.6, 0.6).bottomRight());
        p.drawLine(part(0.2, 0.2, 0.6, 0.6).topRight(), part(0.2, 0.2, 0.6, 0.6).bottomLeft());
    } else if (name == "BFunction")
        p.drawRect(part(0.1, 0.3, 0.8, 0.4));
    else {
        // Buttons that are words: the word fills the face.
        p.setPen(ink);
        drawText(p, box, words().value(name, name.left(2)), family);
    }
}

enum class State { Up, Down, Disabled, Over };

QImage glyph(const Skin &skin, const QString &name, QSize size, State state)
{
    const Palette &c = skin.colours;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Key);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor plate[] = {c.plate, c.plateDown, c.plateDisabled, c.plateOver};
    const QColor ink[] = {c.ink, c.inkDown, c.inkDisabled, c.inkOver};
    const int i = int(state);
    // The bottom-left pixel stays the key colour, so the plate keeps off the last row's
    // first pixel: a rounded plate does.
    const QRectF face(0.5, 0.5, size.width() - 1.5, size.height() - 1.5);
    const double radius = qMin(size.width(), size.height()) / 4.0;
    p.setPen(QPen(c.edge, 1));
    p.setBrush(plate[i]);
    p.drawRoundedRect(face, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(ink[i]);
    QRectF symbol = face.adjusted(size.width() * 0.18, size.height() * 0.16, -size.width() * 0.18,
                                  -size.height() * 0.16);
    if (isWord(name))
        symbol = face.adjusted(2, 1, -2, -1);
    // The subtitle switch sits over the right part of the subtitle button.
    if (name == "ButtonOpenTXT")
        symbol.setRight(face.left() + face.width() * 0.62);
    drawSymbol(p, name, state == State::Down ? symbol.translated(1, 1) : symbol, skin.font);
    return image;
}

QImage ruler(const Skin &skin, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Key);
    QPainter p(&image);
    const int h = qMax(3, size.height() / 4);
    const QRectF groove(1, (size.height() - h) / 2.0, size.width() - 2, h);
    p.setPen(QPen(skin.colours.edge, 1));
    p.setBrush(skin.colours.display);
    p.drawRoundedRect(groove, h / 2.0, h / 2.0);
    return image;
}

QImage thumb(const Skin &skin, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Key);
    QPainter p(&image);
    p.setPen(QPen(skin.colours.edge, 1));
    p.setBrush(skin.colours.ink);
    p.drawRoundedRect(QRectF(1.5, 0.5, size.width() - 2.5, size.height() - 1.5), 3, 3);
    return image;
}

QImage background(const Skin &skin)
{
    QImage image(skin.size, QImage::Format_RGB32);
    image.fill(Key);
    QPainter p(&image);
    // Hard edges: a smoothed rim would blend with the key colour and leave a fringe.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, 0, 0, skin.size.height());
    g.setColorAt(0, skin.colours.plateOver);
    g.setColorAt(1, skin.colours.plate.darker(130));
    p.setBrush(g);
    const QPainterPath outline = skin.outline(QSizeF(skin.size));
    p.drawPath(outline);
    p.setClipPath(outline);
    skin.decorate(p, QSizeF(skin.size), skin);
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(skin.colours.edge, 2));
    p.drawPath(outline);
    return image;
}

// --- writing ---------------------------------------------------------------------------

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "BMP"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool writeSkin(const Skin &skin, const QString &root)
{
    const QString folder = root + QLatin1Char('/') + skin.name;
    if (!QDir().mkpath(folder))
        return false;
    const Palette &c = skin.colours;
    auto colour = [](const QColor &q) { return QString::number(SkinFile::colorValue(q.red(), q.green(), q.blue())); };
    QList<SkinFile::Section> sections;
    for (const QString &name : PanelLayout::skinnableOrder()) {
        const PanelLayout::Control *control = PanelLayout::find(name);
        if (!control)
            continue;
        QRect r = skin.place(*control);
        const bool visible = !r.isEmpty();
        if (!visible)
            r = QRect(0, 0, 20, 20);
        SkinFile::Section s{name, {{"Left", QString::number(r.left())}, {"Top", QString::number(r.top())},
                                   {"Width", QString::number(r.width())}, {"Height", QString::number(r.height())}}};
        const QString hint = QString::fromUtf8(control->hint);
        using K = PanelLayout::Kind;
        if (control->kind == K::Button || control->kind == K::Toggle) {
            s.entries += {{"Text", ""}, {"Hint", hint}, {"Visible", SkinFile::flagText(visible)},
                          {"Transparent", "1"}, {"Border", "0"}, {"TextPos", "3"},
                          {"Flat", SkinFile::flagText(skin.flat)}};
            const std::pair<const char *, State> states[] = {
                {"GlyphUp", State::Up}, {"GlyphDown", State::Down}, {"GlyphDisable", State::Disabled},
                {"GlyphOver", State::Over}};
            for (const auto &[key, state] : states) {
                const QString file = SkinFile::bitmapFileName(name, key);
                if (!save(glyph(skin, name, r.size(), state), folder + '/' + file))
                    return false;
                s.entries += {key, file};
            }
        } else if (control->kind == K::PositionSlider || control->kind == K::FunctionSlider) {
            const QString rulerFile = SkinFile::bitmapFileName(name, "ImageRuler");
            const QString thumbFile = SkinFile::bitmapFileName(name, "ImageThumb");
            const QSize knob(qMax(8, r.height() / 2), qMax(10, r.height() - 4));
            if (!save(ruler(skin, r.size()), folder + '/' + rulerFile) || !save(thumb(skin, knob), folder + '/' + thumbFile))
                return false;
            s.entries += {{"Hint", hint}, {"Visible", SkinFile::flagText(visible)},
                          {"ImageRuler", rulerFile}, {"ImageThumb", thumbFile}};
        } else if (control->kind == K::Label) {
            const int points = qMax(5, qRound((name == "LFunction" ? 5 : 8) * skin.scale));
            s.entries += {{"Hint", hint}, {"Visible", SkinFile::flagText(visible)}, {"FontName", skin.font},
                          {"FontColor", colour(name == "ProgName" ? c.inkOver : c.label)},
                          {"FontSize", QString::number(points)},
                          {"FontShadowSize", QString::number(c.labelShadowSize)},
                          {"FontShadowColor", colour(c.labelShadow)}, {"FontShadowPos", "2"}};
        } else {
            // The frame is drawn into the background instead.
            s.entries += {{"Hint", hint}, {"Visible", "0"}};
        }
        sections << s;
    }
    QString error;
    if (!save(background(skin), folder + "/" + SkinFile::BackgroundName)
        || !SkinFile::write(folder + "/" + SkinFile::FileName, sections, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    return true;
}

// --- the three skins -------------------------------------------------------------------

// The status display the designed panel frames with its border, drawn as a recess.
void recess(QPainter &p, const QRect &r, const Skin &skin)
{
    p.setPen(QPen(skin.colours.edge, 1));
    p.setBrush(skin.colours.display);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

Skin grafit()
{
    Skin s;
    s.name = "Grafit";
    s.size = QSize(496, 78);
    s.scale = 1;
    s.colours = {QColor(58, 62, 70), QColor(84, 90, 102), QColor(30, 32, 36), QColor(52, 55, 60),
                 QColor(206, 212, 222), QColor(120, 210, 255), QColor(255, 255, 255), QColor(98, 102, 110),
                 QColor(18, 19, 22), QColor(26, 28, 32), QColor(214, 220, 228), QColor(0, 0, 0), 1};
    s.font = "DejaVu Sans";
    s.flat = false;
    // A rounded slab with a notch under the transport buttons.
    s.outline = [](QSizeF z) {
        QPainterPath path;
        path.addRoundedRect(QRectF(1, 1, z.width() - 3, z.height() - 4), 16, 16);
        QPainterPath notch;
        notch.addRoundedRect(QRectF(160, z.height() - 9, 200, 14), 6, 6);
        return path.subtracted(notch);
    };
    s.decorate = [](QPainter &p, QSizeF, const Skin &skin) {
        recess(p, QRect(153, 8, 226, 40), skin);
    };
    s.place = [](const PanelLayout::Control &c) { return c.rect.translated(2, 2); };
    return s;
}

Skin kompakt()
{
    Skin s;
    s.name = "Kompakt";
    s.size = QSize(346, 36);
    s.scale = 0.9;
    s.colours = {QColor(200, 214, 228), QColor(226, 236, 246), QColor(150, 172, 196), QColor(196, 204, 212),
                 QColor(28, 56, 96), QColor(0, 96, 200), QColor(10, 30, 60), QColor(150, 160, 172),
                 QColor(92, 116, 146), QColor(176, 196, 218), QColor(20, 40, 70), QColor(255, 255, 255), 0};
    s.font = "DejaVu Sans Condensed";
    s.flat = true;
    s.outline = [](QSizeF z) {
        QPainterPath path;
        path.addRoundedRect(QRectF(1, 1, z.width() - 3, z.height() - 3), z.height() / 2 - 1, z.height() / 2 - 1);
        return path;
    };
    s.decorate = [](QPainter &p, QSizeF, const Skin &skin) { recess(p, QRect(138, 3, 104, 30), skin); };
    // One row: transport, time over position, then open, volume, setup and the window buttons.
    static const QHash<QString, QRect> row{
        {"BPlay", {14, 6, 24, 24}},        {"BPause", {38, 6, 24, 24}},      {"BStop", {62, 6, 24, 24}},
        {"BBack", {86, 6, 24, 24}},        {"BStep", {110, 6, 24, 24}},      {"StatusTime", {140, 4, 100, 12}},
        {"SliderPos", {142, 16, 96, 15}},  {"ButtonOpen", {246, 6, 24, 24}}, {"ButtonVolume", {270, 6, 24, 24}},
        {"ButtonSetup", {294, 6, 24, 24}}, {"CaptionMin", {320, 6, 12, 11}}, {"CaptionClose", {320, 19, 12, 11}},
    };
    s.place = [](const PanelLayout::Control &c) { return row.value(QString::fromLatin1(c.name)); };
    return s;
}

Skin kontrast()
{
    Skin s;
    s.name = "Kontrast";
    s.scale = 1.5;
    s.size = QSize(qRound(496 * s.scale), qRound(80 * s.scale));
    s.colours = {QColor(0, 0, 0), QColor(40, 40, 0), QColor(255, 221, 0), QColor(0, 0, 0),
                 QColor(255, 221, 0), QColor(255, 255, 255), QColor(0, 0, 0), QColor(110, 110, 110),
                 QColor(255, 221, 0), QColor(0, 0, 0), QColor(255, 255, 255), QColor(0, 0, 0), 0};
    s.font = "DejaVu Sans";
    s.flat = false;
    // Chamfered corners and a toothed bottom edge under the sliders.
    s.outline = [](QSizeF z) {
        const double w = z.width() - 2, h = z.height() - 2, c = 18;
        QPolygonF shape{{c, 1}, {w - c, 1}, {w, 1 + c}, {w, h - c}, {w - c, h}};
        for (double x = w - c - 12; x > c + 12; x -= 24)
            shape << QPointF(x, h) << QPointF(x - 6, h - 6) << QPointF(x - 12, h);
        shape << QPointF(c, h) << QPointF(1, h - c) << QPointF(1, 1 + c);
        QPainterPath path;
        path.addPolygon(shape);
        path.closeSubpath();
        return path;
    };
    s.decorate = [](QPainter &p, QSizeF z, const Skin &skin) {
        p.fillRect(QRectF(0, 0, z.width(), z.height()), Qt::black);
        recess(p, scaled(QRect(151, 6, 226, 40), skin.scale).translated(3, 3), skin);
    };
    s.place = [](const PanelLayout::Control &c) {
        return scaled(c.rect, 1.5).translated(3, 3);
    };
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const Skin &skin : {grafit(), kompakt(), kontrast()})
        if (!writeSkin(skin, root))
            return 1;
    return 0;
}
