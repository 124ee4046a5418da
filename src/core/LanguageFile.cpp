#include "core/LanguageFile.h"

#include "core/Messages.h"
#include "core/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

namespace LanguageFile {

namespace {

// "Msg" + two digits and the like: the number, or nothing when it is not one.
std::optional<int> tableNumber(const QString &name)
{
    bool ok = false;
    const int n = name.mid(3, 2).toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<Window> section(const QString &name)
{
    if (name == QLatin1String("Panel"))
        return Window::Panel;
    if (name == QLatin1String("PlayList"))
        return Window::PlayList;
    if (name == QLatin1String("Filters"))
        return Window::Filters;
    if (name == QLatin1String("Setup"))
        return Window::Setup;
    return std::nullopt;
}

void putNumbered(QMap<int, QString> &table, const QString &name, int first, int last, const QString &value)
{
    const std::optional<int> n = tableNumber(name);
    if (n && *n >= first && *n <= last)
        table[*n] = value;
}

} // namespace

QList<ComponentText> Texts::componentsOf(Window window) const
{
    QList<ComponentText> out;
    for (const ComponentText &c : components)
        if (c.window == window)
            out << c;
    return out;
}

Texts parse(const QStringList &lines)
{
    Texts texts;
    Window window = Window::Panel; // entries before the first section address the panel
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || eq < 0)
            continue;
        const QChar kind = line.at(0);
        const QString name = line.mid(1, eq - 1);
        QString value = line.mid(eq + 1);
        // On the last line a trailing comma has nothing to join and stays part of the value.
        while (value.endsWith(QLatin1Char(',')) && i + 1 < lines.size()) {
            value.chop(1);
            value += QStringLiteral("\r\n") + lines[++i];
        }

        if (name == QLatin1String("LANGUAGE")) {
            texts.language = value;
        } else if (const std::optional<Window> next = section(name)) {
            window = *next;
        } else if (name.startsWith(QLatin1String("Msg"))) {
            putNumbered(texts.messages, name, 0, Messages::Count - 1, value);
        } else if (name.startsWith(QLatin1String("Mnu"))) {
            putNumbered(texts.menu, name, 1, MenuItems, value);
        } else if (name.startsWith(QLatin1String("Key"))) {
            putNumbered(texts.keys, name, 0, KeyRows, value);
        } else if (name == QLatin1String("FTransparent")) {
            texts.transparent = value;
        } else if (name == QLatin1String("FOpaque")) {
            texts.opaque = value;
        } else if (kind == QLatin1Char('C') || kind == QLatin1Char('H')) {
            texts.components << ComponentText{window, name, kind == QLatin1Char('H'), value};
        }
    }
    return texts;
}

std::optional<QStringList> readLines(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > MaxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The size may have grown since it was looked at; never read past the limit.
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (bytes.size() > MaxBytes)
        return std::nullopt;
    return subtitleFileLines(bytes);
}

QStringList englishTemplate()
{
    static const QStringList lines = [] {
        QFile file(QStringLiteral(":/LANG/English.lng"));
        return file.open(QIODevice::ReadOnly) ? subtitleFileLines(file.readAll()) : QStringList();
    }();
    return lines;
}

} // namespace LanguageFile
