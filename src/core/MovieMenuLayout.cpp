#include "core/MovieMenuLayout.h"

#include <QDir>

namespace MovieMenuLayout {

namespace {
constexpr int TitleExtra = 5, BandExtra = 8, Spare = 10, RightSpare = 5;
}

int entryCount(const MovieMenu &menu)
{
    for (int j = 2; j <= MovieMenu::Entries; ++j)
        if (menu.entries[j - 1].text.isEmpty())
            return j - 1;
    return MovieMenu::Entries;
}

int fontHeight(int videoHeight, int entries) { return qMax(1, videoHeight / (entries + 7)); }

int fittedFontHeight(int height, const std::function<int(int)> &widestAt, int clientWidth, bool fullScreen,
                     int displayWidth)
{
    auto tooWide = [&](int h) {
        const int needed = widestAt(h) + Spare;
        return needed > clientWidth || (fullScreen && needed > displayWidth);
    };
    while (height > 1 && tooWide(height))
        --height;
    return qMax(1, height);
}

Geometry place(const QRect &videoFrame, int entries, int height, int widest, int outline)
{
    Geometry g;
    g.titleHeight = height + TitleExtra;
    g.titleBand = g.titleHeight + BandExtra;
    g.entryStep = height + TitleExtra;
    // The designed height leaves the last entry's outline cut off for small letters; the
    // window is never shorter than what it shows.
    const int shown = g.titleBand + entries * g.entryStep + outline;
    const int h = qMax(height * (entries + 3), shown);
    const int w = widest + RightSpare + qMax(0, outline - 3);
    g.window = QRect(videoFrame.left() + Spare, (videoFrame.height() - h) / 2 + videoFrame.top() + 12, w, h);
    for (int i = 0; i < entries; ++i)
        g.regions << QRect(0, g.titleBand + i * g.entryStep, w, height);
    return g;
}

Link link(const QString &entryText, const QString &filmFolder)
{
    QString text = entryText.trimmed();
    // "www.host" is a web address written the short way.
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        text.prepend(QLatin1String("http://"));
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.isValid() ? url.scheme().toLower() : QString();
    const bool web = (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
    const bool mail = scheme == QLatin1String("mailto") && !url.path().isEmpty();
    if (web || mail)
        return {url, false};
    // Anything else is named exactly as it would be opened: a file beside the film, an
    // absolute path, or whatever address it spells.
    if (!scheme.isEmpty() && scheme.size() > 1)
        return {url, true};
    const QString path = QDir::isAbsolutePath(text) ? text : QDir(filmFolder).absoluteFilePath(text);
    return {QUrl::fromLocalFile(QDir::cleanPath(path)), true};
}

} // namespace MovieMenuLayout
