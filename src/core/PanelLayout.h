#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

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
// The elements a skin describes, in the order a saved skin lists them (the panel's
// component order: buttons, with the frame and four labels after ButtonOpen, StatusTime
// after BFiltry, the two sliders last).
const QStringList &skinnableOrder();
const Control *find(const QString &name);

// Caption of the program-name label and of the panel itself.
QString programTitle();

} // namespace PanelLayout
