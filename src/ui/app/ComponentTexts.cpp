// A window takes the captions and hints of a language file for its own controls.
#include "ui/app/PlayerWindow.h"

#include "core/LanguageFile.h"
#include "ui/skins/TZDButton.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

namespace {

// Language files break lines with CR LF; on screen a bare LF is the line break.
QString screenText(const QString &value)
{
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The tab widget whose page `w` is, and its index there.
std::pair<QTabWidget *, int> tabOf(QWidget *w)
{
    auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    const int index = tabs ? tabs->indexOf(w) : -1;
    return {index >= 0 ? tabs : nullptr, index};
}

// Applies one entry to a control of a kind that takes it; false for kinds that take none.
bool applyTo(QWidget *w, bool hint, const QString &text)
{
    if (auto *button = qobject_cast<TZDButton *>(w)) {
        hint ? button->setToolTip(text) : button->setCaption(text);
    } else if (auto [tabs, index] = tabOf(w); tabs) {
        hint ? tabs->setTabToolTip(index, text) : tabs->setTabText(index, text);
    } else if (qobject_cast<QAbstractSlider *>(w)) {
        if (hint)
            w->setToolTip(text);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        if (!hint)
            memo->setPlainText(text);
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        if (!hint)
            rich->setPlainText(text);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        hint ? label->setToolTip(text) : label->setText(text);
    } else if (auto *check = qobject_cast<QAbstractButton *>(w)) {
        hint ? check->setToolTip(text) : check->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
        hint ? group->setToolTip(text) : group->setTitle(text);
    } else if (w->metaObject() == &QWidget::staticMetaObject || w->metaObject() == &QFrame::staticMetaObject) {
        // A panel: a hint, but no caption of its own to show.
        if (hint)
            w->setToolTip(text);
    } else {
        return false;
    }
    return true;
}

} // namespace

void PlayerWindow::ApplyLanguage(const QList<LanguageFile::ComponentText> &entries)
{
    if (entries.isEmpty())
        return;
    // Names are matched without regard to case; the first control of a name that takes
    // texts wins, as the window's own components come before what its pages hold.
    QHash<QString, QList<QWidget *>> byName;
    for (QWidget *w : findChildren<QWidget *>())
        if (!w->objectName().isEmpty())
            byName[w->objectName().toLower()] << w;
    for (const LanguageFile::ComponentText &entry : entries) {
        const auto it = byName.constFind(entry.name.toLower());
        if (it == byName.constEnd())
            continue;
        const QString text = screenText(entry.value);
        for (QWidget *w : *it)
            if (applyTo(w, entry.hint, text))
                break;
    }
}
