#pragma once

#include "ui/app/PlayerWindow.h"

#include <QProperty>

class QTableWidget;
class TZDButton;

// The list of files played in order, at random or in a loop.
class TFormPlayList : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormPlayList(Player &app);

    // An audio disc's tracks replace the list (an empty list just clears it); the transport
    // buttons are enabled. PlayListDisc.cpp.
    struct DiscTrack
    {
        QString name;     // "Track01", or the title the disc gives it
        QString length;   // "mm:ss"
        QString path;     // drive + "/Track01.cda"
    };
    void ShowDiscTracks(const QList<DiscTrack> &tracks);
    // True when the list starts with this track (the disc's first), i.e. lists that disc.
    bool ShowsDisc(const QString &firstTrackPath) const;

    // Several files chosen at once become the whole list (the first is opened by the caller).
    void replaceWith(const QStringList &files);
    // The repeat switch as the settings restore it.
    void RestoreRepeat(bool on);

    // The playlist dialogs' folder and current list file (stored between runs).
    QString DirPlayList;
    QString FilePlayList;

    QTableWidget *PlayList = nullptr;
    TZDButton *BPlay = nullptr;
    TZDButton *BPause = nullptr;
    TZDButton *BStop = nullptr;
    TZDButton *BNext = nullptr;
    TZDButton *BPrev = nullptr;
    TZDButton *BRepeat = nullptr;
    TZDButton *BAdd = nullptr;
    TZDButton *BDel = nullptr;
    TZDButton *BClear = nullptr;
    TZDButton *BFind = nullptr;
    TZDButton *BOpen = nullptr;
    TZDButton *BSave = nullptr;
    TZDButton *PlayListAdv = nullptr;
    TZDButton *BRND = nullptr;
    TZDButton *ZDButton1 = nullptr;

private:
    QPropertyNotifier m_playState;
};
