#pragma once

#include "core/FilterCatalog.h"
#include "engine/MediaEngine.h"
#include "ui/app/PlayerWindow.h"
#include "ui/filters/FilterPropertyPage.h"

#include <QPointer>

class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class TZDButton;

// Filters of the current graph and their property pages; widened, the elements the media
// framework offers in five lists, from which one extra filter (a picture filter or an audio
// effect) and the audio output are chosen for every graph built after it.
class TFormFiltry : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormFiltry(Player &app);

    // What every new graph gets besides its own elements (empty = none, the default output).
    MediaEngine::Preset chosenVideoFilter() const;
    MediaEngine::Preset chosenAudioFilter() const;
    // The chosen output's key; a saved output bound at start is looked up by its name here,
    // and one that is not there any more gives the default output.
    QString chosenAudioOutput();
    // "Always use this audio output" as the settings restore it: when ticked, the output
    // saved as FilterAudioOut is used from the first film on.
    void RestoreAlwaysUseOutput(bool on);
    // The graph just built had to leave these chosen elements out: they are chosen no more,
    // and the user is told which.
    void FilterDropped(const QStringList &keys);

    void BAllFiltryClick();
    void FiltryShow();
    void BPropertiesClick();
    void BAddFiltrClick() { addFilter(FilterCatalog::VideoFilters); }
    void BAudioEffectsClick() { addFilter(FilterCatalog::AudioEffects); }
    void ButtonPropFiltersClick() { showListedProperties(FilterCatalog::VideoFilters); }
    void ButtonPropAudioEffectsClick() { showListedProperties(FilterCatalog::AudioEffects); }
    void ListAudioOutClickCheck(int row);
    // The page of an element of the running graph, by name; changes apply to it at once.
    void ShowPropertyPage(const QString &filterName);
    // The page shown last, while it is open.
    FilterPropertyPage *propertyPage() const { return m_page; }
    bool listsFilled() const { return m_filled; }

    QListWidget *ListFiltr = nullptr;
    TZDButton *BProperties = nullptr;
    TZDButton *BAllFiltry = nullptr;
    QTabWidget *PageFilters = nullptr;
    QListWidget *ListAudio = nullptr;
    QListWidget *ListVideo = nullptr;
    QListWidget *ListDirectShow = nullptr;
    QListWidget *ListAudioEffects = nullptr;
    QListWidget *ListAudioOut = nullptr;
    // "Always use this audio output", and the output's name.
    QCheckBox *AudioOutFilter = nullptr;
    QString FilterAudioOut;
    TZDButton *BAddFiltr = nullptr;
    TZDButton *ButtonPropFilters = nullptr;
    TZDButton *BAudioEffects = nullptr;
    TZDButton *ButtonPropAudioEffects = nullptr;

    static constexpr int CollapsedWidth = 231;
    static constexpr int ExpandedWidth = 466;

private:
    struct Choice
    {
        int list = -1;
        QString name;
        MediaEngine::Preset preset;
    };

    QWidget *makePage(const char *name, const QString &caption, QListWidget **list);
    QListWidget *listWidget(int list) const;
    void addFilter(int list);
    void showListedProperties(int list);
    void showPage(FilterPropertyPage *page);
    void onItemChanged(int list, QListWidgetItem *item);
    void showTicks();
    MediaEngine &engine() const;

    bool m_filled = false;
    bool m_showingTicks = false;
    FilterCatalog::Lists m_lists;
    FilterCatalog::Ticks m_ticks;
    Choice m_filter;
    bool m_outputBound = false;
    QString m_outputKey;
    QPointer<FilterPropertyPage> m_page;
};
