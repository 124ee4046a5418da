#pragma once

#include <QWidget>

class Player;

// Base of the nine windows: each knows the player it belongs to and, through it, the
// windows created before it.
class PlayerWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PlayerWindow(Player &app, Qt::WindowFlags flags = {})
        : QWidget(nullptr, flags), app(app)
    {
    }

    // The font and colour the window draws its text in (the preferences choose them).
    void SetTextFont(const QFont &font, const QColor &colour)
    {
        setFont(font);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, colour);
        setPalette(p);
    }

protected:
    Player &app;
};
