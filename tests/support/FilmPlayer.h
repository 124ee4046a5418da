#pragma once

#include "support/TestPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"

#include <QFile>
#include <QTemporaryDir>

// A started player on the fake engine whose films are empty files in a folder of its own:
// the engine reports the picture and length given here for whatever is opened.
struct FilmPlayer
{
    static constexpr qint64 Second = 10000000;

    TestPlayer t;
    QTemporaryDir dir;

    explicit FilmPlayer(QSize picture = QSize(320, 240), int seconds = 450)
    {
        t.engine->setVideoSize(picture);
        t.engine->setDuration(seconds * Second);
        t.engine->setDurationFrames(qint64(seconds) * 25);
        t->start({});
    }

    TForm1 *panel() const { return t->form1(); }
    QString osd() const { return t->formOSD()->text(); }

    // An empty file in the folder, by name; its full path.
    QString touch(const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile(path).open(QIODevice::WriteOnly);
        return path;
    }
    // Opens a file as the command line or a hand-over would (no dialog).
    void open(const QString &path)
    {
        panel()->OpenMovieFileName = path;
        panel()->OpenGivenFile = true;
        panel()->ButtonOpenClick();
    }
    void openFilm(const QString &name = QStringLiteral("film.avi")) { open(touch(name)); }
};
