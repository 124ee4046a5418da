#pragma once

#include "core/SkinFile.h"

#include <QImage>
#include <QString>
#include <optional>

class QWidget;

// One panel element as a skin sees it: which keys it takes, applying one key, and its
// present values as a saver writes them. The panel owns the elements and calls these on
// its own widgets.
namespace PanelSkin {

// Skinned buttons, sliders, labels and the frame; nothing else takes a skin.
std::optional<SkinFile::Kind> kindOf(const QWidget *element);

// Any picture format QImage reads (Windows bitmaps of every depth, PNG, ...). Null, with a
// message naming the file, when it cannot be read.
QImage readBitmap(const QString &path, QString *error);

// Applies one key of a section. Bitmap keys name a file resolved against `folder`; an
// empty one clears the picture. Keys the element's kind does not take, and numbers that
// are not numbers, change nothing. False, with a message naming the file, only when a
// bitmap cannot be read; the element then keeps its picture.
bool apply(QWidget *element, const QString &key, const QString &value, const QString &folder,
           QString *error);

// The element's values in the saver's key order; glyph keys only for glyphs that are not
// empty. Bitmap values are the file names the saver writes them under.
SkinFile::Section describe(const QWidget *element, const QString &name);
// The picture behind a bitmap key (null when empty or not the element's).
QImage bitmap(const QWidget *element, const QString &key);

} // namespace PanelSkin
