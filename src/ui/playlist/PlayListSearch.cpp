// The search panel of the playlist: finds media files under a folder and appends them.
#include "ui/playlist/TFormPlayList.h"

#include "core/PlaylistModel.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/settings/PageAssociations.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTableView>

void TFormPlayList::buildSearchPanel()
{
    SpeedBar2 = new QFrame(this);
    SpeedBar2->setObjectName("SpeedBar2");
    SpeedBar2->setFrameShape(QFrame::StyledPanel);
    SpeedBar2->setFixedHeight(72);
    SpeedBar2->hide();
    auto *grid = new QGridLayout(SpeedBar2);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(1);

    // The folder box and, in its place while a search runs, the count found so far.
    auto *place = new QWidget(SpeedBar2);
    auto *stack = new QStackedLayout(place);
    auto *folderRow = new QWidget(place);
    auto *folderLayout = new QHBoxLayout(folderRow);
    folderLayout->setContentsMargins(0, 0, 0, 0);
    folderLayout->setSpacing(1);
    FindDir = new QLineEdit(QDir::homePath(), folderRow);
    FindDir->setObjectName("FindDir");
    FindDirBrowse = TZDButton::captioned(folderRow, "FindDirBrowse", QStringLiteral("..."));
    FindDirBrowse->setFixedSize(22, 20);
    folderLayout->addWidget(FindDir, 1);
    folderLayout->addWidget(FindDirBrowse);
    LFinded = new QLabel(place);
    LFinded->setObjectName("LFinded");
    stack->addWidget(folderRow);
    stack->addWidget(LFinded);
    m_findPlace = stack;
    grid->addWidget(place, 0, 0, 1, 4);

    auto sizeBox = [this](const char *name, int value) {
        auto *box = new QSpinBox(SpeedBar2);
        box->setObjectName(name);
        box->setRange(0, 999999);
        box->setValue(value);
        return box;
    };
    grid->addWidget(new QLabel(QStringLiteral("Min size:"), SpeedBar2), 1, 0);
    FindMinSize = sizeBox("FindMinSize", 0);
    grid->addWidget(FindMinSize, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Max size:"), SpeedBar2), 1, 2);
    FindMaxSize = sizeBox("FindMaxSize", 9999);
    grid->addWidget(FindMaxSize, 1, 3);

    auto check = [this](const char *name, const QString &caption, bool on) {
        auto *box = new QCheckBox(caption, SpeedBar2);
        box->setObjectName(name);
        box->setChecked(on);
        return box;
    };
    auto *checks = new QHBoxLayout;
    FindVideo = check("FindVideo", QStringLiteral("Video"), true);
    FindAudio = check("FindAudio", QStringLiteral("Audio"), true);
    FindDAT = check("FindDAT", QStringLiteral("DAT file"), false);
    FindSubfolders = check("FindSubfolders", QStringLiteral("Podkatalogi"), true);
    for (QCheckBox *box : {FindVideo, FindAudio, FindDAT, FindSubfolders})
        checks->addWidget(box);
    grid->addLayout(checks, 2, 0, 1, 4);

    BFindStart = TZDButton::captioned(SpeedBar2, "BFindStart", QStringLiteral("Szukaj"));
    BFindStop = TZDButton::captioned(SpeedBar2, "BFindStop", QStringLiteral("STOP"));
    BFindStop->setToolTip(QStringLiteral("Zatrzymaj szukanie\n(schowaj ten panel)"));
    grid->addWidget(BFindStart, 0, 4);
    grid->addWidget(BFindStop, 1, 4);

    connect(BFindStart, &TZDButton::clicked, this, &TFormPlayList::BFindStartClick);
    connect(BFindStop, &TZDButton::clicked, this, &TFormPlayList::BFindStopClick);
    connect(FindDirBrowse, &TZDButton::clicked, this, [this] {
        app.dialogOpen = true;
        const QString folder = app.dialogs().chooseFolder(this, QStringLiteral("Wybierz Katalog (początek szukania)"),
                                                          FindDir->text());
        if (!folder.isEmpty())
            FindDir->setText(folder);
        app.dialogOpen = false;
    });
    connect(m_search, &MediaSearchTask::found, this, &TFormPlayList::searchBatch);
    connect(m_search, &MediaSearchTask::finished, this, &TFormPlayList::searchEnded);
}

bool TFormPlayList::withinSearchLimits(double sizeMiB) const
{
    return sizeMiB >= FindMinSize->value() && sizeMiB <= FindMaxSize->value();
}

void TFormPlayList::showFoundCount()
{
    LFinded->setText(QString::number(m_model->entryCount()) + QStringLiteral(" files"));
}

void TFormPlayList::BFindClick()
{
    BFindStop->setTag(0);
    SpeedBar2->setVisible(SpeedBar2->isHidden());
    if (SpeedBar2->isHidden()) {
        BFindStop->setTag(1);
        m_search->stop();
    }
}

void TFormPlayList::BFindStartClick()
{
    if (m_search->running())
        return;
    m_findPlace->setCurrentWidget(LFinded);
    showFoundCount();
    BFindStart->setEnabled(false);
    PlayList->setEnabled(false);

    MediaSearch::Options options;
    const QListWidget *list = app.form4()->Associations->ListRoz;
    for (int i = 0; i < list->count(); ++i)
        options.extensions << list->item(i)->text();
    options.video = FindVideo->isChecked();
    options.audio = FindAudio->isChecked();
    options.dat = FindDAT->isChecked();
    options.subfolders = FindSubfolders->isChecked();
    // A stop asked for before the start (the panel hidden) finds nothing.
    const QString folder = BFindStop->tag() == 1 ? QString() : FindDir->text();
    m_search->start(folder, options, app.messages().text(15));
}

void TFormPlayList::searchBatch(const QList<MediaSearchTask::Found> &batch)
{
    // The limits hold for the whole search, even once "STOP" has hidden the panel.
    QList<PlaylistEntry::Row> rows;
    rows.reserve(batch.size());
    for (const MediaSearchTask::Found &found : batch)
        if (!found.sizeMiB || withinSearchLimits(*found.sizeMiB))
            rows.append(found.row);
    m_model->appendAll(rows);
    entriesAdded();
    showFoundCount();
}

void TFormPlayList::searchEnded()
{
    BFindStopClick();
    BFindStart->setEnabled(true);
    PlayList->setEnabled(true);
    if (m_playWhenFound) {
        m_playWhenFound = false;
        selectRow(1);
        BPlayClick();
    }
    emit searchFinished();
}

void TFormPlayList::BFindStopClick()
{
    BFindStop->setTag(1);
    m_search->stop();
    SpeedBar2->hide();
    m_findPlace->setCurrentIndex(0);
}

void TFormPlayList::SearchAndPlay(const QString &folder)
{
    BClearClick();
    FindDir->setText(folder);
    show();
    SpeedBar2->show();
    BFindStop->setTag(0);
    m_playWhenFound = true;
    BFindStartClick();
}
