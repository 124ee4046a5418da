#include "core/DisplayMode.h"
#include "core/SettingsSchema.h"
#include "core/SettingsStore.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using Type = SettingsStore::Type;

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString file() const { return dir.filePath("Zendor/Brivara.conf"); }

    void writeRaw(const QByteArray &text)
    {
        QDir().mkpath(dir.filePath("Zendor"));
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

private slots:
    void everyTypeSurvivesARoundTrip()
    {
        {
            SettingsStore store(file());
            store.write("S", Type::String, QStringLiteral("Zażółć, gęślą \"jaźń\" = 1"));
            store.write("I", Type::Integer, -123456);
            store.write("B", Type::Boolean, true);
            store.write("F", Type::Float, 1234.5678);
            store.write("Big", Type::Float, 4.2e13); // a resume point in 100-ns units
            store.write("Y", Type::FontStyle, SettingsStore::Bold | SettingsStore::StrikeOut);
            QVERIFY(store.sync());
        }
        SettingsStore store(file());
        QCOMPARE(store.read("S", Type::String).value.toString(), QStringLiteral("Zażółć, gęślą \"jaźń\" = 1"));
        QCOMPARE(store.read("I", Type::Integer).value.toInt(), -123456);
        QCOMPARE(store.read("B", Type::Boolean).value.toBool(), true);
        QCOMPARE(store.read("F", Type::Float).value.toDouble(), 1234.5678);
        QCOMPARE(store.read("Big", Type::Float).value.toDouble(), 4.2e13);
        QCOMPARE(store.read("Y", Type::FontStyle).value.toInt(), 9);
        QVERIFY(!store.read("Missing", Type::String).present);
    }

    void handEditedValuesAreCheckedForTheirType()
    {
        writeRaw("[General]\nOSDTime=abc\nVolume=3.5\nOSDOn=maybe\nOn=1\nOff=0\nName=Arial, Bold\n"
                 "Style=300\nEmpty=\nSpace= 12 \n");
        SettingsStore store(file());
        for (auto [name, type] : {std::pair{"OSDTime", Type::Float}, std::pair{"Volume", Type::Integer},
                                  std::pair{"OSDOn", Type::Boolean}, std::pair{"Style", Type::FontStyle},
                                  std::pair{"Empty", Type::Integer}}) {
            const SettingsStore::Read r = store.read(name, type);
            QVERIFY2(r.present && !r.valid, name);
        }
        QCOMPARE(store.read("On", Type::Boolean).value.toBool(), true);
        QCOMPARE(store.read("Off", Type::Boolean).value.toBool(), false);
        // Unquoted commas are one text, not a list.
        QCOMPARE(store.read("Name", Type::String).value.toString(), QStringLiteral("Arial, Bold"));
        QCOMPARE(store.read("Space", Type::Integer).value.toInt(), 12);
    }

    void clearRemovesTheFileAndAnUnwritableFileIsReported()
    {
        {
            SettingsStore store(file());
            store.write("A", Type::Integer, 1);
            QVERIFY(store.sync());
        }
        QVERIFY(QFile::exists(file()));
        SettingsStore store(file());
        QVERIFY(store.clear());
        QVERIFY(!QFile::exists(file()));

        // A settings folder that is a file cannot hold the settings.
        const QString blocked = dir.filePath("blocked");
        QFile plain(blocked);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        SettingsStore stuck(blocked + "/Brivara.conf");
        stuck.write("A", Type::Integer, 1);
        QString error;
        QVERIFY(!stuck.sync(&error));
        QVERIFY(error.contains("Brivara.conf"));
    }

    void theSchemaIsConsistent()
    {
        QSet<QString> names;
        for (const SettingsSchema::Setting &s : SettingsSchema::all()) {
            QVERIFY2(!names.contains(s.name), s.name);
            names.insert(s.name);
            if (s.defaultValue.isValid() && s.hasRange())
                QVERIFY2(s.defaultValue.toDouble() >= s.minimum && s.defaultValue.toDouble() <= s.maximum, s.name);
        }
        for (const QString &n : SettingsSchema::saveOrder())
            QVERIFY2(SettingsSchema::find(n) && (SettingsSchema::find(n)->writers & SettingsSchema::BySave), qPrintable(n));
        for (const QString &n : SettingsSchema::closeOrder())
            QVERIFY2(SettingsSchema::find(n) && (SettingsSchema::find(n)->writers & SettingsSchema::ByClose),
                     qPrintable(n));
        // Every member of a loaded group is reachable through its guard, and the guard is a member.
        for (const QString &guard : SettingsSchema::loadGroups()) {
            QVERIFY2(SettingsSchema::find(guard), qPrintable(guard));
            QVERIFY(!SettingsSchema::group(guard).isEmpty());
        }
        QCOMPARE(SettingsSchema::group("OSDFontName").first()->name, "OSDOn");
        QCOMPARE(SettingsSchema::group("OSDFontName").last()->name, "FULLHz");
        QCOMPARE(SettingsSchema::find("IQTime")->defaultValue.toInt(), 4000);
        QCOMPARE(SettingsSchema::find("OSDFontColor")->defaultValue.toInt(), 0x0000FF00);
    }

    void displayModesParseAndFallBack()
    {
        const auto mode = DisplayMode::parse("800x600 32bit 85Hz");
        QVERIFY(mode);
        QCOMPARE(*mode, (DisplayMode{800, 600, 32, 85}));
        QCOMPARE(mode->text(), QStringLiteral("800x600 32bit 85Hz"));
        QVERIFY(!DisplayMode::parse("800x600"));
        QVERIFY(!DisplayMode::parse("800 x 600 32bit 85Hz"));
        QCOMPARE((DisplayMode{320, 480, 32, 75}).sanitized(), (DisplayMode{640, 480, 16, 60}));
        QCOMPARE((DisplayMode{640, 399, 32, 75}).sanitized(), (DisplayMode{640, 480, 16, 60}));
        QCOMPARE((DisplayMode{1024, 768, 4, 75}).sanitized(), (DisplayMode{640, 480, 16, 60}));
        QCOMPARE((DisplayMode{640, 400, 8, 50}).sanitized(), (DisplayMode{640, 400, 8, 50}));
    }
};

QTEST_APPLESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
