// The panel re-dressed by a skin: loading, saving, single values from the skin editor and
// the background that gives the window its shape.
#include "ui/app/TForm1.h"

#include "core/PanelGeometry.h"
#include "core/PanelLayout.h"
#include "core/SkinFolders.h"
#include "ui/app/Player.h"
#include "ui/skins/PanelSkin.h"
#include "ui/skins/SkinShape.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>
#include <QSlider>

QStringList TForm1::SkinElements() const { return PanelLayout::skinnableOrder(); }

std::optional<SkinFile::Kind> TForm1::SkinElementKind(const QString &name) const
{
    return PanelSkin::kindOf(m_controls.value(name));
}

SkinFile::Section TForm1::SkinElementValues(const QString &name) const
{
    return PanelSkin::describe(m_controls.value(name), name);
}

QImage TForm1::SkinElementBitmap(const QString &name, const QString &key) const
{
    return PanelSkin::bitmap(m_controls.value(name), key);
}

bool TForm1::SetSkinValue(const QString &name, const QString &key, const QString &value,
                          const QString &folder, QString *error)
{
    QWidget *element = m_controls.value(name);
    if (!element || !PanelSkin::kindOf(element))
        return true;
    return PanelSkin::apply(element, key, value, folder, error);
}

void TForm1::setSkinBackground(const QImage &image, bool stretched)
{
    m_background = image;
    m_skinFlag = stretched ? 0 : 1;
    Image1->setScaledContents(stretched);
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->setGeometry(QRect(QPoint(0, 0), image.size()));
    // The shape is worked out once per picture, not at every activation.
    m_skinShape = stretched ? QRegion() : SkinShape::of(image);
    SliderPos->update();
    SliderFUN->update();
    if (stretched) {
        setMinimumSize(PanelGeometry::MinWidth, PanelGeometry::MinHeight);
        setMaximumSize(PanelGeometry::MaxWidth, PanelGeometry::MaxHeight);
        resize(image.size());
    } else {
        setFixedSize(image.size());
    }
}

QString TForm1::LoadSkin(const QString &folder, bool builtIn)
{
    QList<SkinFile::Section> sections;
    QString error;
    const QString file = QDir(folder).filePath(QLatin1String(SkinFile::FileName));
    if (!QFileInfo::exists(file))
        return {};
    if (!SkinFile::read(file, &sections, &error))
        return error;

    QStringList problems;
    hide();
    const QImage background = PanelSkin::readBitmap(QDir(folder).filePath(QLatin1String(SkinFile::BackgroundName)), &error);
    if (background.isNull())
        problems << error;
    else
        setSkinBackground(background, builtIn);

    for (const SkinFile::Section &section : sections) {
        QWidget *element = m_controls.value(section.name);
        if (!element || !PanelSkin::kindOf(element))
            continue;
        // A section starts from no pictures: a glyph it does not name stays empty.
        if (auto *button = qobject_cast<TZDButton *>(element))
            button->clearGlyphs();
        for (const SkinFile::Entry &entry : section.entries)
            if (!PanelSkin::apply(element, entry.key, entry.value, folder, &error))
                problems << error;
    }

    if (app.form2()->MShowPanel->isChecked())
        show();
    RebuildRegion();
    if (app.form2()->isVisible())
        app.form2()->activateWindow();
    return problems.join(QLatin1Char('\n'));
}

QString TForm1::SaveSkin(const QString &folder)
{
    QString error;
    const QString staged = SkinFolders::stage(folder, &error);
    if (staged.isEmpty())
        return error;
    auto writeImage = [&](const QImage &image, const QString &name) {
        QSaveFile out(QDir(staged).filePath(name));
        if (out.open(QIODevice::WriteOnly) && image.save(&out, "BMP") && out.commit())
            return true;
        error = QStringLiteral("%1: %2").arg(QDir(folder).filePath(name), out.errorString());
        return false;
    };

    QList<SkinFile::Section> sections;
    bool ok = true;
    for (const QString &name : SkinElements()) {
        const SkinFile::Section section = SkinElementValues(name);
        for (const SkinFile::Entry &entry : section.entries)
            if (ok && SkinFile::isBitmapKey(entry.key) && !entry.value.isEmpty())
                ok = writeImage(SkinElementBitmap(name, entry.key), entry.value);
        sections << section;
    }
    ok = ok && writeImage(m_background, QLatin1String(SkinFile::BackgroundName))
         && SkinFile::write(QDir(staged).filePath(QLatin1String(SkinFile::FileName)), sections, &error)
         && SkinFolders::commit(staged, folder, &error);
    if (!ok) {
        QDir(staged).removeRecursively();
        return error;
    }
    return {};
}

QString TForm1::LoadSkinBackground(const QString &file)
{
    QString error;
    const QImage image = PanelSkin::readBitmap(file, &error);
    if (image.isNull())
        return error;
    setSkinBackground(image, false);
    RebuildRegion();
    return {};
}
