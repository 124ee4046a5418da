#include "ui/filters/FilterPropertyPage.h"

#include "engine/MediaEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QWidget *editorFor(MediaEngine &engine, const QString &filter, const MediaEngine::FilterProperty &p,
                   QWidget *parent)
{
    auto apply = [&engine, filter, name = p.name](const QVariant &v) {
        engine.setFilterProperty(filter, name, v);
    };
    QWidget *editor = nullptr;
    if (!p.choices.isEmpty()) {
        auto *box = new QComboBox(parent);
        box->addItems(p.choices);
        box->setCurrentIndex(p.value.toInt());
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [apply](int i) { apply(i); });
        editor = box;
    } else if (p.value.typeId() == QMetaType::Bool) {
        auto *box = new QCheckBox(parent);
        box->setChecked(p.value.toBool());
        QObject::connect(box, &QCheckBox::toggled, box, [apply](bool on) { apply(on); });
        editor = box;
    } else if (p.value.typeId() == QMetaType::Double || p.value.typeId() == QMetaType::Float) {
        auto *spin = new QDoubleSpinBox(parent);
        spin->setDecimals(3);
        spin->setRange(p.minimum.isValid() ? p.minimum.toDouble() : -1e9,
                       p.maximum.isValid() ? p.maximum.toDouble() : 1e9);
        spin->setValue(p.value.toDouble());
        QObject::connect(spin, &QDoubleSpinBox::valueChanged, spin, [apply](double v) { apply(v); });
        editor = spin;
    } else if (p.value.canConvert<qlonglong>() && p.value.typeId() != QMetaType::QString) {
        auto *spin = new QSpinBox(parent);
        const qlonglong lo = p.minimum.isValid() ? p.minimum.toLongLong() : INT_MIN;
        const qlonglong hi = p.maximum.isValid() ? p.maximum.toLongLong() : INT_MAX;
        spin->setRange(int(qMax<qlonglong>(lo, INT_MIN)), int(qMin<qlonglong>(hi, INT_MAX)));
        spin->setValue(int(qBound<qlonglong>(qlonglong(INT_MIN), p.value.toLongLong(), qlonglong(INT_MAX))));
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [apply](int v) { apply(v); });
        editor = spin;
    } else {
        auto *line = new QLineEdit(p.value.toString(), parent);
        QObject::connect(line, &QLineEdit::editingFinished, line, [apply, line] { apply(line->text()); });
        editor = line;
    }
    editor->setObjectName(p.name);
    editor->setToolTip(p.blurb);
    editor->setEnabled(p.writable);
    return editor;
}

} // namespace

FilterPropertyPage::FilterPropertyPage(MediaEngine &engine, const QString &filterName, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(filterName);
    auto *layout = new QVBoxLayout(this);
    auto *area = new QScrollArea(this);
    area->setWidgetResizable(true);
    auto *content = new QWidget;
    auto *form = new QFormLayout(content);
    const QList<MediaEngine::FilterProperty> properties = engine.filterProperties(filterName);
    if (properties.isEmpty())
        form->addRow(new QLabel(tr("This filter has no settings."), content));
    for (const MediaEngine::FilterProperty &p : properties)
        form->addRow(p.name, editorFor(engine, filterName, p, content));
    area->setWidget(content);
    layout->addWidget(area);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 360);
}
