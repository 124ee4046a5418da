// The control panel's side of full screen: its caption buttons, its place, its visibility.
#include "ui/app/TForm1.h"

#include "ui/skins/TZDButton.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>

namespace {
// The buttons that make no sense over a full-screen picture.
std::array<TZDButton *, 3> captionButtons(const TForm1 &panel)
{
    return {panel.FullScreenResize, panel.CaptionMin, panel.CaptionSzpilka};
}
} // namespace

void TForm1::FullScreenEntered(bool secondMonitor, const QRect &screen)
{
    // A film opened in full screen enters again: what was saved the first time stays.
    if (!m_inFullScreen) {
        m_inFullScreen = true;
        const auto buttons = captionButtons(*this);
        for (size_t i = 0; i < buttons.size(); ++i) {
            m_captionButtonsShown[i] = !buttons[i]->isHidden();
            buttons[i]->hide();
        }
        m_boundsBeforeFullScreen = geometry();
        if (!secondMonitor)
            move(FullScreenPanelLeft, FullScreenPanelTop);
    }
    if (!secondMonitor)
        hide();
    // A place remembered on a larger desktop would leave the panel out of sight.
    if (!screen.contains(geometry().topLeft()))
        move(screen.topLeft());
}

void TForm1::FullScreenLeft(bool show)
{
    if (!m_inFullScreen)
        return;
    m_inFullScreen = false;
    FullScreenPanelLeft = x();
    FullScreenPanelTop = y();
    if (m_boundsBeforeFullScreen.isValid())
        move(m_boundsBeforeFullScreen.topLeft());
    const auto buttons = captionButtons(*this);
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setVisible(m_captionButtonsShown[i]);
    ButtonUp->show();
    ButtonDown->show();
    setVisible(show);
}

void TForm1::ShowMonitor2Choice(bool onSecond) { ButtonFullScrMonitor2->setDown(onSecond); }

void TForm1::followScreens()
{
    // Full screen on a second monitor needs one; monitors come and go (a projector).
    auto screensChanged = [this] { ButtonFullScrMonitor2->setEnabled(QGuiApplication::screens().size() > 1); };
    screensChanged();
    connect(qApp, &QGuiApplication::screenAdded, this, screensChanged);
    connect(qApp, &QGuiApplication::screenRemoved, this, screensChanged);
}
