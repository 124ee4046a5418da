#include "ui/video/TDXDraw.h"

#include "platform/DisplayModes.h"
#include "ui/app/Player.h"

TDXDraw::TDXDraw(Player &app, DisplayModes *modes) : m_app(app), m_modes(modes) {}

bool TDXDraw::Active() const { return m_app.fullScreenActive(); }
void TDXDraw::setActive(bool on) { m_app.setFullScreenActive(on); }

bool TDXDraw::canChangeModes() const { return m_modes && m_modes->available(); }

bool TDXDraw::changeMode()
{
    if (!canChangeModes()) {
        Error = true;
        return false;
    }
    Error = !m_modes->setMode(Target);
    if (Error)
        return false;
    m_changed = true;
    setActive(true);
    return true;
}

void TDXDraw::restore()
{
    setActive(false);
    if (!m_changed)
        return;
    m_changed = false;
    Error = !m_modes->restore();
}

QStringList TDXDraw::enumerate()
{
    if (!canChangeModes()) {
        Error = true;
        return {};
    }
    Error = false;
    ModeTable = DisplayMode::listTexts(m_modes->modes());
    return ModeTable;
}

std::optional<DisplayMode> TDXDraw::desktop() const
{
    return m_modes ? m_modes->current() : std::nullopt;
}

QString TDXDraw::lastError() const { return m_modes ? m_modes->lastError() : QString(); }
