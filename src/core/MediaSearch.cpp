#include "core/MediaSearch.h"

#include <QFile>
#include <QHash>

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include <vector>

namespace MediaSearch {

namespace {

struct Walk
{
    const std::atomic<bool> &stop;
    const std::function<void(const QString &)> &found;
    bool subfolders;
    // Lower-case extension bytes -> the positions in the searched list it answers to.
    QHash<QByteArray, std::vector<int>> matches;
    int extensionCount = 0;
    int folders = 0;

    void folder(const QByteArray &path);
};

QByteArray lowerExtension(const char *name, size_t length)
{
    for (size_t i = length; i-- > 0;) {
        if (name[i] == '.') {
            QByteArray ext(name + i + 1, qsizetype(length - i - 1));
            return ext.toLower();
        }
        if (name[i] == '/')
            break;
    }
    return {};
}

void Walk::folder(const QByteArray &path)
{
    if (stop.load(std::memory_order_relaxed))
        return;
    if (isSystemFolder(QFile::decodeName(path)))
        return;
    DIR *dir = opendir(path.constData());
    if (!dir)
        return; // unreadable folders are passed over, as the shell lists nothing in them
    ++folders;
    const QByteArray prefix = path.endsWith('/') ? path : path + '/';

    std::vector<QByteArray> names;
    std::vector<std::vector<size_t>> buckets(static_cast<size_t>(extensionCount));
    std::vector<QByteArray> subfolderNames;
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        const size_t length = strlen(name);
        unsigned char type = entry->d_type;
        bool isFile = type == DT_REG;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat st;
            const QByteArray full = prefix + QByteArray(name, qsizetype(length));
            // A link counts as the file it leads to; a link to a folder is not followed.
            if (lstat(full.constData(), &st) != 0)
                continue;
            if (S_ISLNK(st.st_mode)) {
                isFile = stat(full.constData(), &st) == 0 && S_ISREG(st.st_mode);
                type = DT_LNK;
            } else {
                isFile = S_ISREG(st.st_mode);
                type = S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
            }
        }
        if (isFile) {
            const auto it = matches.constFind(lowerExtension(name, length));
            if (it == matches.constEnd())
                continue;
            names.emplace_back(name, qsizetype(length));
            for (int position : *it)
                buckets[size_t(position)].push_back(names.size() - 1);
        } else if (type == DT_DIR && subfolders) {
            subfolderNames.emplace_back(name, qsizetype(length));
        }
    }
    closedir(dir);

    for (const std::vector<size_t> &bucket : buckets)
        for (size_t i : bucket)
            found(QFile::decodeName(prefix + names[i]));
    for (const QByteArray &name : subfolderNames)
        folder(prefix + name);
}

} // namespace

QStringList searchedExtensions(const Options &options)
{
    QStringList out;
    if (!options.video && !options.audio)
        return out;
    const int first = options.video ? 0 : FirstAudioExtension;
    const int last = options.audio ? int(options.extensions.size()) - 1
                                   : qMin(int(options.extensions.size()) - 1, FirstAudioExtension - 1);
    for (int i = first; i <= last; ++i) {
        const QString ext = options.extensions.at(i).trimmed().toUpper();
        if (ext.isEmpty() || ext == QLatin1String("MPEG"))
            continue;
        if (ext == QLatin1String("DAT") && !options.dat)
            continue;
        out.append(ext.toLower());
    }
    return out;
}

bool isSystemFolder(const QString &path)
{
    for (const char *root : {"/proc", "/sys", "/dev", "/run"}) {
        const QLatin1String r(root);
        if (path == r || path.startsWith(r + QLatin1Char('/')))
            return true;
    }
    return false;
}

int run(const QString &folder, const Options &options, const std::atomic<bool> &stop,
        const std::function<void(const QString &)> &found)
{
    Walk walk{stop, found, options.subfolders, {}, 0, 0};
    const QStringList extensions = searchedExtensions(options);
    if (extensions.isEmpty())
        return 0;
    walk.extensionCount = int(extensions.size());
    for (int i = 0; i < extensions.size(); ++i) {
        walk.matches[extensions.at(i).toUtf8()].push_back(i);
        // "*.MPE" also found "*.mpeg" files, through their short names.
        if (extensions.at(i) == QLatin1String("mpe"))
            walk.matches[QByteArrayLiteral("mpeg")].push_back(i);
    }
    QString start = folder;
    if (start.isEmpty())
        return 0;
    walk.folder(QFile::encodeName(start));
    return walk.folders;
}

} // namespace MediaSearch
