#pragma once

#include "platform/Associations.h"

#include <QWidget>

class Dialogs;
class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;
class TZDButton;

// The "Formaty Plików/Inne" page of the preferences window: which file extensions, and
// which icon, the player registers with the desktop. The selection and added items live
// only as long as the program runs.
class PageAssociations : public QWidget
{
    Q_OBJECT
public:
    explicit PageAssociations(Dialogs &dialogs, QWidget *parent = nullptr);

    static QString tabTitle();
    // The built-in extensions in list order.
    static QStringList builtInExtensions();

    void selectAll();
    // Registers the selected extensions; a failure that stops the registration is shown as
    // an error message. Also what the first-run question runs.
    bool registerSelected();
    const AssociationResult &lastResult() const { return m_lastResult; }

    QListWidget *ListRoz = nullptr;
    QLineEdit *NewRoz = nullptr;
    TZDButton *ButtonRozAdd = nullptr;
    TZDButton *ButtonRozAll = nullptr;
    TZDButton *ButtonRozNic = nullptr;
    TZDButton *ButtonRozAddSel = nullptr;
    QSlider *SliderIcon = nullptr;
    QLabel *ImageIcon = nullptr;

public slots:
    void ButtonRozAllClick();
    void ButtonRozNicClick();
    void ButtonRozAddClick();
    void ButtonRozAddSelClick();
    void SliderIconChange();

private:
    void upperCaseNewRoz();

    Dialogs &m_dialogs;
    AssociationResult m_lastResult;
};
