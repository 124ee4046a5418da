#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Window arithmetic of the control panel, kept apart from the widgets so it can be
// checked without a display. Integer halves are truncated toward zero, as the panel
// has always placed itself.
namespace PanelGeometry {

inline constexpr int ClientWidth = 492;
inline constexpr int ClientHeight = 72;
inline constexpr int MinWidth = 50, MaxWidth = 500, MinHeight = 50, MaxHeight = 106;

// The three strips cut from the unskinned panel (bottom corners and the slot under the
// buttons), as rectangles in client coordinates.
QList<QRect> unskinnedCutouts();

// The client rectangle minus the cut-outs, as a list of disjoint rectangles.
QList<QRect> unskinnedRegion(const QSize &client);

// Pinning: where the video window goes when it follows the panel (directly above it,
// centred), and where the panel goes when it follows the video window (directly below).
QPoint videoAbovePanel(const QRect &panelFrame, const QSize &videoFrame);
QPoint panelBelowVideo(const QRect &videoFrame, const QSize &panelFrame);

// Dragging: the window moves by the pointer's travel since the press.
QPoint dragged(const QPoint &windowPos, const QPoint &pressPos, const QPoint &currentPos);

} // namespace PanelGeometry
