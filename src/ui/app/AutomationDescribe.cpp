// Finding windows and controls by name and reading what they hold.

#include "ui/app/AutomationControls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>

namespace AutomationControls {

namespace {

// Custom controls (the skinned button and whatever else draws itself) are read through these
// names: a property of that name, else an invokable getter.
struct CustomField
{
    const char *key;
    const char *property;
    const char *getter;
};

constexpr CustomField CustomFields[] = {
    {"caption", "Caption", "caption()"}, {"down", "Down", "isDown()"},
    {"checked", "Checked", "isChecked()"}, {"value", "Position", "position()"},
    {"minimum", "Min", "minimum()"},     {"maximum", "Max", "maximum()"},
};

void collectMenuActions(const QList<QAction *> &actions, QList<QAction *> &out, int depth)
{
    if (depth > 16) // menus that contain themselves
        return;
    for (QAction *a : actions) {
        out << a;
        if (QMenu *sub = a->menu())
            collectMenuActions(sub->actions(), out, depth + 1);
    }
}

// Actions reachable from the window's menus, whoever owns them.
QList<QAction *> menuActions(QWidget *window)
{
    QList<QAction *> out;
    collectMenuActions(window->actions(), out, 0);
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (qobject_cast<QMenu *>(w) || qobject_cast<QMenuBar *>(w))
            collectMenuActions(w->actions(), out, 0);
    }
    return out;
}

QJsonArray actionTexts(const QList<QAction *> &actions)
{
    QJsonArray items;
    for (const QAction *a : actions)
        items.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

// Visible as the window's designer meant it: not hidden itself nor inside a hidden parent,
// whether or not the window is on screen now.
bool visibleInWindow(const QWidget *w)
{
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return false;
    }
    return true;
}

void putGeometry(QJsonObject &d, const QRect &r)
{
    d.insert("x", r.x());
    d.insert("y", r.y());
    d.insert("width", r.width());
    d.insert("height", r.height());
}

void putRange(QJsonObject &d, int value, int minimum, int maximum)
{
    d.insert("value", value);
    d.insert("minimum", minimum);
    d.insert("maximum", maximum);
}

void putCaption(QJsonObject &d, const QString &text)
{
    d.insert("caption", text);
    d.insert("text", text);
}

void describeItemView(QJsonObject &d, const QAbstractItemView *view)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QModelIndex root = view->rootIndex();
    const int rows = model->rowCount(root);
    const int columns = model->columnCount(root);
    const QModelIndex current = view->currentIndex();
    d.insert("index", current.isValid() ? current.row() : -1);

    if (qobject_cast<const QTableView *>(view)) {
        QJsonArray cells;
        for (int r = 0; r < rows; ++r) {
            QJsonArray row;
            for (int c = 0; c < columns; ++c)
                row.append(model->index(r, c, root).data().toString());
            cells.append(row);
        }
        QJsonArray headers;
        for (int c = 0; c < columns; ++c)
            headers.append(model->headerData(c, Qt::Horizontal).toString());
        d.insert("cells", cells);
        d.insert("columns", headers);
        d.insert("rowCount", rows);
        d.insert("columnCount", columns);
        d.insert("column", current.isValid() ? current.column() : -1);
    } else {
        const auto *list = qobject_cast<const QListView *>(view);
        const int column = list ? list->modelColumn() : 0;
        QJsonArray items;
        for (int r = 0; r < rows; ++r)
            items.append(model->index(r, column, root).data().toString());
        d.insert("items", items);
    }

    QList<int> selected;
    if (const QItemSelectionModel *sm = view->selectionModel()) {
        for (const QModelIndex &i : sm->selectedIndexes()) {
            if (!selected.contains(i.row()))
                selected << i.row();
        }
    }
    std::sort(selected.begin(), selected.end());
    QJsonArray sel;
    for (int r : selected)
        sel.append(r);
    d.insert("selected", sel);
}

// Qt's own widget classes; anything else is read through CustomFields.
bool describeQtWidget(QJsonObject &d, QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        putCaption(d, b->text());
        d.insert("checkable", b->isCheckable());
        d.insert("checked", b->isChecked());
        d.insert("down", b->isDown());
    } else if (auto *s = qobject_cast<QAbstractSlider *>(w)) {
        putRange(d, s->value(), s->minimum(), s->maximum());
    } else if (auto *sb = qobject_cast<QSpinBox *>(w)) {
        putRange(d, sb->value(), sb->minimum(), sb->maximum());
        d.insert("text", sb->text());
    } else if (auto *ds = qobject_cast<QDoubleSpinBox *>(w)) {
        d.insert("value", ds->value());
        d.insert("minimum", ds->minimum());
        d.insert("maximum", ds->maximum());
        d.insert("text", ds->text());
    } else if (auto *p = qobject_cast<QProgressBar *>(w)) {
        putRange(d, p->value(), p->minimum(), p->maximum());
        d.insert("text", p->text());
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        QJsonArray items;
        for (int i = 0; i < c->count(); ++i)
            items.append(c->itemText(i));
        d.insert("items", items);
        d.insert("index", c->currentIndex());
        d.insert("text", c->currentText());
        d.insert("editable", c->isEditable());
    } else if (auto *v = qobject_cast<QAbstractItemView *>(w)) {
        describeItemView(d, v);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        putCaption(d, l->text());
    } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
        d.insert("text", e->text());
        d.insert("readOnly", e->isReadOnly());
    } else if (auto *pt = qobject_cast<QPlainTextEdit *>(w)) {
        d.insert("text", pt->toPlainText());
        d.insert("readOnly", pt->isReadOnly());
    } else if (auto *te = qobject_cast<QTextEdit *>(w)) {
        d.insert("text", te->toPlainText());
        d.insert("readOnly", te->isReadOnly());
    } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
        putCaption(d, g->title());
        d.insert("checkable", g->isCheckable());
        d.insert("checked", g->isChecked());
    } else if (auto *t = qobject_cast<QTabWidget *>(w)) {
        QJsonArray items;
        for (int i = 0; i < t->count(); ++i)
            items.append(t->tabText(i));
        d.insert("items", items);
        d.insert("index", t->currentIndex());
    } else if (auto *m = qobject_cast<QMenu *>(w)) {
        putCaption(d, m->title());
        d.insert("items", actionTexts(m->actions()));
    } else if (auto *mb = qobject_cast<QMenuBar *>(w)) {
        d.insert("items", actionTexts(mb->actions()));
    } else {
        return false;
    }
    return true;
}

void describeCustom(QJsonObject &d, const QObject *o)
{
    for (const CustomField &f : CustomFields) {
        const QVariant v = readValue(o, f.property, f.getter);
        if (v.isValid())
            d.insert(QLatin1String(f.key), QJsonValue::fromVariant(v));
    }
    if (d.contains("caption"))
        d.insert("text", d.value("caption"));
}

} // namespace

QString withoutMnemonic(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                out += QLatin1Char('&');
            ++i;
            if (i < text.size() && text.at(i) != QLatin1Char('&'))
                out += text.at(i);
            continue;
        }
        out += text.at(i);
    }
    return out;
}

QVariant readValue(const QObject *object, const char *property, const char *getter)
{
    const QVariant byProperty = object->property(property);
    if (byProperty.isValid())
        return byProperty;
    const QMetaObject *mo = object->metaObject();
    const int index = mo->indexOfMethod(getter);
    if (index < 0)
        return {};
    const QMetaMethod method = mo->method(index);
    if (method.parameterCount() != 0 || method.returnMetaType().id() == QMetaType::Void)
        return {};
    QVariant result(method.returnMetaType(), nullptr);
    if (!method.invoke(const_cast<QObject *>(object), Qt::DirectConnection,
                       QGenericReturnArgument(method.typeName(), result.data())))
        return {};
    return result;
}

QWidget *findWindow(const QString &name)
{
    QWidget *byObjectName = nullptr;
    QWidget *byClass = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        const bool classMatches = QLatin1String(w->metaObject()->className()) == name;
        if (classMatches && w->objectName() == name)
            return w;
        if (classMatches && !byClass)
            byClass = w;
        if (!byObjectName && w->objectName() == name)
            byObjectName = w;
    }
    return byClass ? byClass : byObjectName;
}

QObject *findControl(QWidget *window, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    if (QObject *o = window->findChild<QObject *>(name))
        return o;
    for (QAction *a : menuActions(window)) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

QJsonObject describeWindow(const QWidget *window)
{
    QJsonObject d;
    d.insert("name", window->objectName());
    d.insert("class", QLatin1String(window->metaObject()->className()));
    d.insert("visible", window->isVisible());
    d.insert("enabled", window->isEnabled());
    putGeometry(d, window->frameGeometry());
    d.insert("clientWidth", window->width());
    d.insert("clientHeight", window->height());
    putCaption(d, window->windowTitle());
    d.insert("active", window->isActiveWindow());
    d.insert("minimized", window->isMinimized());
    d.insert("maximized", window->isMaximized());
    d.insert("fullScreen", window->isFullScreen());
    return d;
}

QJsonObject describe(QObject *control)
{
    QJsonObject d;
    d.insert("name", control->objectName());
    d.insert("class", QLatin1String(control->metaObject()->className()));

    if (auto *w = qobject_cast<QWidget *>(control)) {
        d.insert("visible", w->isWindow() ? w->isVisible() : visibleInWindow(w));
        d.insert("showing", w->isVisible());
        d.insert("enabled", w->isEnabled());
        d.insert("hint", w->toolTip());
        putGeometry(d, w->geometry());
        if (!describeQtWidget(d, w))
            describeCustom(d, w);
    } else if (auto *a = qobject_cast<QAction *>(control)) {
        putCaption(d, a->text());
        d.insert("visible", a->isVisible());
        d.insert("enabled", a->isEnabled());
        d.insert("checkable", a->isCheckable());
        d.insert("checked", a->isChecked());
        d.insert("separator", a->isSeparator());
        d.insert("shortcut", a->shortcut().toString());
        if (const QMenu *sub = a->menu())
            d.insert("items", actionTexts(sub->actions()));
    } else if (auto *t = qobject_cast<QTimer *>(control)) {
        d.insert("enabled", t->isActive());
        d.insert("interval", t->interval());
        d.insert("singleShot", t->isSingleShot());
    } else {
        describeCustom(d, control);
    }

    const QVariant tag = readValue(control, "Tag", "tag()");
    if (tag.isValid())
        d.insert("tag", QJsonValue::fromVariant(tag));
    return d;
}

} // namespace AutomationControls
