#pragma once

#include <QObject>
#include <QtGlobal>

class KeyBindings;
class QTableWidget;

// The key page's grid as an editor: key names instead of numbers, a click on a key cell
// waits for the next key press (the dispatcher hands it over), leaving a cell still
// waiting puts its old key back. Edits go into the live list at once, so the new key
// works before the preferences are saved.
class KeyEditor : public QObject
{
    Q_OBJECT
public:
    KeyEditor(QTableWidget *grid, KeyBindings &keys, QObject *parent = nullptr);

    // True while a cell waits for its key.
    bool capturing() const { return m_row >= 0; }
    // The key the dispatcher caught while capturing; keepOpen (Enter) waits for more.
    void capture(quint32 code, bool keepOpen);

    void KeyListEditorClick(int row, int column);
    // The grid's current cell moved from (fromRow, fromColumn).
    void KeyListEditorSelectCell(int row, int column, int fromRow, int fromColumn);

private:
    static constexpr int CodeColumn = 1;

    QTableWidget *m_grid;
    KeyBindings &m_keys;
    int m_row = -1;    // the grid row waiting for a key
    quint32 m_tag = 0; // its code before the click
};
