#pragma once

#include "core/MediaSearchTask.h"
#include "ui/app/PlayerWindow.h"

#include <QProperty>
#include <QRandomGenerator>

class PlaylistModel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStackedLayout;
class QTableView;
class TZDButton;

// The list of files played in order, at random or in a loop, its files, and the disk search
// that fills it. Other windows reach it through its named operations: AddMovie, the clear,
// the row access and its buttons' clicks.
class TFormPlayList : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormPlayList(Player &app);
    ~TFormPlayList() override;

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

    // --- named operations ------------------------------------------------------------
    // Appends one entry (the empty first row is filled first). Texts given by
    // setPendingTexts() fill its time and resolution.
    void AddMovie(const QString &path);
    void setPendingTexts(const QString &time, const QString &resolution);
    // Several files chosen at once become the whole list (the first is opened by the caller).
    void replaceWith(const QStringList &files);
    // The repeat switch as the settings restore it.
    void RestoreRepeat(bool on);
    // Entries in the list, and one entry's cell (rows 1..entryCount(), columns 0..6).
    int entryCount() const;
    QString cell(int row, int column) const;
    // The selected entry (1-based; 1 when nothing was chosen yet), and choosing one.
    int selectedRow() const;
    void selectRow(int row);
    // Clears the list and reads a playlist file into it (the open button and the start-up).
    void ReadPlayList(const QString &fileName);
    // Searches `folder` from scratch, shows the list and plays the first file found
    // (the command-line word "MENU").
    void SearchAndPlay(const QString &folder);

    // --- handlers ----------------------------------------------------------------------
    void BClearClick();
    void BAddClick();
    void BDelClick();
    void BPlayClick();
    void BStopClick();
    void BPauseClick();
    void BNextClick();
    void BPrevClick();
    void BSaveClick();
    void BOpenClick();
    void ZDButton1Click();
    void PlayListAdvClick();
    void BRNDClick();
    void PlayListDblClick();
    // A press on a heading sorts by it; any press renumbers the entries.
    void PlayListMouseDown(int headingColumn);
    void PlayListRowMoved(int from, int to);
    void DropFiles(const QStringList &paths);
    void BFindClick();
    void BFindStartClick();
    void BFindStopClick();

    // The playlist dialogs' folder and current list file (stored between runs).
    QString DirPlayList;
    QString FilePlayList;

    PlaylistModel *model() const { return m_model; }

    QTableView *PlayList = nullptr;
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

    // The search panel.
    QFrame *SpeedBar2 = nullptr;
    QLineEdit *FindDir = nullptr;
    TZDButton *FindDirBrowse = nullptr;
    QLabel *LFinded = nullptr;
    QSpinBox *FindMinSize = nullptr;
    QSpinBox *FindMaxSize = nullptr;
    QCheckBox *FindVideo = nullptr;
    QCheckBox *FindAudio = nullptr;
    QCheckBox *FindDAT = nullptr;
    QCheckBox *FindSubfolders = nullptr;
    TZDButton *BFindStart = nullptr;
    TZDButton *BFindStop = nullptr;

signals:
    // A search has ended (run to its end or stopped) and its last files are in the list.
    void searchFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildButtonBar();
    void buildSearchPanel();
    void connectControls();
    // Enables what a list with entries allows, after entries came in.
    void entriesAdded();
    // BNext and BPrev here and on the control panel.
    void enableSteps(bool on);
    void playRow(int row);
    void fillPlayedEntry(const QString &path);
    void searchBatch(const QList<MediaSearchTask::Found> &batch);
    void searchEnded();
    bool withinSearchLimits(double sizeMiB) const;
    bool searchPanelShown() const;
    void showFoundCount();

    QPropertyNotifier m_playState;
    PlaylistModel *m_model = nullptr;
    QStackedLayout *m_findPlace = nullptr; // the folder box, or the count while searching
    MediaSearchTask *m_search = nullptr;
    QRandomGenerator m_random;
    QString m_pendingTime;
    QString m_pendingResolution;
    int m_pressRow = -1;
    QPoint m_pressAt;
    bool m_playWhenFound = false;
};
