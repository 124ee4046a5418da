#include "ui/settings/KeyEditor.h"

#include "core/KeyCodes.h"
#include "core/KeyTable.h"

#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

// Shows a cell's code as the key's name; the cell itself keeps the decimal code, which
// is what the binding file stores.
class KeyNameDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant &value, const QLocale &) const override
    {
        bool ok = false;
        const uint code = value.toString().toUInt(&ok);
        return ok ? KeyCodes::name(code) : QString();
    }
};

} // namespace

KeyEditor::KeyEditor(QTableWidget *grid, KeyBindings &keys, QObject *parent)
    : QObject(parent), m_grid(grid), m_keys(keys)
{
    m_grid->setItemDelegateForColumn(CodeColumn, new KeyNameDelegate(m_grid));
    connect(m_grid, &QTableWidget::cellClicked, this, &KeyEditor::KeyListEditorClick);
    connect(m_grid, &QTableWidget::currentCellChanged, this, &KeyEditor::KeyListEditorSelectCell);
}

void KeyEditor::capture(quint32 code, bool keepOpen)
{
    if (!capturing())
        return;
    if (QTableWidgetItem *cell = m_grid->item(m_row, CodeColumn))
        cell->setText(QString::number(code));
    m_keys.setCode(m_row + 1, code);
    if (!keepOpen)
        m_row = -1;
}

void KeyEditor::KeyListEditorClick(int row, int column)
{
    // A click that the selection refused lands on a cell that is not current: ignore it,
    // or it would empty the cell just put back.
    if (column != CodeColumn || row != m_grid->currentRow() || column != m_grid->currentColumn())
        return;
    QTableWidgetItem *cell = m_grid->item(row, column);
    if (!cell)
        return;
    bool ok = false;
    const uint code = cell->text().toUInt(&ok);
    if (!ok)
        return;
    m_tag = code;
    m_row = row;
    cell->setText(QString());
}

void KeyEditor::KeyListEditorSelectCell(int row, int column, int fromRow, int fromColumn)
{
    Q_UNUSED(row);
    Q_UNUSED(column);
    if (!capturing() || fromRow != m_row || fromColumn != CodeColumn)
        return;
    const int waiting = m_row;
    m_row = -1;
    QTableWidgetItem *cell = m_grid->item(waiting, CodeColumn);
    if (cell && cell->text().isEmpty()) {
        // No key came: the old one goes back and the selection stays where it was.
        cell->setText(QString::number(m_tag));
        m_grid->setCurrentCell(fromRow, fromColumn);
    }
}
