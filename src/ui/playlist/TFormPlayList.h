#pragma once

#include "ui/app/PlayerWindow.h"

class QTableWidget;
class TZDButton;

// The list of files played in order, at random or in a loop.
class TFormPlayList : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormPlayList(Player &app);

    // Several files chosen at once become the whole list (the first is opened by the caller).
    void replaceWith(const QStringList &files);

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
};
