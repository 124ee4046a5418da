#include "platform/Associations.h"
#include "ui/settings/PageAssociations.h"
#include "ui/settings/ProgramIcons.h"

#include "fakes/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// One private home for the whole run: the variables are set in main(), before Qt or the
// MIME database read them, and each test starts from empty folders below it.
QTemporaryDir *g_home = nullptr;

QString dataHome() { return g_home->path() + "/data"; }
QString configHome() { return g_home->path() + "/config"; }

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// xdg-mime with the test's own environment; the answer's first line.
QString xdgMime(const QStringList &arguments)
{
    QString out;
    const int code = TestSupport::run("xdg-mime", arguments, 60000, &out);
    if (code != 0)
        qWarning() << "xdg-mime" << arguments << "exit" << code << out;
    return out.section('\n', 0, 0).trimmed();
}

// The keys listed in one group of a mimeapps.list.
QStringList keysOf(const QString &list, const QString &group)
{
    QStringList keys;
    bool in = false;
    for (const QString &line : list.split('\n')) {
        if (line.startsWith('[')) {
            in = line == '[' + group + ']';
            continue;
        }
        if (in && line.contains('='))
            keys << line.section('=', 0, 0).trimmed();
    }
    return keys;
}

AssociationRequest request(const QStringList &extensions, int icon = 1)
{
    AssociationRequest r;
    // A real program, so that xdg-mime accepts the entry as one it can start.
    r.executable = QCoreApplication::applicationFilePath();
    r.iconIndex = icon;
    r.icons << AssociationIcon{32, ProgramIcons::png(icon, 32)};
    r.extensions = extensions;
    return r;
}

} // namespace

class TestAssociations : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        for (const QString &dir : {dataHome(), configHome()}) {
            QDir(dir).removeRecursively();
            QVERIFY(QDir().mkpath(dir));
        }
    }

    void registeredTypeOpensWithUs()
    {
        const AssociationResult r = registerAssociations(request({"AVI"}));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.failed, QStringList());
        QCOMPARE(r.registeredMimeTypes, QStringList{"video/x-msvideo"});
        QCOMPARE(xdgMime({"query", "default", "video/x-msvideo"}), QStringLiteral("brivara.desktop"));
        QCOMPARE(xdgMime({"query", "default", "x-content/audio-cdda"}),
                 QStringLiteral("brivara.desktop"));

        const QString entry = readAll(dataHome() + "/applications/brivara.desktop");
        QVERIFY(entry.contains("\nExec=" + QCoreApplication::applicationFilePath() + " %f\n"));
        QVERIFY(entry.contains("\nName=Brivara\n"));
        QVERIFY(entry.contains("\nTerminal=false\n"));
        QVERIFY(entry.contains("\nCategories=AudioVideo;Player;Video;Audio;\n"));
        QVERIFY(entry.contains("\nMimeType=video/x-msvideo;x-content/audio-cdda;\n"));
        // Nothing is written into HOME's default folders when the variables say elsewhere.
        QVERIFY(!QFileInfo::exists(g_home->path() + "/.config"));
        QVERIFY(!QFileInfo::exists(g_home->path() + "/.local"));
    }

    void onlyTheSelectedTypesAreTouched()
    {
        const QByteArray before = "[Default Applications]\n"
                                  "text/plain=gedit.desktop;\n"
                                  "video/mpeg=vlc.desktop;\n"
                                  "\n"
                                  "[Added Associations]\n"
                                  "image/png=eog.desktop;\n";
        writeFile(configHome() + "/mimeapps.list", before);
        const AssociationResult r = registerAssociations(request({"AVI", "mp3"}));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.registeredMimeTypes, QStringList({"video/x-msvideo", "audio/mpeg"}));

        const QString after = readAll(configHome() + "/mimeapps.list");
        QCOMPARE(keysOf(after, "Default Applications"),
                 QStringList({"text/plain", "video/mpeg", "video/x-msvideo", "audio/mpeg",
                              "x-content/audio-cdda"}));
        QCOMPARE(keysOf(after, "Added Associations"),
                 QStringList({"image/png", "video/x-msvideo", "audio/mpeg", "x-content/audio-cdda"}));
        QVERIFY(after.contains("text/plain=gedit.desktop;\nvideo/mpeg=vlc.desktop;\n"));
        QCOMPARE(xdgMime({"query", "default", "audio/mpeg"}), QStringLiteral("brivara.desktop"));
    }

    void unknownExtensionGetsOurOwnType()
    {
        AssociationResult r = registerAssociations(request({"DAT"}));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.ownMimeTypes, QStringList{"video/x-brivara-dat"});
        QVERIFY2(r.warnings.isEmpty(), qPrintable(r.warnings.join('\n')));
        QVERIFY(QFileInfo::exists(dataHome() + "/mime/packages/brivara.xml"));

        // Registering another unknown one later keeps the first declared.
        r = registerAssociations(request({"MPA"}));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.ownMimeTypes, QStringList{"video/x-brivara-mpa"});

        const QString lower = g_home->path() + "/clip.dat";
        const QString upper = g_home->path() + "/CLIP2.DAT";
        writeFile(lower, QByteArray(64, '\x5a'));
        writeFile(upper, QByteArray(64, '\x5a'));
        qputenv("XDG_CURRENT_DESKTOP", "GNOME"); // xdg-mime asks gio, which reads the MIME cache
        const QString lowerType = xdgMime({"query", "filetype", lower});
        const QString upperType = xdgMime({"query", "filetype", upper});
        qunsetenv("XDG_CURRENT_DESKTOP");
        QCOMPARE(lowerType, QStringLiteral("video/x-brivara-dat"));
        QCOMPARE(upperType, QStringLiteral("video/x-brivara-dat"));
        QCOMPARE(xdgMime({"query", "default", "video/x-brivara-dat"}), QStringLiteral("brivara.desktop"));
        const QString entry = readAll(dataHome() + "/applications/brivara.desktop");
        QVERIFY(entry.contains("\nMimeType=video/x-brivara-dat;x-content/audio-cdda;video/x-brivara-mpa;\n"));
    }

    void iconIndexNamesTheInstalledIcon()
    {
        const AssociationResult r = registerAssociations(request({"AVI"}, 0));
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(readAll(dataHome() + "/applications/brivara.desktop").contains("\nIcon=brivara-0\n"));
        const QImage icon(dataHome() + "/icons/hicolor/32x32/apps/brivara-0.png");
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon, ProgramIcons::image(0, 32).convertToFormat(icon.format()));
    }

    void badExtensionIsSkippedAndTheOthersRegistered()
    {
        const AssociationResult r = registerAssociations(request({"a b", "WAV", "../x"}));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.failed, QStringList({"a b", "../x"}));
        QCOMPARE(r.registeredMimeTypes, QStringList{"audio/x-wav"});
    }

    void unwritableApplicationsFolderStopsWithAClearError()
    {
        // A file where the folder should be: refused even to root.
        writeFile(dataHome() + "/applications", "not a folder");
        const AssociationResult r = registerAssociations(request({"AVI", "DAT"}));
        QVERIFY(!r.ok);
        QCOMPARE(r.error, "Failed to set data for '" + dataHome() + "/applications/brivara.desktop'");
        QCOMPARE(QDir(dataHome()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"applications"});
        QVERIFY(QDir(configHome()).isEmpty());
    }

    void unwritableMimeAppsListIsAnErrorToo()
    {
        QVERIFY(QDir().mkpath(configHome() + "/mimeapps.list"));
        const AssociationResult r = registerAssociations(request({"AVI", "MP3"}));
        QVERIFY(!r.ok);
        QCOMPARE(r.error, "Failed to set data for '" + configHome() + "/mimeapps.list'");
        QCOMPARE(r.failed, QStringList({"AVI", "MP3"}));
        QVERIFY(QFileInfo(configHome() + "/mimeapps.list").isDir());
    }

    void pageRegistersTheSelectionAndShowsAFailure()
    {
        FakeDialogs dialogs;
        PageAssociations page(dialogs);
        page.ButtonRozNicClick();
        for (const char *ext : {"AVI", "MP3"})
            page.ListRoz->findItems(ext, Qt::MatchExactly).first()->setSelected(true);
        page.SliderIcon->setValue(4);
        QVERIFY(page.registerSelected());
        QVERIFY(dialogs.asked.isEmpty());
        QCOMPARE(page.lastResult().registeredMimeTypes, QStringList({"video/x-msvideo", "audio/mpeg"}));
        QVERIFY(readAll(dataHome() + "/applications/brivara.desktop").contains("\nIcon=brivara-4\n"));
        for (const char *size : {"32x32", "48x48", "64x64"})
            QVERIFY(QFileInfo::exists(dataHome() + "/icons/hicolor/" + size + "/apps/brivara-4.png"));

        QFile::remove(dataHome() + "/applications/brivara.desktop");
        QDir(dataHome()).removeRecursively();
        writeFile(dataHome() + "/applications", "not a folder");
        QVERIFY(!page.registerSelected());
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(dialogs.asked[0].title, QStringLiteral("Brivara"));
        QVERIFY(dialogs.asked[0].text.startsWith("Failed to set data for '"));
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    g_home = &home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qunsetenv("XDG_CURRENT_DESKTOP");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestAssociations test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_associations.moc"
