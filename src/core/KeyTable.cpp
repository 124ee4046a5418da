#include "core/KeyTable.h"

namespace KeyTable {

const QList<Row> &builtIn()
{
    static const QList<Row> rows{
        {1, "Play/Pause", "Play/Pause", 3735552u, Command::PlayPause},
        {2, "Następny (z PlayListy)", "Next (from Play List)", 3211264u, Command::NextEntry},
        {3, "Poprzedni (z PlayListy)", "Previous (from Play List)", 3145728u, Command::PreviousEntry},
        {4, "Przewiń w Przód", "Rewind forward", 21823488u, Command::SkipForward},
        {5, "Przewiń w Tył", "Rewind back", 21692416u, Command::SkipBack},
        {6, "Wycisz Dźwięk", "Silence voice", 3276800u, Command::Mute},
        {7, "Pełny Ekran (FULLSCREEN)", "Full screen", 2162688u, Command::FullScreen},
        {8, "Pełny Ekran + zmiana rozdzielczości", "Full screen + dimension change", 1245184u, Command::FullScreenResize},
        {9, "Powrót z Pełnego Ekranu do okna", "Back from the fullscreen to window", 65536u, Command::LeaveFullScreen},
        {10, "OSD Info", "OSD info", 1507328u, Command::OsdInfo},
        {11, "Popraw, gdy błędy (2 sekundy w przód)", "Correct, if errors (2 seconds forward)", 1835008u, Command::Correct},
        {12, "Powiększ Obraz", "Increase picture", 5111808u, Command::ZoomIn},
        {13, "Zmniejsz Obraz", "Decrease picture", 4849664u, Command::ZoomOut},
        {14, "Rozmiar Oryginalny ", "Original size", 3604480u, Command::OriginalSize},
        {15, "Zatrzymaj film (STOP)", "STOP", 2031616u, Command::Stop},
        {16, "W przód  1 klatka", "Forward 1 frame", 131072u, Command::Step1},
        {17, "W przód  2 klatki", "Forward 2 frames", 196608u, Command::Step2},
        {18, "W przód  3 klatki", "Forward 3 frames", 262144u, Command::Step3},
        {19, "W przód  4 klatki", "Forward 4 frames", 327680u, Command::Step4},
        {20, "W przód  5 klatek", "Forward 5 frames", 393216u, Command::Step5},
        {21, "W przód  6 klatek", "Forward 6 frames", 458752u, Command::Step6},
        {22, "W przód  7 klatek", "Forward 7 frames", 524288u, Command::Step7},
        {23, "W przód  8 klatek", "Forward 8 frames", 589824u, Command::Step8},
        {24, "W przód  9 klatek", "Forward 9 frames", 655360u, Command::Step9},
        {25, "Głośniej", "Lauder", 21495808u, Command::VolumeUp},
        {26, "Ciszej", "Silently", 22020096u, Command::VolumeDown},
        {27, "Przesuń w góre (FullScreen)", "Up shift ", 4718592u, Command::ShiftUp},
        {28, "Przesuń w dół (FullScreen)", "Down shift", 5242880u, Command::ShiftDown},
        {29, "Przesuń w Prawo (FullScreen)", "Left shift", 5046272u, Command::ShiftLeft},
        {30, "Przesuń w Lewo (FullScreen)", "Right shift", 4915200u, Command::ShiftRight},
        {31, "Obraz 16:9", "Picture 16:9", 4784128u, Command::Picture16x9},
        {32, "Obraz 4:3", "Picture 4:3", 5308416u, Command::Picture4x3},
        {33, "Obraz Normalny", "Normal picture", 4980736u, Command::PictureNormal},
        {34, "Repeat (Start/End/Stop)", "Repeat (start/end/stop)", 1638400u, Command::RepeatAB},
        {35, "Pokaż menu filmu", "Show Movie MENU", 21430272u, Command::MovieMenu},
        {36, "Otwórz Nowy Film", "Open Movie", 1572864u, Command::OpenMovie},
        {37, "Zwiększ Jasność", "Increase Brightnes", 851968u, Command::BrightnessUp},
        {38, "Zmniejsz Jasność", "Decrease Brightnes", 786432u, Command::BrightnessDown},
        {39, "Zrób zdjęcie (Snapshot)", "SnapShot", 5767168u, Command::SnapShot},
        {40, "Rozciągnij obraz w pionie", "Increase picture (Height in FullScreen)", 4653056u, Command::HeightUp},
        {41, "Zmniejsz obraz w pionie", "Decrease picture (Height in FullScreen)", 5177344u, Command::HeightDown},
        {42, "Pokaż PlayListe", "Show PlayList", 2490368u, Command::PlayList},
    };
    return rows;
}

} // namespace KeyTable

KeyBindings::KeyBindings()
{
    for (const KeyTable::Row &r : KeyTable::builtIn())
        m_entries.append({QString::fromUtf8(r.description), r.code});
}

KeyBindings::Entry KeyBindings::entry(int row) const
{
    return row >= 1 && row <= m_entries.size() ? m_entries[row - 1] : Entry{};
}

void KeyBindings::setCode(int row, quint32 code)
{
    if (row >= 1 && row <= m_entries.size())
        m_entries[row - 1].code = code;
}

void KeyBindings::setDescription(int row, const QString &description)
{
    if (row >= 1 && row <= m_entries.size())
        m_entries[row - 1].description = description;
}

QList<int> KeyBindings::rowsFor(quint32 code) const
{
    QList<int> rows;
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].code == code)
            rows << i + 1;
    return rows;
}

int KeyBindings::applyLines(const QStringList &lines)
{
    int taken = 0;
    for (int i = 0; i < lines.size() && i < m_entries.size(); ++i) {
        // The description may itself hold "=", the code never does.
        // Descriptions keep their own spacing; only a line end from another system goes.
        QString line = lines[i];
        while (line.endsWith(QLatin1Char('\r')) || line.endsWith(QLatin1Char('\n')))
            line.chop(1);
        const qsizetype eq = line.lastIndexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        bool ok = false;
        const quint32 code = line.mid(eq + 1).trimmed().toUInt(&ok);
        if (!ok)
            continue;
        m_entries[i] = {line.left(eq), code};
        ++taken;
    }
    return taken;
}

QStringList KeyBindings::toLines() const
{
    QStringList lines;
    for (const Entry &e : m_entries)
        lines << e.description + QLatin1Char('=') + QString::number(e.code);
    return lines;
}
