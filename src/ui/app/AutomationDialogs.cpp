#include "ui/app/AutomationDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

using AutomationControls::withoutMnemonic;

namespace AutomationDialogs {

namespace {

QList<QAbstractButton *> dialogButtons(QWidget *dialog)
{
    QList<QAbstractButton *> buttons;
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        buttons = box->buttons();
    } else {
        for (QDialogButtonBox *bb : dialog->findChildren<QDialogButtonBox *>())
            buttons << bb->buttons();
        if (buttons.isEmpty()) {
            for (QPushButton *b : dialog->findChildren<QPushButton *>())
                buttons << b;
        }
    }
    QList<QAbstractButton *> shown;
    for (QAbstractButton *b : buttons) {
        if (b->isVisibleTo(dialog))
            shown << b;
    }
    return shown;
}

// The button Escape presses in a message box, found as the box itself finds it.
QAbstractButton *escapeButton(QMessageBox *box)
{
    if (box->escapeButton())
        return box->escapeButton();
    const QList<QAbstractButton *> buttons = box->buttons();
    if (buttons.size() == 1)
        return buttons.first();
    for (const QMessageBox::ButtonRole role : {QMessageBox::RejectRole, QMessageBox::NoRole}) {
        QAbstractButton *found = nullptr;
        int count = 0;
        for (QAbstractButton *b : buttons) {
            if (box->buttonRole(b) == role) {
                found = b;
                ++count;
            }
        }
        if (count == 1)
            return found;
    }
    return nullptr;
}

QString dialogText(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        return box->text();
    if (auto *input = qobject_cast<QInputDialog *>(dialog))
        return input->labelText();
    QStringList texts;
    for (const QLabel *l : dialog->findChildren<QLabel *>()) {
        if (l->isVisibleTo(dialog) && !l->text().isEmpty())
            texts << l->text();
    }
    return texts.join(QLatin1Char('\n'));
}

QString fileModeName(QFileDialog::FileMode mode)
{
    switch (mode) {
    case QFileDialog::AnyFile: return QStringLiteral("anyFile");
    case QFileDialog::ExistingFile: return QStringLiteral("existingFile");
    case QFileDialog::Directory: return QStringLiteral("directory");
    case QFileDialog::ExistingFiles: return QStringLiteral("existingFiles");
    }
    return QString();
}

void describeFileDialog(QJsonObject &d, const QFileDialog *fd)
{
    d.insert("kind", fd->acceptMode() == QFileDialog::AcceptSave ? "save" : "open");
    d.insert("fileMode", fileModeName(fd->fileMode()));
    d.insert("directory", fd->directory().absolutePath());
    const auto *edit = fd->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    d.insert("fileName", edit ? edit->text() : QString());
    d.insert("filters", QJsonArray::fromStringList(fd->nameFilters()));
    d.insert("selectedFilter", fd->selectedNameFilter());
}

QString quoted(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

QJsonValue describeModal()
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog)
        return QJsonValue::Null;
    QJsonObject d;
    d.insert("class", QLatin1String(dialog->metaObject()->className()));
    d.insert("name", dialog->objectName());
    d.insert("title", dialog->windowTitle());
    d.insert("text", dialogText(dialog));
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        if (!box->informativeText().isEmpty())
            d.insert("informativeText", box->informativeText());
        if (!box->detailedText().isEmpty())
            d.insert("detailedText", box->detailedText());
    }
    if (auto *input = qobject_cast<QInputDialog *>(dialog))
        d.insert("value", input->textValue());
    QJsonArray buttons;
    for (const QAbstractButton *b : dialogButtons(dialog))
        buttons.append(withoutMnemonic(b->text()));
    d.insert("buttons", buttons);
    if (auto *fd = qobject_cast<QFileDialog *>(dialog))
        describeFileDialog(d, fd);
    return d;
}

AutomationOutcome pressButton(const QString &text)
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog)
        return AutomationOutcome::fail(QStringLiteral("no dialog is open"));
    const QList<QAbstractButton *> buttons = dialogButtons(dialog);
    QStringList offered;
    for (QAbstractButton *b : buttons) {
        const QString plain = withoutMnemonic(b->text());
        offered << plain;
        if (b->text() != text && plain.compare(text, Qt::CaseInsensitive) != 0)
            continue;
        if (!b->isEnabled())
            return AutomationOutcome::fail(QStringLiteral("button \"%1\" is disabled").arg(plain));
        QMetaObject::invokeMethod(b, [b] { b->click(); }, Qt::QueuedConnection);
        return AutomationOutcome::done();
    }
    return AutomationOutcome::fail(QStringLiteral("the dialog has no button \"%1\" (it has: %2)")
                                       .arg(text, offered.join(QStringLiteral(", "))));
}

AutomationOutcome acceptFiles(const QStringList &paths)
{
    auto *fd = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    if (!fd)
        return AutomationOutcome::fail(QStringLiteral("no file dialog is open"));
    if (paths.size() > 1 && fd->fileMode() != QFileDialog::ExistingFiles)
        return AutomationOutcome::fail(QStringLiteral("this file dialog takes one file"));
    auto *edit = fd->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!edit)
        return AutomationOutcome::fail(QStringLiteral("the file dialog has no file name field"));

    // Relative names are typed relative to the folder the dialog shows, as a user's are.
    const QDir base = fd->directory();
    QStringList absolute;
    for (const QString &p : paths)
        absolute << QDir::cleanPath(base.absoluteFilePath(p));

    // Typing replaces whatever was picked in the views, so nothing stale rides along.
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(fd->findChild<QListView *>(QStringLiteral("listView"))),
                                    static_cast<QAbstractItemView *>(fd->findChild<QTreeView *>(QStringLiteral("treeView")))}) {
        if (view && view->selectionModel())
            view->selectionModel()->clear();
    }
    fd->setDirectory(QFileInfo(absolute.first()).absolutePath());
    if (absolute.size() == 1) {
        edit->setText(QFileInfo(absolute.first()).fileName());
    } else {
        QStringList names;
        for (const QString &p : absolute)
            names << quoted(p);
        edit->setText(names.join(QLatin1Char(' ')));
    }
    // accept() checks the names as the dialog's own button does (it may warn about a
    // missing file or ask before overwriting: that box is the next dialog to answer).
    QMetaObject::invokeMethod(fd, "accept", Qt::QueuedConnection);
    return AutomationOutcome::done({{"paths", QJsonArray::fromStringList(absolute)}});
}

AutomationOutcome cancel()
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog)
        return AutomationOutcome::fail(QStringLiteral("no dialog is open"));
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        QAbstractButton *b = escapeButton(box);
        if (!b)
            return AutomationOutcome::fail(
                QStringLiteral("this message box cannot be cancelled; answer with one of its buttons"));
        QMetaObject::invokeMethod(b, [b] { b->click(); }, Qt::QueuedConnection);
    } else if (auto *d = qobject_cast<QDialog *>(dialog)) {
        QMetaObject::invokeMethod(d, [d] { d->reject(); }, Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(dialog, [dialog] { dialog->close(); }, Qt::QueuedConnection);
    }
    return AutomationOutcome::done();
}

} // namespace AutomationDialogs
