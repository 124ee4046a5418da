#pragma once

#include "ui/app/Dialogs.h"

#include <QList>

// Answers every dialog from a script and records what was asked.
class FakeDialogs : public Dialogs
{
public:
    struct Asked
    {
        QString kind; // "message", "open", "save"
        QString title;
        QString text;
    };

    QList<Asked> asked;
    QMessageBox::StandardButton nextButton = QMessageBox::Ok;
    QStringList nextFiles;
    QString nextSaveFile;

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &title,
                                        const QString &text,
                                        QMessageBox::StandardButtons) override
    {
        asked << Asked{"message", title, text};
        return nextButton;
    }
    QStringList openFiles(QWidget *, const QString &title, const QString &, const QStringList &,
                          bool) override
    {
        asked << Asked{"open", title, {}};
        return nextFiles;
    }
    QString saveFile(QWidget *, const QString &title, const QString &, const QString &,
                     const QStringList &, const QString &) override
    {
        asked << Asked{"save", title, {}};
        return nextSaveFile;
    }
};
