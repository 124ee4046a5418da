#pragma once

#include "ui/app/Dialogs.h"

#include <QList>
#include <optional>

// Answers every dialog from a script and records what was asked.
class FakeDialogs : public Dialogs
{
public:
    struct Asked
    {
        QString kind; // "message", "open", "save"
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = {};
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    QList<Asked> asked;
    QMessageBox::StandardButton nextButton = QMessageBox::Ok;
    QStringList nextFiles;
    QString nextSaveFile;
    QString nextFolder;
    std::optional<QFont> nextFont;   // empty: cancel
    std::optional<QColor> nextColor; // empty: cancel

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &title,
                                        const QString &text,
                                        QMessageBox::StandardButtons buttons) override
    {
        asked << Asked{"message", title, text, buttons, icon};
        return nextButton;
    }
    QStringList openFiles(QWidget *, const QString &title, const QString &, const QStringList &,
                          bool) override
    {
        asked << Asked{"open", title, {}};
        return nextFiles;
    }
    QString saveFile(QWidget *, const QString &title, const QString &, const QString &fileName,
                     const QStringList &, const QString &) override
    {
        asked << Asked{"save", title, fileName};
        return nextSaveFile;
    }
    QString chooseFolder(QWidget *, const QString &title, const QString &) override
    {
        asked << Asked{"folder", title, {}};
        return nextFolder;
    }
    bool chooseFont(QWidget *, QFont *font) override
    {
        asked << Asked{"font", {}, {}};
        if (!nextFont)
            return false;
        *font = *nextFont;
        return true;
    }
    bool chooseColor(QWidget *, QColor *color) override
    {
        asked << Asked{"color", {}, {}};
        if (!nextColor)
            return false;
        *color = *nextColor;
        return true;
    }
};
