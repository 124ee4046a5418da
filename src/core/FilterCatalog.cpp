#include "core/FilterCatalog.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace FilterCatalog {

int listOf(const QString &klass)
{
    const QStringList words = klass.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const auto has = [&words](const char *word) { return words.contains(QLatin1String(word), Qt::CaseInsensitive); };
    const bool audio = has("Audio"), video = has("Video");
    // An element of both kinds (a muxer-like "Audio/Video" thing) is in neither list.
    if (audio == video)
        return -1;
    if (has("Codec") && (has("Decoder") || has("Encoder")))
        return audio ? AudioCodecs : VideoCodecs;
    if (has("Sink"))
        return audio && !has("Filter") ? AudioOutputs : -1;
    if (!has("Filter") || has("Source"))
        return -1;
    if (video)
        return has("Effect") || has("Converter") ? VideoFilters : -1;
    return has("Effect") ? AudioEffects : -1;
}

namespace {

QList<Entry> named(const QList<Offer> &offers)
{
    QHash<QString, int> uses;
    for (const Offer &o : offers)
        ++uses[o.name.trimmed()];
    QList<Entry> list;
    list.reserve(offers.size());
    for (const Offer &o : offers) {
        QString name = o.name.trimmed().isEmpty() ? o.detail : o.name.trimmed();
        if (uses.value(o.name.trimmed()) > 1 && !o.detail.isEmpty())
            name += QStringLiteral(" (%1)").arg(o.detail);
        list.append({name, o.key});
    }
    return list;
}

} // namespace

Lists lists(const QList<Offer> &devices, const QList<Offer> &factories)
{
    std::array<QList<Offer>, ListCount> offers;
    for (const Offer &o : factories)
        if (const int list = listOf(o.klass); list >= 0)
            offers[list].append(o);
    for (QList<Offer> &list : offers)
        std::stable_sort(list.begin(), list.end(), [](const Offer &a, const Offer &b) {
            const int byName = QString::compare(a.name, b.name, Qt::CaseInsensitive);
            return byName != 0 ? byName < 0 : a.detail < b.detail;
        });
    offers[AudioOutputs] = devices + offers[AudioOutputs];

    Lists result;
    for (int i = 0; i < ListCount; ++i)
        result[i] = named(offers[i]);
    return result;
}

int find(const QList<Entry> &list, const QString &nameOrKey)
{
    if (nameOrKey.isEmpty())
        return -1;
    for (int i = 0; i < list.size(); ++i)
        if (list[i].name == nameOrKey)
            return i;
    for (int i = 0; i < list.size(); ++i)
        if (list[i].key == nameOrKey)
            return i;
    return -1;
}

void Ticks::addFilter(int list, int row)
{
    if (list < 0 || list >= AudioOutputs)
        return;
    for (int i = 0; i < AudioOutputs; ++i)
        m_rows[i] = -1;
    m_rows[list] = row;
}

} // namespace FilterCatalog
