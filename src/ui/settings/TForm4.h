#pragma once

#include "ui/app/PlayerWindow.h"

class QCheckBox;
class QLabel;
class QTabWidget;

// Preferences: the editor of every setting and, while the program runs, the settings
// themselves. Created last, because loading applies the settings to all other windows.
class TForm4 : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TForm4(Player &app);

    // The values the control panel writes when it closes (recent files, volume, resume
    // point ...). The settings store is not there yet, so nothing is written.
    void writeRunValues();

    QTabWidget *PageControl = nullptr;
    QWidget *SetupInfo = nullptr;
    QLabel *LabelAbout = nullptr;
    QCheckBox *StopAfterMin = nullptr;
};
