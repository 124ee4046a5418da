#pragma once

#include "core/SettingsStore.h"

#include <QList>
#include <QString>
#include <QVariant>

// Every stored preference, declared once: its name, type, default, range, what it sets,
// the value whose presence guards its group, and who writes it. Loading, saving, the
// reset and the closing writes all walk these lists.
namespace SettingsSchema {

using Type = SettingsStore::Type;

enum Writer { BySave = 1, ByClose = 2, BySecondInstance = 4, ByStartUp = 8 };

struct Setting
{
    const char *name;
    Type type;
    QVariant defaultValue; // invalid: no default (the control keeps its own)
    double minimum = 0;    // minimum == maximum: no range
    double maximum = 0;
    const char *target;    // the control or variable it sets
    const char *group;     // the value whose presence guards it
    int writers;

    bool hasRange() const { return minimum < maximum; }
};

// In the order of the settings table.
const QList<Setting> &all();
const Setting *find(const QString &name);

// The guards of the groups read at start, in reading order.
QStringList loadGroups();
// The members of one group, in table order.
QList<const Setting *> group(const QString &guard);
// What "Save changes" writes, in its order (a name may come twice).
QStringList saveOrder();
// What the control panel writes when it closes, in its order (recent files follow).
QStringList closeOrder();

// Recent files are numbered values from 1 without gaps.
inline constexpr const char *RecentPrefix = "LastOpenList";
inline constexpr int RecentMax = 9;

} // namespace SettingsSchema
