#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Every modal question, message and file choice goes through here, so that tests answer
// them without a person and the windows never build dialogs themselves.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                                const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons
                                                = QMessageBox::Ok) = 0;

    // Empty list: cancelled.
    virtual QStringList openFiles(QWidget *parent, const QString &title, const QString &directory,
                                  const QStringList &filters, bool multiSelect) = 0;
    // Empty string: cancelled.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &directory,
                             const QString &fileName, const QStringList &filters,
                             const QString &defaultSuffix) = 0;
    // A folder; empty string: cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &directory) = 0;
    // False when cancelled; the value is changed only on OK.
    virtual bool chooseFont(QWidget *parent, QFont *font) = 0;
    virtual bool chooseColor(QWidget *parent, QColor *color) = 0;
};

// The real dialogs: non-native Qt dialogs, so they look alike on every desktop and the
// control socket can read and answer them.
class QtDialogs : public Dialogs
{
public:
    QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                        const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    QStringList openFiles(QWidget *parent, const QString &title, const QString &directory,
                          const QStringList &filters, bool multiSelect) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &directory,
                     const QString &fileName, const QStringList &filters,
                     const QString &defaultSuffix) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &directory) override;
    bool chooseFont(QWidget *parent, QFont *font) override;
    bool chooseColor(QWidget *parent, QColor *color) override;
};
