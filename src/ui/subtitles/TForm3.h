#pragma once

#include "core/SubtitleTiming.h"
#include "ui/app/PlayerWindow.h"
#include "ui/subtitles/SubtitleComposer.h"

#include <QProperty>

class QTimer;

// The borderless window that carries one subtitle over (or under) the picture.
class TForm3 : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TForm3(Player &app);

    // Subtitles waiting behind the one being read; emptied by every jump in the film.
    void emptyQueue();
    // The product's mark shown briefly at the start of a long film.
    void greet();

    // Shows `text` ("|" between lines, "\" before an italic line) now, or queues it behind
    // the one being read. `fromQueue`: the clear timer hands over a waiting text.
    // `gapToNext`: the time to the next subtitle, for IQ Text.
    void ShowSubtitle(const QString &text, bool fromQueue, qint64 gapToNext);
    // Exact timing: shows `text` now, without IQ Text's queue or the clear timer; the caller
    // takes it off with ClearTimed() at its stop.
    void ShowTimed(const QString &text);
    void ClearTimed();
    // Whether the text on screen is timed exactly (its stop is kept outside this window).
    bool timedShown() const { return m_timed && m_textShown; }
    // The subtitle's time is up: clear it and show the next waiting one, if any.
    void TimerNapisClearTimer();
    // Takes the subtitle off at once (the picture is about to change size).
    void HideSubtitle();
    // How long a subtitle stays when IQ Text does not decide (the preferences set it).
    void SetDisplayTime(int ms);

    // What is on screen now (the last subtitle laid out) and whether its letters show.
    const SubtitleComposition &composition() const { return m_shown; }
    bool textShown() const { return m_textShown; }
    // The text last laid out, as it was given ("|" and "\" included).
    const QString &text() const { return m_text; }
    const QStringList &waiting() const { return m_iq.queue(); }
    // Whether the semi-transparent kind gets a see-through box (a compositor blends it);
    // without one it is drawn as the transparent kind.
    bool seeThroughBox() const { return m_translucent; }

    QTimer *TimerNapisClear = nullptr;

signals:
    // The waiting texts were dropped: the film jumped, paused, stopped or changed.
    void queueEmptied();
    // The window was dragged to `percent` of the room above the picture's bottom.
    void dragged(double percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    SubtitleStyle style() const;
    SubtitleStage stage() const;
    int kind() const;
    bool semiBoxActive() const;
    void leaveFullScreen();
    void followPanel();
    // Lays out, shapes and shows `text` (nothing is decided about its time here).
    void drawText(const QString &text);

    IQText m_iq;
    SubtitleComposition m_shown;
    QString m_text;
    int m_shownKind = SubtitleStyle::Transparent;
    bool m_textShown = false;
    bool m_timed = false;
    bool m_translucent = false;
    int m_grabY = 0;
    QPropertyNotifier m_playState;
};
