#include "core/CommandLine.h"

#include <QTest>

// What the command line means, before any window exists.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void argumentsMeanWhatTheUsualConventionsSay()
    {
        using A = CommandLine::Action;
        auto check = [](const QStringList &args, A action, const QString &value) {
            const CommandLine::Request r = CommandLine::parse(args);
            if (r.action != action || r.value != value)
                QFAIL(qPrintable(QStringLiteral("%1 -> action %2, value '%3'")
                                     .arg(args.join(u' ')).arg(int(r.action)).arg(r.value)));
        };
        check({}, A::Play, {});
        check({"film.avi"}, A::Play, "film.avi");
        check({"-"}, A::Play, "-");
        // The toolkit's options and their values are not the file.
        check({"-display", ":3", "film.avi"}, A::Play, "film.avi");
        check({"--platform", "offscreen", "-reverse", "MENU"}, A::Play, "MENU");
        // After "--" a name that begins with a dash is still a file.
        check({"--", "-odd name.avi"}, A::Play, "-odd name.avi");
        check({"film.avi", "--help"}, A::Help, {});
        check({"-V"}, A::Version, {});
        check({"--remote", "5"}, A::Remote, "5");
        check({"--ipc", "{}"}, A::Ipc, "{}");

        const CommandLine::Request missing = CommandLine::parse({"--remote"});
        QCOMPARE(missing.action, A::Usage);
        QVERIFY(missing.problem.contains("--remote"));
        const CommandLine::Request typo = CommandLine::parse({"--fulscreen", "film.avi"});
        QCOMPARE(typo.action, A::Usage);
        QVERIFY(typo.problem.contains("--fulscreen"));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
