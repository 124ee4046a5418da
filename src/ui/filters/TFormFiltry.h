#pragma once

#include "ui/app/PlayerWindow.h"

class QListWidget;
class TZDButton;

// Filters of the current graph, their property pages, and the extra filters to use.
class TFormFiltry : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TFormFiltry(Player &app);

    QListWidget *ListFiltr = nullptr;
    TZDButton *BProperties = nullptr;
    TZDButton *BAllFiltry = nullptr;

    static constexpr int CollapsedWidth = 231;
    static constexpr int ExpandedWidth = 466;
};
