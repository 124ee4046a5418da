#include "ui/app/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

QMessageBox::StandardButton QtDialogs::message(QWidget *parent, QMessageBox::Icon icon,
                                               const QString &title, const QString &text,
                                               QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

static void prepare(QFileDialog &dialog, const QString &title, const QString &directory,
                    const QStringList &filters)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(title);
    if (!directory.isEmpty())
        dialog.setDirectory(directory);
    dialog.setNameFilters(filters);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
}

QStringList QtDialogs::openFiles(QWidget *parent, const QString &title, const QString &directory,
                                 const QStringList &filters, bool multiSelect)
{
    QFileDialog dialog(parent);
    prepare(dialog, title, directory, filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtDialogs::saveFile(QWidget *parent, const QString &title, const QString &directory,
                            const QString &fileName, const QStringList &filters,
                            const QString &defaultSuffix)
{
    QFileDialog dialog(parent);
    prepare(dialog, title, directory, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

QString QtDialogs::chooseFolder(QWidget *parent, const QString &title, const QString &directory)
{
    QFileDialog dialog(parent);
    prepare(dialog, title, directory, {});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList folders = dialog.selectedFiles();
    return folders.isEmpty() ? QString() : folders.first();
}

bool QtDialogs::chooseFont(QWidget *parent, QFont *font)
{
    QFontDialog dialog(*font, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *font = dialog.selectedFont();
    return true;
}

bool QtDialogs::chooseColor(QWidget *parent, QColor *color)
{
    QColorDialog dialog(*color, parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *color = dialog.selectedColor();
    return true;
}
