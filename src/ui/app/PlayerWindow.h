#pragma once

#include <QList>
#include <QWidget>

namespace LanguageFile {
struct ComponentText;
}

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

    // Captions and hints of a language file for this window's own controls, found by
    // name (case does not matter); names that match nothing are skipped.
    void ApplyLanguage(const QList<LanguageFile::ComponentText> &entries);

protected:
    Player &app;
};
