#include "core/DesktopEntry.h"
#include "core/MimePackage.h"
#include "platform/ControlClient.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

// The Debian package as a user gets it: built by scripts/package from this build, its
// contents and dependencies, lintian's verdict, and the program installed into a throw-away
// root (dpkg --root), started from there, and removed without a trace.
class TestDebPackage : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch{QDir::tempPath() + "/brivara-package-XXXXXX"};
    QString deb;
    QString root;

    static QString output(const QString &program, const QStringList &args, int *code = nullptr,
                          int timeoutMs = 120000)
    {
        QString out;
        const int rc = TestSupport::run(program, args, timeoutMs, &out);
        if (code)
            *code = rc;
        return out;
    }

private slots:
    void initTestCase()
    {
        QProcess package;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("BRIVARA_BUILD_DIR", QStringLiteral(BRIVARA_BUILD_DIR));
        package.setProcessEnvironment(env);
        package.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        package.start(qEnvironmentVariable("BRIVARA_SOURCE_DIR") + "/scripts/package", {});
        QVERIFY(package.waitForFinished(600000));
        QCOMPARE(package.exitCode(), 0);
        deb = QString::fromLocal8Bit(package.readAllStandardOutput()).trimmed().split('\n').last();
        QVERIFY2(QFileInfo(deb).isFile() && QFileInfo(deb).fileName().startsWith("brivara_"), qPrintable(deb));
    }

    void thePackageHoldsTheProgramInItsPlacesAndDependsOnWhatItLinks()
    {
        const QString list = output("dpkg-deb", {"-c", deb});
        QStringList expected{"./usr/bin/brivara", "./usr/share/brivara/LANG/English.lng",
                             "./usr/share/brivara/SKINS/Grafit/skin.all",
                             "./usr/share/applications/brivara.desktop",
                             "./usr/share/icons/hicolor/scalable/apps/brivara.svg",
                             "./usr/share/mime/packages/brivara.xml",
                             "./usr/share/metainfo/org.zendor.Brivara.metainfo.xml",
                             "./usr/share/man/man1/brivara.1.gz", "./usr/share/doc/brivara/copyright"};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            expected << QStringLiteral("./usr/share/icons/hicolor/%1x%1/apps/brivara.png").arg(size);
        for (const QString &path : expected)
            QVERIFY2(list.contains(' ' + path + '\n'), qPrintable(path + " missing from:\n" + list));
        // Nothing of the build or the tests, nothing outside /usr.
        for (const QString &line : list.split('\n', Qt::SkipEmptyParts)) {
            const QString path = line.section(' ', -1);
            QVERIFY2(path.startsWith("./usr/") || path == "./", qPrintable(line));
            QVERIFY2(!path.contains("test_") && !path.contains("bench") && !path.contains(".made"), qPrintable(line));
        }

        const QString depends = output("dpkg-deb", {"-f", deb, "Depends"});
        for (const char *library : {"libqt6widgets6", "libqt6dbus6", "libgstreamer1.0-0", "libcdio", "libuchardet",
                                    "libc6", "qt6-qpa-plugins", "gstreamer1.0-plugins-good"})
            QVERIFY2(depends.contains(QLatin1String(library)), qPrintable(depends));
        const QString version = output(qEnvironmentVariable("BRIVARA_EXE"), {"--version"}).trimmed();
        QCOMPARE(QStringLiteral("brivara ") + output("dpkg-deb", {"-f", deb, "Version"}).trimmed(), version);

        if (QStandardPaths::findExecutable("lintian").isEmpty())
            QSKIP("lintian is not installed (scripts/setup installs it)");
        int code = 0;
        const QString verdict = output("lintian", {"--fail-on", "error", deb}, &code, 300000);
        QVERIFY2(code == 0 && !QRegularExpression("^E: ", QRegularExpression::MultilineOption).match(verdict).hasMatch(),
                 qPrintable(verdict));
    }

    void itInstallsIntoAThrowAwayRootRunsFromThereAndLeavesCleanly()
    {
        if (geteuid() != 0)
            QSKIP("dpkg --root needs root");
        root = scratch.filePath("root");
        QVERIFY(QDir().mkpath(root + "/var/lib/dpkg/info") && QDir().mkpath(root + "/var/lib/dpkg/updates"));
        QFile(root + "/var/lib/dpkg/status").open(QIODevice::WriteOnly);
        int code = 0;
        // Its dependencies are this machine's, not the empty root's.
        const QString installed = output("dpkg", {"--root=" + root, "--force-depends", "-i", deb}, &code);
        QVERIFY2(code == 0, qPrintable(installed));
        const QString exe = root + "/usr/bin/brivara";

        // --help and the man page name the same options.
        const QString help = output(exe, {"--help"}, &code);
        QCOMPARE(code, 0);
        QString man;
        QProcess render;
        QProcessEnvironment manEnv = QProcessEnvironment::systemEnvironment();
        manEnv.insert("MANWIDTH", "80");
        render.setProcessEnvironment(manEnv);
        render.start("man", {"-P", "cat", "-l", root + "/usr/share/man/man1/brivara.1.gz"});
        QVERIFY(render.waitForFinished(30000));
        man = QString::fromUtf8(render.readAllStandardOutput());
        const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-zA-Z][\\w-]*)"));
        QStringList options;
        for (const QString &line : help.split('\n'))
            if (line.startsWith("  ") || line.startsWith("Usage:") || line.startsWith("  or:"))
                for (auto m = option.globalMatch(line); m.hasNext();)
                    options << m.next().captured(1);
        options.removeDuplicates();
        QVERIFY2(options.size() >= 6, qPrintable(options.join(' ')));
        for (const QString &o : options)
            QVERIFY2(man.contains(o), qPrintable(o + " is in --help but not in the man page"));

        // The MIME package declares what the desktop entry claims.
        QFile entry(root + "/usr/share/applications/brivara.desktop"), mime(root + "/usr/share/mime/packages/brivara.xml");
        QVERIFY(entry.open(QIODevice::ReadOnly) && mime.open(QIODevice::ReadOnly));
        const QStringList claimed = DesktopEntry::mimeTypes(QString::fromUtf8(entry.readAll()));
        const QList<MimePackage::OwnType> declared = MimePackage::parse(QString::fromUtf8(mime.readAll()));
        QCOMPARE(declared.size(), MimePackage::shippedTypes().size());
        for (const MimePackage::OwnType &type : declared)
            QVERIFY2(claimed.contains(type.name) || type.name.endsWith("-playlist"), qPrintable(type.name));

        // Started from the root, with nothing pointing it at its data: it finds the shipped
        // skins there, and as root in /usr/bin it still keeps the user's files in their home.
        QTemporaryDir home;
        const QString socket = QStringLiteral("brivara-package-%1").arg(QCoreApplication::applicationPid());
        QProcessEnvironment env = TestSupport::playerEnvironment(home.path(), socket);
        env.remove("BRIVARA_HOME");
        env.remove("BRIVARA_DATA_DIR");
        QDir().mkpath(home.filePath("config/Zendor"));
        QFile settings(home.filePath("config/Zendor/Brivara.conf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[General]\nFirst=false\nSkinName=Grafit\n");
        settings.close();
        QProcess player;
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(exe, {});
        QVERIFY(player.waitForStarted());
        auto ask = [&](const QJsonObject &request) { return ControlClient::send(socket, request).object; };
        QTRY_VERIFY_WITH_TIMEOUT(ask({{"cmd", "state"}}).value("ok").toBool(), 20000);
        const QImage grafit(root + "/usr/share/brivara/SKINS/Grafit/Background.bmp");
        QVERIFY(!grafit.isNull());
        const QJsonObject panel = ask({{"cmd", "get"}, {"window", "TForm1"}});
        QCOMPARE(QSize(panel.value("clientWidth").toInt(), panel.value("clientHeight").toInt()), grafit.size());
        QVERIFY(ask({{"cmd", "click"}, {"window", "TForm4"}, {"control", "ButtonSetupSave"}}).value("ok").toBool());
        const QString keys = home.filePath("data/Zendor/Brivara/BrivaraKey.zdr");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(keys), 10000);
        ask({{"cmd", "quit"}});
        QVERIFY(player.waitForFinished(20000));
        QCOMPARE(QDir(root + "/usr/bin").entryList(QDir::Files | QDir::Hidden), QStringList{"brivara"});

        const QString removed = output("dpkg", {"--root=" + root, "--purge", "brivara"}, &code);
        QVERIFY2(code == 0, qPrintable(removed));
        QStringList left;
        for (QDirIterator it(root + "/usr", QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
             it.hasNext();)
            left << it.next();
        QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
    }

    // Opt-in, minutes long and needs Debian's archive: BRIVARA_PACKAGE_CHROOT names a folder
    // that holds (or is made into, by debootstrap) a clean Debian 12, where apt-get installs
    // the package with its dependencies and removes it again.
    void itInstallsWithAptOnACleanDebian()
    {
        const QString chroot = qEnvironmentVariable("BRIVARA_PACKAGE_CHROOT");
        if (chroot.isEmpty())
            QSKIP("BRIVARA_PACKAGE_CHROOT is not set");
        if (geteuid() != 0)
            QSKIP("chroot needs root");
        int code = 0;
        QString out;
        if (!QFileInfo::exists(chroot + "/etc/debian_version")) {
            out = output("debootstrap", {"--variant=minbase", "bookworm", chroot, "http://deb.debian.org/debian"},
                         &code, 1200000);
            QVERIFY2(code == 0, qPrintable(out));
        }
        const QString inside = "/tmp/" + QFileInfo(deb).fileName();
        QFile::remove(chroot + inside);
        QVERIFY(QFile::copy(deb, chroot + inside));
        auto in = [&](const QStringList &command, int timeoutMs = 1200000) {
            return output("chroot", QStringList{chroot, "env", "DEBIAN_FRONTEND=noninteractive"} + command, &code,
                          timeoutMs);
        };
        out = in({"apt-get", "update", "-qq"});
        QVERIFY2(code == 0, qPrintable(out));
        out = in({"apt-get", "install", "-y", "-qq", inside});
        QVERIFY2(code == 0, qPrintable(out));
        QCOMPARE(in({"brivara", "--version"}).trimmed(),
                 output(qEnvironmentVariable("BRIVARA_EXE"), {"--version"}).trimmed());
        out = in({"apt-get", "remove", "--purge", "-y", "-qq", "brivara"});
        QVERIFY2(code == 0, qPrintable(out));
        QVERIFY(!QFileInfo::exists(chroot + "/usr/bin/brivara"));
        QVERIFY(!QFileInfo::exists(chroot + "/usr/share/brivara"));
        QVERIFY(!QFileInfo::exists(chroot + "/usr/share/doc/brivara"));
    }
};

QTEST_GUILESS_MAIN(TestDebPackage)
#include "test_deb_package.moc"
