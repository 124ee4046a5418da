#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The 42 keyboard commands: one table that the dispatcher, the key binding file and the
// key editor all read. A code keeps the layout of a keystroke's flags word: scan code in
// bits 16-23, extended-key flag in bit 24; files store it as decimal text.
namespace KeyTable {

inline constexpr int Rows = 42;

enum class Command {
    PlayPause,
    NextEntry,
    PreviousEntry,
    SkipForward,
    SkipBack,
    Mute,
    FullScreen,
    FullScreenResize,
    LeaveFullScreen,
    OsdInfo,
    Correct,
    ZoomIn,
    ZoomOut,
    OriginalSize,
    Stop,
    Step1,
    Step2,
    Step3,
    Step4,
    Step5,
    Step6,
    Step7,
    Step8,
    Step9,
    VolumeUp,
    VolumeDown,
    ShiftUp,
    ShiftDown,
    ShiftLeft,
    ShiftRight,
    Picture16x9,
    Picture4x3,
    PictureNormal,
    RepeatAB,
    MovieMenu,
    OpenMovie,
    BrightnessUp,
    BrightnessDown,
    SnapShot,
    HeightUp,
    HeightDown,
    PlayList,
};

struct Row
{
    int row;                 // 1..42
    const char *description; // built-in (Polish)
    const char *english;     // the language template's text
    quint32 code;            // default key code
    Command command;
};

// Row 1 first; index = row - 1.
const QList<Row> &builtIn();

// The captions of the editor's title row.
inline constexpr const char *DescriptionTitle = "Opis Klawisza";
inline constexpr const char *CodeTitle = "Key";

} // namespace KeyTable

// The live key list: one description and code per row, as the editor shows them and the
// key binding file stores them.
class KeyBindings
{
public:
    struct Entry
    {
        QString description;
        quint32 code = 0;
    };

    KeyBindings(); // the built-in table

    const QList<Entry> &entries() const { return m_entries; }
    Entry entry(int row) const; // 1-based; empty for rows outside the table
    void setCode(int row, quint32 code);
    void setDescription(int row, const QString &description);

    // The rows a code is bound to (one code may serve two rows), 1-based, in row order.
    QList<int> rowsFor(quint32 code) const;

    // Line i replaces row i+1 ("description=code"); lines past the last row and lines that
    // do not hold a description and a decimal code are skipped. Returns how many rows
    // were taken from the lines.
    int applyLines(const QStringList &lines);
    QStringList toLines() const;

private:
    QList<Entry> m_entries;
};
