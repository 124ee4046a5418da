#pragma once

#include "core/MovieMenuLayout.h"
#include "ui/app/PlayerWindow.h"

#include <array>
#include <functional>

class QTimer;
class QUrl;
class QWidget;

// The chapter menu laid over the left of the picture: only its outlined letters cover the
// film, each entry is a click region, and it goes away by itself after its display time.
class TFormMenu : public PlayerWindow
{
    Q_OBJECT
public:
    // Hands an address to the desktop. Replaceable so that tests see what would open.
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit TFormMenu(Player &app);

    // Shows the menu of the film (the preferences' menu page holds it), or "No Menu".
    void ShowMenu();
    void TimerMenuTimer();
    // An entry's click: a jump through the preferences' go-to-time, or its link.
    void MenuRegionClick(int entry); // 1..5
    // The go-to-time stops the timer: a jump keeps the film from being started again.
    void StopMenuTimer();
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    // What the last ShowMenu laid out: entries counted, letter height, regions.
    int entries() const { return m_entries; }
    int letterHeight() const { return m_height; }

    std::array<QWidget *, 5> MenuRegion{}; // MenuRegion1..MenuRegion5
    QTimer *TimerMenu = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFont entryFont() const;
    QFont titleFont() const;
    void openLink(const QString &text);

    MovieMenu m_menu;
    QColor m_colour;
    QFont m_font;
    int m_entries = 0;
    int m_height = 0;
    int m_titleBand = 0;
    int m_step = 0;
    UrlOpener m_openUrl;
};
