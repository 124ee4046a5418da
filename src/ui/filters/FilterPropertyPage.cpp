#include "ui/filters/FilterPropertyPage.h"

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

#include <climits>

namespace {

using Apply = FilterPropertyPage::Apply;
using ApplyValue = std::function<void(const QVariant &)>;

// One check box per flag; the value applied is the mask of those ticked.
QWidget *flagsEditor(const MediaEngine::FilterProperty &p, const ApplyValue &apply, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const quint32 value = p.value.toUInt();
    QList<QCheckBox *> boxes;
    for (int i = 0; i < p.flagNames.size(); ++i) {
        auto *flag = new QCheckBox(p.flagNames[i], box);
        flag->setObjectName(p.name + QLatin1Char('.') + p.flagNames[i]);
        flag->setChecked(p.flagBits[i] && (value & p.flagBits[i]) == p.flagBits[i]);
        layout->addWidget(flag);
        boxes << flag;
    }
    for (QCheckBox *flag : boxes)
        QObject::connect(flag, &QCheckBox::toggled, box, [apply, boxes, bits = p.flagBits] {
            quint32 mask = 0;
            for (int i = 0; i < boxes.size(); ++i)
                if (boxes[i]->isChecked())
                    mask |= bits[i];
            apply(QVariant::fromValue(mask));
        });
    return box;
}

QWidget *editorFor(const MediaEngine::FilterProperty &p, const Apply &applyTo, QWidget *parent)
{
    const ApplyValue apply = [applyTo, name = p.name](const QVariant &v) {
        if (applyTo)
            applyTo(name, v);
    };
    QWidget *editor = nullptr;
    if (!p.choices.isEmpty()) {
        auto *box = new QComboBox(parent);
        box->addItems(p.choices);
        box->setCurrentIndex(p.value.toInt());
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [apply](int i) { apply(i); });
        editor = box;
    } else if (!p.flagNames.isEmpty()) {
        editor = flagsEditor(p, apply, parent);
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
    editor->setEnabled(p.writable && applyTo);
    return editor;
}

} // namespace

FilterPropertyPage::FilterPropertyPage(MediaEngine &engine, const QString &filterName, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(filterName);
    build(engine.filterProperties(filterName), [&engine, filterName](const QString &property, const QVariant &value) {
        return engine.setFilterProperty(filterName, property, value);
    });
}

FilterPropertyPage::FilterPropertyPage(const QString &title, const QList<MediaEngine::FilterProperty> &properties,
                                       Apply apply, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    build(properties, apply);
}

void FilterPropertyPage::build(const QList<MediaEngine::FilterProperty> &properties, const Apply &apply)
{
    setObjectName(QStringLiteral("FilterPropertyPage"));
    auto *layout = new QVBoxLayout(this);
    auto *area = new QScrollArea(this);
    area->setWidgetResizable(true);
    auto *content = new QWidget;
    auto *form = new QFormLayout(content);
    if (properties.isEmpty())
        form->addRow(new QLabel(tr("This filter has no settings."), content));
    for (const MediaEngine::FilterProperty &p : properties)
        form->addRow(p.name, editorFor(p, apply, content));
    area->setWidget(content);
    layout->addWidget(area);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 360);
}
