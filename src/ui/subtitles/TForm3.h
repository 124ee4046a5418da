#pragma once

#include "ui/app/PlayerWindow.h"

class QTimer;

// The borderless window that carries one subtitle over (or under) the picture.
class TForm3 : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TForm3(Player &app);

    // Subtitles waiting behind the one being read; emptied by every jump in the film.
    void emptyQueue();
    // Loads the subtitles of a film just opened (the panel has primed the file name).
    void loadForFilm();
    // A subtitle file dropped on a window.
    void loadDropped(const QString &path);
    // The product's mark shown briefly at the start of a long film.
    void greet();
    // Shows the subtitle whose start is the clock's second, if one is due.
    void matchSubtitle(qint64 clockSeconds);

    QTimer *TimerNapisClear = nullptr;
};
