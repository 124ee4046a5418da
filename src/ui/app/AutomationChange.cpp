// Changing and clicking controls the way a user's hand would, so their handlers run.

#include "ui/app/AutomationControls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>

#include <cmath>
#include <optional>

namespace AutomationControls {

namespace {

QString nameOf(const QObject *o)
{
    return QStringLiteral("'%1' (%2)").arg(o->objectName(), QLatin1String(o->metaObject()->className()));
}

AutomationOutcome wrongValue(const QObject *o, const char *wanted)
{
    return AutomationOutcome::fail(
        QStringLiteral("value for %1 must be %2").arg(nameOf(o), QLatin1String(wanted)));
}

std::optional<int> asInt(const QJsonValue &v)
{
    const double d = v.toDouble();
    if (!v.isDouble() || !std::isfinite(d) || std::floor(d) != d || std::fabs(d) > 2e9)
        return std::nullopt;
    return int(d);
}

AutomationOutcome changed(QObject *o)
{
    return AutomationOutcome::done(describe(o));
}

bool invokeSetter(QObject *o, const char *property, const char *setter, const QVariant &value)
{
    const QMetaObject *mo = o->metaObject();
    const int p = mo->indexOfProperty(property);
    if (p >= 0 && mo->property(p).isWritable())
        return o->setProperty(property, value);
    const int m = mo->indexOfMethod(setter);
    if (m < 0)
        return false;
    const QMetaMethod method = mo->method(m);
    QVariant arg = value;
    if (method.parameterCount() != 1 || !arg.convert(method.parameterMetaType(0)))
        return false;
    return method.invoke(o, Qt::DirectConnection, QGenericArgument(arg.typeName(), arg.constData()));
}

AutomationOutcome setTimer(QTimer *t, const QJsonValue &v)
{
    if (v.isBool()) {
        if (v.toBool())
            t->start();
        else
            t->stop();
        return changed(t);
    }
    if (const auto ms = asInt(v); ms && *ms >= 0) {
        t->setInterval(*ms);
        return changed(t);
    }
    return wrongValue(t, "true/false (enabled) or an interval in milliseconds");
}

AutomationOutcome setAction(QAction *a, const QJsonValue &v)
{
    if (!v.isBool())
        return wrongValue(a, "true or false");
    if (!a->isCheckable())
        return AutomationOutcome::fail(
            QStringLiteral("menu item %1 is not checkable; click it instead").arg(nameOf(a)));
    if (!a->isEnabled())
        return AutomationOutcome::fail(QStringLiteral("menu item %1 is disabled").arg(nameOf(a)));
    if (a->isChecked() != v.toBool())
        a->trigger();
    return changed(a);
}

AutomationOutcome setButton(QAbstractButton *b, const QJsonValue &v)
{
    if (!v.isBool())
        return wrongValue(b, "true or false");
    if (!b->isCheckable())
        return AutomationOutcome::fail(
            QStringLiteral("button %1 is not a check box or toggle; click it instead").arg(nameOf(b)));
    if (b->isChecked() != v.toBool())
        b->click();
    if (b->isChecked() != v.toBool())
        return AutomationOutcome::fail(
            QStringLiteral("%1 cannot be unchecked by itself; check another one of its group").arg(nameOf(b)));
    return changed(b);
}

AutomationOutcome setCombo(QComboBox *c, const QJsonValue &v)
{
    int index = -1;
    if (const auto i = asInt(v)) {
        if (*i < -1 || *i >= c->count())
            return AutomationOutcome::fail(
                QStringLiteral("%1 has no item %2 (it has %3)").arg(nameOf(c)).arg(*i).arg(c->count()));
        index = *i;
    } else if (v.isString()) {
        index = c->findText(v.toString(), Qt::MatchExactly);
        if (index < 0) {
            if (!c->isEditable())
                return AutomationOutcome::fail(
                    QStringLiteral("%1 has no item \"%2\"").arg(nameOf(c), v.toString()));
            c->setEditText(v.toString());
            emit c->editTextChanged(v.toString());
            return changed(c);
        }
    } else {
        return wrongValue(c, "an item index or an item text");
    }
    c->setCurrentIndex(index);
    // A user's choice also reports the activation, which the programmatic change does not.
    if (index >= 0) {
        emit c->activated(index);
        emit c->textActivated(c->itemText(index));
    }
    return changed(c);
}

AutomationOutcome setItemView(QAbstractItemView *view, const QJsonValue &v)
{
    QAbstractItemModel *model = view->model();
    if (!model)
        return AutomationOutcome::fail(QStringLiteral("%1 has no items").arg(nameOf(view)));
    const QModelIndex root = view->rootIndex();
    int row = -1;
    int column = view->currentIndex().isValid() ? view->currentIndex().column() : 0;
    if (const auto r = asInt(v)) {
        row = *r;
    } else if (v.isArray() && v.toArray().size() == 2 && asInt(v.toArray().at(0)) && asInt(v.toArray().at(1))) {
        row = *asInt(v.toArray().at(0));
        column = *asInt(v.toArray().at(1));
    } else if (v.isString()) {
        const QModelIndexList hits = model->match(model->index(0, 0, root), Qt::DisplayRole, v.toString(),
                                                  1, Qt::MatchExactly);
        if (hits.isEmpty())
            return AutomationOutcome::fail(QStringLiteral("%1 has no item \"%2\"").arg(nameOf(view), v.toString()));
        row = hits.first().row();
        column = 0;
    } else {
        return wrongValue(view, "a row, [row, column] or an item text");
    }
    if (row == -1) {
        view->clearSelection();
        view->setCurrentIndex(QModelIndex());
        return changed(view);
    }
    const QModelIndex index = model->index(row, column, root);
    if (!index.isValid())
        return AutomationOutcome::fail(
            QStringLiteral("%1 has no cell at row %2, column %3").arg(nameOf(view)).arg(row).arg(column));
    view->setCurrentIndex(index);
    return changed(view);
}

AutomationOutcome setLineEdit(QLineEdit *e, const QJsonValue &v)
{
    QString text;
    if (v.isString())
        text = v.toString();
    else if (const auto i = asInt(v))
        text = QString::number(*i);
    else
        return wrongValue(e, "a text");
    if (e->isReadOnly())
        return AutomationOutcome::fail(QStringLiteral("%1 is read-only").arg(nameOf(e)));
    e->setText(text);
    emit e->textEdited(text);
    emit e->editingFinished();
    return changed(e);
}

AutomationOutcome setRange(QWidget *w, const QJsonValue &v)
{
    if (auto *d = qobject_cast<QDoubleSpinBox *>(w)) {
        if (!v.isDouble())
            return wrongValue(w, "a number");
        d->setValue(v.toDouble());
        emit d->editingFinished();
        return changed(w);
    }
    const auto i = asInt(v);
    if (!i)
        return wrongValue(w, "an integer");
    if (auto *s = qobject_cast<QAbstractSlider *>(w)) {
        s->setValue(*i);
    } else if (auto *sb = qobject_cast<QSpinBox *>(w)) {
        sb->setValue(*i);
        emit sb->editingFinished();
    }
    return changed(w);
}

// Controls Qt does not know (the skinned button): Down, Checked or Position through their
// property or setter.
AutomationOutcome setCustom(QObject *o, const QJsonValue &v)
{
    if (v.isBool()) {
        if (invokeSetter(o, "Down", "setDown(bool)", v.toBool())
            || invokeSetter(o, "Checked", "setChecked(bool)", v.toBool()))
            return changed(o);
    } else if (const auto i = asInt(v)) {
        if (invokeSetter(o, "Position", "setPosition(int)", *i))
            return changed(o);
    }
    const QMetaProperty user = o->metaObject()->userProperty();
    if (user.isValid() && user.isWritable() && user.write(o, v.toVariant()))
        return changed(o);
    return AutomationOutcome::fail(QStringLiteral("%1 cannot be set to that value").arg(nameOf(o)));
}

void sendClick(QWidget *w)
{
    const QPointF local = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(local);
    QPointer<QWidget> guard(w);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    if (!guard)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

} // namespace

AutomationOutcome setValue(QObject *control, const QJsonValue &value)
{
    if (auto *t = qobject_cast<QTimer *>(control))
        return setTimer(t, value);
    if (auto *a = qobject_cast<QAction *>(control))
        return setAction(a, value);
    auto *w = qobject_cast<QWidget *>(control);
    if (!w)
        return setCustom(control, value);
    if (!w->isEnabled())
        return AutomationOutcome::fail(QStringLiteral("control %1 is disabled").arg(nameOf(w)));

    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return setButton(b, value);
    if (qobject_cast<QAbstractSlider *>(w) || qobject_cast<QSpinBox *>(w) || qobject_cast<QDoubleSpinBox *>(w))
        return setRange(w, value);
    if (auto *c = qobject_cast<QComboBox *>(w))
        return setCombo(c, value);
    if (auto *v = qobject_cast<QAbstractItemView *>(w))
        return setItemView(v, value);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return setLineEdit(e, value);
    if (auto *pt = qobject_cast<QPlainTextEdit *>(w)) {
        if (!value.isString())
            return wrongValue(w, "a text");
        pt->setPlainText(value.toString());
        return changed(w);
    }
    if (auto *te = qobject_cast<QTextEdit *>(w)) {
        if (!value.isString())
            return wrongValue(w, "a text");
        te->setPlainText(value.toString());
        return changed(w);
    }
    if (auto *g = qobject_cast<QGroupBox *>(w)) {
        if (!g->isCheckable() || !value.isBool())
            return wrongValue(w, "true or false (and the group must be checkable)");
        g->setChecked(value.toBool());
        return changed(w);
    }
    if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        const auto i = asInt(value);
        if (!i || *i < 0 || *i >= tabs->count())
            return wrongValue(w, "a page index");
        tabs->setCurrentIndex(*i);
        return changed(w);
    }
    if (qobject_cast<QLabel *>(w) || qobject_cast<QProgressBar *>(w))
        return AutomationOutcome::fail(
            QStringLiteral("%1 only shows a value; a user cannot change it").arg(nameOf(w)));
    return setCustom(w, value);
}

AutomationOutcome click(QObject *control)
{
    if (auto *a = qobject_cast<QAction *>(control)) {
        if (!a->isEnabled())
            return AutomationOutcome::fail(QStringLiteral("menu item %1 is disabled").arg(nameOf(a)));
        if (a->isSeparator())
            return AutomationOutcome::fail(QStringLiteral("%1 is a separator").arg(nameOf(a)));
        QMetaObject::invokeMethod(a, [a] { a->trigger(); }, Qt::QueuedConnection);
        return AutomationOutcome::done();
    }
    auto *w = qobject_cast<QWidget *>(control);
    if (!w)
        return AutomationOutcome::fail(QStringLiteral("%1 cannot be clicked").arg(nameOf(control)));
    if (!w->isEnabled())
        return AutomationOutcome::fail(QStringLiteral("control %1 is disabled").arg(nameOf(w)));

    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        QMetaObject::invokeMethod(b, [b] { b->click(); }, Qt::QueuedConnection);
    } else if (w->metaObject()->indexOfMethod("click()") >= 0) {
        // The skinned button and other controls that offer their own click.
        QMetaObject::invokeMethod(w, "click", Qt::QueuedConnection);
    } else {
        // Controls that react to the mouse alone (labels and pictures with click handlers).
        QMetaObject::invokeMethod(w, [w] { sendClick(w); }, Qt::QueuedConnection);
    }
    return AutomationOutcome::done();
}

} // namespace AutomationControls
