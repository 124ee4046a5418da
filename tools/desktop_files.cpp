// Draws the program's icon at the sizes the icon theme keeps and writes the MIME package
// of the player's own file types, under one output folder, laid out as they install:
//   brivara_desktop_files OUTPUT   (OUTPUT/icons/hicolor/48x48/apps/brivara.png, ...,
//                                   OUTPUT/mime/packages/brivara.xml)
#include "core/MimePackage.h"
#include "ui/settings/ProgramIcons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "brivara_desktop_files: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brivara_desktop_files OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    // The icon a new user's associations start with is the one the desktop shows.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("%1/icons/hicolor/%2x%2/apps/brivara.png").arg(out).arg(size);
        if (!write(path, ProgramIcons::png(ProgramIcons::DefaultIndex, size)))
            return 1;
    }
    const QString mime = out + QStringLiteral("/mime/packages/brivara.xml");
    return write(mime, MimePackage::xml(MimePackage::shippedTypes()).toUtf8()) ? 0 : 1;
}
