#include "core/ControlProtocol.h"

#include <QJsonArray>
#include <QTest>

class TestControlProtocol : public QObject
{
    Q_OBJECT

private:
    static ControlRequest parsed(const QByteArray &line)
    {
        const ControlParseResult r = ControlProtocol::parseRequest(line);
        if (!r.request)
            qWarning() << "unexpected parse error:" << r.error;
        return r.request.value_or(ControlRequest{});
    }

private slots:
    void parsesEachCommandWithItsFields()
    {
        ControlRequest r = parsed(R"({"cmd":"get","window":"TForm1","control":"BPlay"})");
        QCOMPARE(r.command, ControlCommand::Get);
        QCOMPARE(r.window, QStringLiteral("TForm1"));
        QCOMPARE(r.control, QStringLiteral("BPlay"));

        r = parsed(R"({"cmd":"get","window":"TForm2"})");
        QCOMPARE(r.command, ControlCommand::Get);
        QVERIFY(r.control.isEmpty());

        r = parsed(R"({"cmd":"set","window":"TForm2","control":"SliderPos","value":[1,"a"]})");
        QCOMPARE(r.command, ControlCommand::Set);
        QCOMPARE(r.value, QJsonValue(QJsonArray{1, "a"}));

        r = parsed(R"({"cmd":"set","window":"W","control":"C","value":null})");
        QVERIFY(r.value.isNull());

        r = parsed(R"({"cmd":"click","window":"TForm1","control":"BPlay"})");
        QCOMPARE(r.command, ControlCommand::Click);
        QCOMPARE(r.control, QStringLiteral("BPlay"));

        r = parsed(R"({"cmd":"key","row":42})");
        QCOMPARE(r.command, ControlCommand::Key);
        QCOMPARE(r.row, 42);
        QCOMPARE(parsed(R"({"cmd":"key","row":1.0})").row, 1);

        r = parsed(R"({"cmd":"open","path":"/tmp/a b.avi"})");
        QCOMPARE(r.command, ControlCommand::Open);
        QCOMPARE(r.path, QStringLiteral("/tmp/a b.avi"));
        r = parsed(R"({"cmd":"open","path":""})");
        QCOMPARE(r.command, ControlCommand::Open);
        QVERIFY(r.path.isEmpty());

        QCOMPARE(parsed(R"({"cmd":"screenshot","path":"/tmp/s.png"})").path,
                 QStringLiteral("/tmp/s.png"));
        r = parsed(R"({"cmd":"screenshot"})");
        QCOMPARE(r.command, ControlCommand::Screenshot);
        QVERIFY(r.path.isEmpty());

        QCOMPARE(parsed(R"({"cmd":"state"})").command, ControlCommand::State);
        QCOMPARE(parsed(R"({"cmd":"dialog"})").command, ControlCommand::Dialog);
        QCOMPARE(parsed(R"({"cmd":"quit"})").command, ControlCommand::Quit);
    }

    void parsesTheThreeKindsOfAnswer()
    {
        ControlRequest r = parsed(R"({"cmd":"answer","button":"Yes"})");
        QCOMPARE(r.command, ControlCommand::Answer);
        QCOMPARE(r.button, QStringLiteral("Yes"));
        QVERIFY(r.paths.isEmpty());
        QVERIFY(!r.cancel);

        r = parsed(R"({"cmd":"answer","paths":["/a.avi","/b.avi"]})");
        QCOMPARE(r.paths, (QStringList{"/a.avi", "/b.avi"}));
        QVERIFY(r.button.isEmpty());

        r = parsed(R"({"cmd":"answer","cancel":true})");
        QVERIFY(r.cancel);

        // cancel:false is no choice at all, so the button decides.
        r = parsed(R"({"cmd":"answer","button":"No","cancel":false})");
        QCOMPARE(r.button, QStringLiteral("No"));
        QVERIFY(!r.cancel);
    }

    void toleratesLineEndsAndExtraFields()
    {
        QCOMPARE(parsed("{\"cmd\":\"state\"}\r\n").command, ControlCommand::State);
        QCOMPARE(parsed("  {\"cmd\":\"quit\",\"id\":7}  ").command, ControlCommand::Quit);
    }

    void refusesMalformedRequests_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("errorPart");

        QTest::newRow("empty") << QByteArray("") << "empty";
        QTest::newRow("blank") << QByteArray("   \r\n") << "empty";
        QTest::newRow("not json") << QByteArray("hello") << "invalid JSON";
        QTest::newRow("truncated") << QByteArray(R"({"cmd":"state")") << "invalid JSON";
        QTest::newRow("array") << QByteArray(R"(["state"])") << "JSON object";
        QTest::newRow("no cmd") << QByteArray(R"({"window":"TForm1"})") << "missing field \"cmd\"";
        QTest::newRow("cmd number") << QByteArray(R"({"cmd":5})") << "\"cmd\" must be a string";
        QTest::newRow("unknown cmd") << QByteArray(R"({"cmd":"explode"})") << "unknown command \"explode\"";
        QTest::newRow("cmd case") << QByteArray(R"({"cmd":"STATE"})") << "unknown command";
        QTest::newRow("get no window") << QByteArray(R"({"cmd":"get"})") << "missing field \"window\"";
        QTest::newRow("get window number") << QByteArray(R"({"cmd":"get","window":1})") << "\"window\" must be a string";
        QTest::newRow("get empty window") << QByteArray(R"({"cmd":"get","window":""})") << "\"window\" must not be empty";
        QTest::newRow("get control array") << QByteArray(R"({"cmd":"get","window":"W","control":[]})") << "\"control\" must be a string";
        QTest::newRow("click no control") << QByteArray(R"({"cmd":"click","window":"TForm1"})") << "missing field \"control\"";
        QTest::newRow("set no value") << QByteArray(R"({"cmd":"set","window":"W","control":"C"})") << "missing field \"value\"";
        QTest::newRow("set no control") << QByteArray(R"({"cmd":"set","window":"W","value":1})") << "missing field \"control\"";
        QTest::newRow("key no row") << QByteArray(R"({"cmd":"key"})") << "missing field \"row\"";
        QTest::newRow("key row string") << QByteArray(R"({"cmd":"key","row":"5"})") << "must be an integer";
        QTest::newRow("key row fraction") << QByteArray(R"({"cmd":"key","row":2.5})") << "must be an integer";
        QTest::newRow("key row huge") << QByteArray(R"({"cmd":"key","row":1e300})") << "must be an integer";
        QTest::newRow("key row 0") << QByteArray(R"({"cmd":"key","row":0})") << "1..42";
        QTest::newRow("key row 43") << QByteArray(R"({"cmd":"key","row":43})") << "1..42";
        QTest::newRow("key row -1") << QByteArray(R"({"cmd":"key","row":-1})") << "1..42";
        QTest::newRow("open no path") << QByteArray(R"({"cmd":"open"})") << "missing field \"path\"";
        QTest::newRow("open path number") << QByteArray(R"({"cmd":"open","path":3})") << "\"path\" must be a string";
        QTest::newRow("screenshot path bool") << QByteArray(R"({"cmd":"screenshot","path":true})") << "\"path\" must be a string";
        QTest::newRow("answer nothing") << QByteArray(R"({"cmd":"answer"})") << "exactly one of";
        QTest::newRow("answer cancel false") << QByteArray(R"({"cmd":"answer","cancel":false})") << "exactly one of";
        QTest::newRow("answer two") << QByteArray(R"({"cmd":"answer","button":"OK","cancel":true})") << "exactly one of";
        QTest::newRow("answer cancel string") << QByteArray(R"({"cmd":"answer","cancel":"yes"})") << "\"cancel\" must be a boolean";
        QTest::newRow("answer paths empty") << QByteArray(R"({"cmd":"answer","paths":[]})") << "non-empty array";
        QTest::newRow("answer paths string") << QByteArray(R"({"cmd":"answer","paths":"/a"})") << "non-empty array";
        QTest::newRow("answer paths mixed") << QByteArray(R"({"cmd":"answer","paths":["/a",3]})") << "non-empty array";
        QTest::newRow("answer button empty") << QByteArray(R"({"cmd":"answer","button":""})") << "must not be empty";
    }

    void refusesMalformedRequests()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, errorPart);
        const ControlParseResult r = ControlProtocol::parseRequest(line);
        QVERIFY(!r.request);
        QVERIFY2(r.error.contains(errorPart), qPrintable(r.error));
    }

    void refusesOverLongLinesButTakesOneAtTheLimit()
    {
        // A valid request padded with spaces to exactly the limit still parses.
        QByteArray line = R"({"cmd":"state"})";
        line.append(QByteArray(ControlProtocol::MaxLineBytes - line.size(), ' '));
        QVERIFY(ControlProtocol::parseRequest(line).request);
        QVERIFY(ControlProtocol::parseRequest(line + "\r\n").request);

        line.append(' ');
        const ControlParseResult r = ControlProtocol::parseRequest(line);
        QVERIFY(!r.request);
        QVERIFY2(r.error.contains("longer than"), qPrintable(r.error));
    }

    void buildsSingleLineReplies()
    {
        const QByteArray ok = ControlProtocol::toLine(
            ControlProtocol::okReply({{"text", "two\nlines"}, {"n", 3}}));
        QVERIFY(ok.endsWith('\n'));
        QCOMPARE(ok.count('\n'), 1);
        const auto back = ControlProtocol::parseReply(ok);
        QVERIFY(back);
        QCOMPARE(back->value("ok"), QJsonValue(true));
        QCOMPARE(back->value("text"), QJsonValue("two\nlines"));
        QCOMPARE(back->value("n"), QJsonValue(3));

        const auto err = ControlProtocol::parseReply(
            ControlProtocol::toLine(ControlProtocol::errorReply("no such window")));
        QVERIFY(err);
        QCOMPARE(err->value("ok"), QJsonValue(false));
        QCOMPARE(err->value("error"), QJsonValue("no such window"));

        // okReply never lets a field claim failure.
        QCOMPARE(ControlProtocol::okReply({{"ok", false}}).value("ok"), QJsonValue(true));

        QVERIFY(!ControlProtocol::parseReply("[1,2]"));
        QVERIFY(!ControlProtocol::parseReply("garbage"));
    }

    void clientRequestsParseBackToTheSameCommand()
    {
        ControlRequest r = parsed(ControlProtocol::toLine(ControlProtocol::keyRequest(27)));
        QCOMPARE(r.command, ControlCommand::Key);
        QCOMPARE(r.row, 27);
        r = parsed(ControlProtocol::toLine(ControlProtocol::openRequest("/m/film \"1\".avi")));
        QCOMPARE(r.command, ControlCommand::Open);
        QCOMPARE(r.path, QStringLiteral("/m/film \"1\".avi"));
        QCOMPARE(ControlProtocol::commandName(ControlCommand::Screenshot), QStringLiteral("screenshot"));
    }
};

QTEST_APPLESS_MAIN(TestControlProtocol)
#include "test_control_protocol.moc"
