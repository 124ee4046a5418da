#pragma once

#include <QList>
#include <QString>

#include <array>

// The five lists of the filters dialog, made from what the media framework can build: the
// list an element belongs to by its class, the names it shows under, and which items of
// the lists are ticked.
namespace FilterCatalog {

// List numbers, in the order the dialog keeps them.
enum List { AudioCodecs = 0, VideoCodecs = 1, VideoFilters = 2, AudioEffects = 3, AudioOutputs = 4 };
constexpr int ListCount = 5;

// One element the media framework can make.
struct Offer
{
    QString key;    // what it is made from: an element factory's name, or a device's key
    QString name;   // the factory's long name; a device's display name
    QString klass;  // "/"-separated class words, in any order ("Filter/Effect/Video", "Audio/Sink")
    QString detail; // tells two offers of one name apart: the factory's name, or the device's
};

struct Entry
{
    QString name;   // as the list shows it; unique within its list
    QString key;
    bool operator==(const Entry &) const = default;
};

using Lists = std::array<QList<Entry>, ListCount>;

// The list an element of this class belongs in; -1 for none. Audio outputs are sinks of
// sound; picture filters are effects and converters of video; audio effects are effects of
// sound; codecs are decoders and encoders of either.
int listOf(const QString &klass);

// The five lists: the devices (already sound outputs) first in the output list, then every
// factory in its list by name. Two entries of one name in a list both show their detail.
Lists lists(const QList<Offer> &devices, const QList<Offer> &factories);

// Row of the entry a stored choice means: its shown name, else its key (a choice stored as
// a factory name); -1 when the list has neither.
int find(const QList<Entry> &list, const QString &nameOrKey);

// The ticks: the output list ticks the one output in use; the other four lists together
// tick the one extra filter chosen, which only the add buttons choose. A click on any other
// box of those lists is taken back.
class Ticks
{
public:
    int ticked(int list) const { return list >= 0 && list < ListCount ? m_rows[list] : -1; }
    bool isTicked(int list, int row) const { return row >= 0 && ticked(list) == row; }
    void chooseOutput(int row) { m_rows[AudioOutputs] = row; }
    void addFilter(int list, int row);
    // Whether a box clicked in this list may keep the state the click gave it.
    static bool clickKeeps(int list) { return list == AudioOutputs; }

private:
    std::array<int, ListCount> m_rows{-1, -1, -1, -1, -1};
};

} // namespace FilterCatalog
