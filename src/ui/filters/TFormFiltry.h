#pragma once

#include "ui/app/PlayerWindow.h"

class QCheckBox;
class QListWidget;
class TZDButton;

// Filters of the current graph, their property pages, and the extra filters to use.
class TFormFiltry : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormFiltry(Player &app);

    // What every new graph gets besides its own elements (element factory names; empty =
    // none): the extra picture filter, the audio effect, and the audio output when
    // "always use" is ticked.
    QString chosenVideoFilter() const { return ChosenVideoFilter; }
    QString chosenAudioFilter() const { return ChosenAudioFilter; }
    QString chosenAudioOutput() const;
    // "Always use this audio output" as the settings restore it.
    void RestoreAlwaysUseOutput(bool on);
    QString ChosenVideoFilter, ChosenAudioFilter;

    QListWidget *ListFiltr = nullptr;
    // "Always use this audio output", and the output's name (chosen on the expanded side).
    QCheckBox *AudioOutFilter = nullptr;
    QString FilterAudioOut;
    TZDButton *BProperties = nullptr;
    TZDButton *BAllFiltry = nullptr;

    static constexpr int CollapsedWidth = 231;
    static constexpr int ExpandedWidth = 466;
};
