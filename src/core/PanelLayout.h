#pragma once

#include <QList>
#include <QRect>
#include <QString>

// The control panel as designed: every control's name, kind, place and first state.
// The panel builds itself from this table, and a skin starts from it.
namespace PanelLayout {

enum class Kind {
    Background, // picture filling the window; dragging it moves the panel
    Button,     // push button
    Toggle,     // latching button
    Label,
    Frame,      // bevelled border
    PositionSlider,
    FunctionSlider,
    Edit,       // invisible relay edit
};

struct Control
{
    const char *name;
    Kind kind;
    QRect rect;          // client coordinates; empty for controls a skin must place
    bool enabled = true;
    bool visible = true;
    bool down = false;   // toggles only
    int tag = 0;
    const char *caption = "";
    const char *hint = "";
};

const QList<Control> &controls();
const Control *find(const QString &name);

// Caption of the program-name label and of the panel itself.
QString programTitle();

} // namespace PanelLayout
