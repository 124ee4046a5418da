// The control socket end to end inside one process: a real ControlServer answering through
// Automation over real widgets, driven by ControlClient from a worker thread while this
// thread runs the widgets (and any modal dialog they open).

#include "platform/ControlClient.h"
#include "platform/ControlServer.h"
#include "ui/app/Automation.h"
#include "ui/app/AutomationHost.h"
#include "ui/skins/TZDButton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSysInfo>
#include <QImage>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace automationtest {

class FakeHost : public AutomationHost
{
public:
    QJsonObject playerState() const override { return {{"playState", "Paused"}, {"positionMs", 1234}}; }
    void handOver(const QString &path) override { handedOver << path; }
    void remoteKey(int row) override { keys << row; }
    void quit() override { ++quits; }

    QStringList handedOver;
    QList<int> keys;
    int quits = 0;
};

// A picture-like control that only knows the mouse.
class MouseOnly : public QWidget
{
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// The control panel of the test: one of each kind of control the windows use.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    TForm1()
    {
        setObjectName("TForm1");
        setWindowTitle("Panel");
        auto named = [this](QWidget *w, const char *name, QRect geometry) {
            w->setParent(this);
            w->setObjectName(name);
            w->setGeometry(geometry);
        };
        play = new QPushButton("&Play");
        named(play, "BPlay", {10, 20, 60, 24});
        connect(play, &QPushButton::clicked, this, [this] { status->setText(QString("clicked %1").arg(++plays)); });

        auto *disabled = new QPushButton("Off");
        named(disabled, "BDisabled", {80, 20, 60, 24});
        disabled->setEnabled(false);

        auto *ask = new QPushButton("Ask");
        named(ask, "BAsk", {150, 20, 60, 24});
        connect(ask, &QPushButton::clicked, this, [this] {
            QMessageBox box(QMessageBox::Question, "Brivara", "Delete the list?",
                            QMessageBox::Yes | QMessageBox::No, this);
            lastAnswer = box.exec();
        });

        auto *open = new QPushButton("Open");
        named(open, "BOpen", {220, 20, 60, 24});
        connect(open, &QPushButton::clicked, this, [this] {
            QFileDialog fd(this, "Open files", dialogFolder, "Films (*.avi *.mpg);;All files (*)");
            fd.setOption(QFileDialog::DontUseNativeDialog);
            fd.setFileMode(QFileDialog::ExistingFiles);
            chosenFiles = fd.exec() == QDialog::Accepted ? fd.selectedFiles() : QStringList{"cancelled"};
        });

        slider = new QSlider(Qt::Horizontal);
        named(slider, "SliderPos", {10, 60, 200, 20});
        slider->setRange(0, 1000);
        connect(slider, &QSlider::valueChanged, this, [this](int v) { sliderSeen << v; });

        combo = new QComboBox;
        named(combo, "ComboLang", {10, 90, 120, 24});
        combo->addItems({"English", "Polski", "Deutsch"});
        connect(combo, &QComboBox::activated, this, [this](int i) { activated << i; });

        grid = new QTableWidget(2, 2);
        named(grid, "GridList", {10, 120, 200, 80});
        grid->setHorizontalHeaderLabels({"File", "Time"});
        grid->setItem(0, 0, new QTableWidgetItem("a.avi"));
        grid->setItem(0, 1, new QTableWidgetItem("1:00"));
        grid->setItem(1, 0, new QTableWidgetItem("b.avi"));

        list = new QListWidget;
        named(list, "ListFiles", {220, 120, 100, 80});
        list->addItems({"one", "two"});

        edit = new QLineEdit;
        named(edit, "RemoteCode", {10, 210, 80, 24});
        connect(edit, &QLineEdit::editingFinished, this, [this] { finishedText = edit->text(); });

        check = new QCheckBox("Repeat");
        named(check, "CheckRepeat", {100, 210, 80, 24});
        connect(check, &QCheckBox::toggled, this, [this](bool on) { toggles << on; });

        auto *confirm = new QCheckBox("Confirm");
        named(confirm, "CheckConfirm", {280, 240, 50, 24});
        connect(confirm, &QCheckBox::toggled, this, [this] {
            QMessageBox box(QMessageBox::Information, "Brivara", "Restart to apply.", QMessageBox::Ok, this);
            box.exec();
        });

        status = new QLabel("0:00");
        named(status, "StatusTime", {190, 210, 80, 24});

        auto *hidden = new QLabel("hidden");
        named(hidden, "LabelHidden", {280, 210, 40, 24});
        hidden->hide();

        skin = new TZDButton;
        named(skin, "BSkin", {10, 240, 40, 24});
        skin->setCaption("Play");
        skin->setTag(7);
        connect(skin, &TZDButton::clicked, this, [this] { ++skinClicks; });

        picture = new MouseOnly;
        named(picture, "ImagePanel", {60, 240, 40, 24});

        menu = new QMenu(this);
        menu->setObjectName("PopupMenu1");
        repeat = menu->addAction("&Repeat");
        repeat->setObjectName("MRepeat");
        repeat->setCheckable(true);
        connect(repeat, &QAction::triggered, this, [this] { ++repeatTriggers; });
        menu->addSeparator();
        QMenu *sub = menu->addMenu("Help");
        // Owned by nobody in the window's tree: found through the menu only.
        about = new QAction("About", qApp);
        about->setObjectName("MAbout");
        sub->addAction(about);
        connect(about, &QAction::triggered, this, [this] { ++aboutTriggers; });

        timer = new QTimer(this);
        timer->setObjectName("TimerCursor");
        timer->setInterval(3000);
        timer->start();

        resize(340, 280);
    }

    QString dialogFolder;
    QPushButton *play;
    QSlider *slider;
    QComboBox *combo;
    QTableWidget *grid;
    QListWidget *list;
    QLineEdit *edit;
    QCheckBox *check;
    QLabel *status;
    TZDButton *skin;
    MouseOnly *picture;
    QMenu *menu;
    QAction *repeat;
    QAction *about;
    QTimer *timer;

    int plays = 0;
    int skinClicks = 0;
    int repeatTriggers = 0;
    int aboutTriggers = 0;
    int lastAnswer = -1;
    QStringList chosenFiles;
    QList<int> sliderSeen;
    QList<int> activated;
    QList<bool> toggles;
    QString finishedText;
};

} // namespace automationtest

// Found by its class name, not its object name.
class TFormProbe : public QWidget
{
    Q_OBJECT
};

using namespace automationtest;

class TestAutomation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_socket;
    FakeHost m_host;
    std::unique_ptr<Automation> m_automation;
    std::unique_ptr<ControlServer> m_server;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<QWidget> m_form2;
    std::unique_ptr<TFormProbe> m_probe;

    // Runs `body` on a worker thread while this thread serves the socket and the widgets.
    // A dialog the body leaves open is closed, so a failing step cannot hang the test.
    void offThread(const std::function<void()> &body)
    {
        QEventLoop loop;
        std::thread worker([&] {
            body();
            QMetaObject::invokeMethod(&loop, [&loop] {
                for (int i = 0; i < 5 && QApplication::activeModalWidget(); ++i) {
                    if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                        d->done(QDialog::Rejected);
                    else
                        QApplication::activeModalWidget()->close();
                }
                loop.quit();
            }, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
    }

    QList<QJsonObject> exchange(const QList<QByteArray> &lines)
    {
        QList<QJsonObject> replies;
        offThread([&] {
            ControlClient client;
            if (!client.connectTo(m_socket))
                return;
            for (const QByteArray &line : lines) {
                const ControlClient::Reply r = client.requestLine(line);
                replies << (r.delivered ? r.object : QJsonObject{{"transport", r.error}});
            }
        });
        return replies;
    }

    QJsonObject call(const QJsonObject &request)
    {
        const QList<QJsonObject> r = exchange({ControlProtocol::toLine(request)});
        return r.isEmpty() ? QJsonObject{{"transport", "no connection"}} : r.first();
    }

    QJsonObject get(const QString &control, const QString &window = "TForm1")
    {
        return call({{"cmd", "get"}, {"window", window}, {"control", control}});
    }

    QJsonObject set(const QString &control, const QJsonValue &value)
    {
        return call({{"cmd", "set"}, {"window", "TForm1"}, {"control", control}, {"value", value}});
    }

    QJsonObject click(const QString &control)
    {
        return call({{"cmd", "click"}, {"window", "TForm1"}, {"control", control}});
    }

    static void settle() { QCoreApplication::processEvents(); }

    // Asks for the open dialog until one shows (the click that opens it runs after its reply).
    static QJsonObject waitForDialog(ControlClient &client)
    {
        for (int i = 0; i < 200; ++i) {
            const ControlClient::Reply r = client.request({{"cmd", "dialog"}});
            if (r.delivered && r.object.value("dialog").isObject())
                return r.object.value("dialog").toObject();
            QThread::msleep(20);
        }
        return {};
    }

    static QString errorOf(const QJsonObject &reply)
    {
        return reply.value("ok").toBool() ? QString() : reply.value("error").toString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_socket = m_dir.filePath("ctl.sock");
        m_automation = std::make_unique<Automation>(&m_host);
        m_server = std::make_unique<ControlServer>();
        m_server->setHandler([this](const ControlRequest &r) { return m_automation->handle(r); });
        QCOMPARE(m_server->listen(m_socket), ControlServer::ListenResult::Listening);

        m_form = std::make_unique<TForm1>();
        m_form->dialogFolder = m_dir.path();
        m_form->move(20, 30);
        m_form->show();
        m_form2 = std::make_unique<QWidget>();
        m_form2->setObjectName("TForm2");
        m_probe = std::make_unique<TFormProbe>();
        m_probe->setObjectName("probe-object");
        m_probe->resize(50, 40);
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void getReadsWhatEachControlHolds()
    {
        QJsonObject r = get("BPlay");
        QVERIFY2(r.value("ok").toBool(), qPrintable(errorOf(r)));
        QCOMPARE(r.value("caption").toString(), QString("&Play"));
        QCOMPARE(r.value("class").toString(), QString("QPushButton"));
        QCOMPARE(r.value("x").toInt(), 10);
        QCOMPARE(r.value("y").toInt(), 20);
        QCOMPARE(r.value("width").toInt(), 60);
        QVERIFY(r.value("visible").toBool());
        QVERIFY(r.value("enabled").toBool());
        QVERIFY(!get("BDisabled").value("enabled").toBool());
        QVERIFY(!get("LabelHidden").value("visible").toBool());

        m_form->slider->setValue(250);
        r = get("SliderPos");
        QCOMPARE(r.value("value").toInt(), 250);
        QCOMPARE(r.value("maximum").toInt(), 1000);

        r = get("ComboLang");
        QCOMPARE(r.value("items").toArray(), (QJsonArray{"English", "Polski", "Deutsch"}));
        QCOMPARE(r.value("index").toInt(), 0);

        r = get("GridList");
        QCOMPARE(r.value("cells").toArray(),
                 (QJsonArray{QJsonArray{"a.avi", "1:00"}, QJsonArray{"b.avi", ""}}));
        QCOMPARE(r.value("columns").toArray(), (QJsonArray{"File", "Time"}));

        QCOMPARE(get("ListFiles").value("items").toArray(), (QJsonArray{"one", "two"}));
        QCOMPARE(get("StatusTime").value("text").toString(), QString("0:00"));

        r = get("MRepeat");
        QCOMPARE(r.value("text").toString(), QString("&Repeat"));
        QVERIFY(r.value("checkable").toBool());
        QVERIFY(!r.value("checked").toBool());
        QCOMPARE(get("PopupMenu1").value("items").toArray(), (QJsonArray{"&Repeat", "-", "Help"}));
        QCOMPARE(get("MAbout").value("text").toString(), QString("About"));

        r = get("TimerCursor");
        QVERIFY(r.value("enabled").toBool());
        QCOMPARE(r.value("interval").toInt(), 3000);

        r = get("BSkin");
        QCOMPARE(r.value("caption").toString(), QString("Play"));
        QCOMPARE(r.value("down").toBool(), false);
        QCOMPARE(r.value("tag").toInt(), 7);
    }

    void getReadsWindowsByClassOrObjectName()
    {
        const QJsonObject viaOmitted = call({{"cmd", "get"}, {"window", "TForm1"}});
        const QJsonObject viaSelf = get("TForm1");
        QCOMPARE(viaOmitted, viaSelf);
        QCOMPARE(viaSelf.value("clientWidth").toInt(), 340);
        QCOMPARE(viaSelf.value("clientHeight").toInt(), 280);
        QCOMPARE(viaSelf.value("caption").toString(), QString("Panel"));
        QVERIFY(viaSelf.value("visible").toBool());

        const QJsonObject probe = call({{"cmd", "get"}, {"window", "TFormProbe"}});
        QVERIFY2(probe.value("ok").toBool(), qPrintable(errorOf(probe)));
        QCOMPARE(probe.value("name").toString(), QString("probe-object"));
        QCOMPARE(probe.value("clientWidth").toInt(), 50);
    }

    void setChangesValuesSoHandlersRun()
    {
        m_form->sliderSeen.clear();
        QJsonObject r = set("SliderPos", 600);
        QVERIFY2(r.value("ok").toBool(), qPrintable(errorOf(r)));
        QCOMPARE(r.value("value").toInt(), 600);
        QCOMPARE(m_form->sliderSeen, QList<int>{600});

        m_form->activated.clear();
        QCOMPARE(set("ComboLang", "Deutsch").value("index").toInt(), 2);
        QCOMPARE(set("ComboLang", 1).value("text").toString(), QString("Polski"));
        QCOMPARE(m_form->activated, (QList<int>{2, 1}));

        QVERIFY(set("RemoteCode", 17).value("ok").toBool());
        QCOMPARE(m_form->finishedText, QString("17"));

        m_form->toggles.clear();
        QVERIFY(set("CheckRepeat", true).value("checked").toBool());
        QVERIFY(set("CheckRepeat", true).value("checked").toBool());
        QCOMPARE(m_form->toggles, QList<bool>{true});

        // A checkable menu item is triggered only when its state must change.
        const int before = m_form->repeatTriggers;
        QVERIFY(set("MRepeat", true).value("checked").toBool());
        QVERIFY(set("MRepeat", true).value("checked").toBool());
        QCOMPARE(m_form->repeatTriggers, before + 1);

        QVERIFY(!set("TimerCursor", false).value("enabled").toBool());
        QVERIFY(!m_form->timer->isActive());
        QCOMPARE(set("TimerCursor", 250).value("interval").toInt(), 250);
        QVERIFY(set("TimerCursor", true).value("enabled").toBool());

        QVERIFY(set("BSkin", true).value("down").toBool());
        QVERIFY(m_form->skin->isDown());

        QCOMPARE(set("ListFiles", "two").value("index").toInt(), 1);
        QCOMPARE(m_form->list->currentRow(), 1);
        r = set("GridList", QJsonArray{1, 0});
        QCOMPARE(r.value("index").toInt(), 1);
        QCOMPARE(r.value("column").toInt(), 0);
    }

    void setRefusesWhatAUserCouldNotDo_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("label") << "StatusTime" << QJsonValue("x") << "only shows";
        QTest::newRow("slider text") << "SliderPos" << QJsonValue("far") << "must be an integer";
        QTest::newRow("combo missing") << "ComboLang" << QJsonValue("Klingon") << "no item";
        QTest::newRow("combo range") << "ComboLang" << QJsonValue(3) << "no item 3";
        QTest::newRow("disabled") << "BDisabled" << QJsonValue(true) << "disabled";
        QTest::newRow("plain button") << "BPlay" << QJsonValue(true) << "click it instead";
        QTest::newRow("plain menu item") << "MAbout" << QJsonValue(true) << "not checkable";
        QTest::newRow("grid outside") << "GridList" << QJsonValue(QJsonArray{5, 0}) << "no cell";
        QTest::newRow("window") << "TForm1" << QJsonValue(1) << "no value to set";
    }

    void setRefusesWhatAUserCouldNotDo()
    {
        QFETCH(QString, control);
        QFETCH(QJsonValue, value);
        QFETCH(QString, errorPart);
        const int sliderBefore = m_form->slider->value();
        const QJsonObject r = set(control, value);
        QVERIFY(!r.value("ok").toBool());
        QVERIFY2(errorOf(r).contains(errorPart), qPrintable(errorOf(r)));
        QCOMPARE(m_form->slider->value(), sliderBefore);
    }

    void clickRunsAfterTheReplyAsAUsersClick()
    {
        const int plays = m_form->plays;
        QVERIFY(click("BPlay").value("ok").toBool());
        settle();
        QCOMPARE(m_form->plays, plays + 1);

        const int abouts = m_form->aboutTriggers;
        QVERIFY(click("MAbout").value("ok").toBool());
        settle();
        QCOMPARE(m_form->aboutTriggers, abouts + 1);

        QVERIFY(click("BSkin").value("ok").toBool());
        QVERIFY(click("ImagePanel").value("ok").toBool());
        settle();
        QCOMPARE(m_form->skinClicks, 1);
        QCOMPARE(m_form->picture->presses, 1);

        QVERIFY(errorOf(click("BDisabled")).contains("disabled"));
        QVERIFY(errorOf(click("TimerCursor")).contains("cannot be clicked"));
    }

    void pipelinedRequestsSeeTheEffectsOfEarlierOnes()
    {
        // Both lines reach the server in one write; the click must run before the get.
        QList<QJsonObject> replies;
        offThread([&] {
            ControlClient client;
            if (!client.connectTo(m_socket))
                return;
            const ControlClient::Reply first = client.requestLine(
                R"({"cmd":"click","window":"TForm1","control":"BPlay"})" "\n"
                R"({"cmd":"get","window":"TForm1","control":"StatusTime"})");
            replies << first.object << client.receive().object;
        });
        QCOMPARE(replies.size(), 2);
        QVERIFY(replies[0].value("ok").toBool());
        QCOMPARE(replies[1].value("text").toString(), QString("clicked %1").arg(m_form->plays));
    }

    void messageBoxIsReadAndAnswered()
    {
        QJsonObject none;
        QJsonObject shown;
        QJsonObject wrongButton;
        QJsonObject answered;
        offThread([&] {
            ControlClient client;
            if (!client.connectTo(m_socket))
                return;
            none = client.request({{"cmd", "dialog"}}).object;
            client.request({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BAsk"}});
            shown = waitForDialog(client);
            wrongButton = client.request({{"cmd", "answer"}, {"button", "Maybe"}}).object;
            answered = client.request({{"cmd", "answer"}, {"button", "no"}}).object;
        });
        QVERIFY(none.value("ok").toBool());
        QVERIFY(none.value("dialog").isNull());
        QCOMPARE(shown.value("title").toString(), QString("Brivara"));
        QCOMPARE(shown.value("text").toString(), QString("Delete the list?"));
        const QJsonArray buttons = shown.value("buttons").toArray();
        QVERIFY(buttons.contains("Yes") && buttons.contains("No"));
        QVERIFY(errorOf(wrongButton).contains("no button \"Maybe\""));
        QVERIFY2(answered.value("ok").toBool(), qPrintable(errorOf(answered)));
        QCOMPARE(m_form->lastAnswer, int(QMessageBox::No));
        QVERIFY(!QApplication::activeModalWidget());

        QVERIFY(errorOf(call({{"cmd", "answer"}, {"cancel", true}})).contains("no dialog"));
    }

    void fileDialogTakesPathsOrIsCancelled()
    {
        const QString a = m_dir.filePath("a.avi");
        const QString b = m_dir.filePath("sub/b film.avi");
        QDir(m_dir.path()).mkpath("sub");
        for (const QString &p : {a, b}) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }

        QJsonObject shown;
        QJsonObject accepted;
        QJsonObject cancelled;
        offThread([&] {
            ControlClient client;
            if (!client.connectTo(m_socket))
                return;
            client.request({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BOpen"}});
            shown = waitForDialog(client);
            accepted = client.request({{"cmd", "answer"}, {"paths", QJsonArray{a, b}}}).object;
        });
        QCOMPARE(shown.value("kind").toString(), QString("open"));
        QCOMPARE(shown.value("directory").toString(), m_dir.path());
        QCOMPARE(shown.value("filters").toArray(), (QJsonArray{"Films (*.avi *.mpg)", "All files (*)"}));
        QVERIFY2(accepted.value("ok").toBool(), qPrintable(errorOf(accepted)));
        QCOMPARE(m_form->chosenFiles, (QStringList{a, b}));

        offThread([&] {
            ControlClient client;
            if (!client.connectTo(m_socket))
                return;
            client.request({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BOpen"}});
            waitForDialog(client);
            cancelled = client.request({{"cmd", "answer"}, {"cancel", true}}).object;
        });
        QVERIFY(cancelled.value("ok").toBool());
        QCOMPARE(m_form->chosenFiles, QStringList{"cancelled"});
    }

    void aChangeThatOpensADialogIsAnsweredFromAnotherConnection()
    {
        QJsonObject setReply;
        QJsonObject shown;
        QJsonObject answered;
        offThread([&] {
            std::thread changer([&] {
                ControlClient client;
                if (client.connectTo(m_socket))
                    setReply = client.request({{"cmd", "set"}, {"window", "TForm1"},
                                               {"control", "CheckConfirm"}, {"value", true}}).object;
            });
            ControlClient client;
            if (client.connectTo(m_socket)) {
                shown = waitForDialog(client);
                answered = client.request({{"cmd", "answer"}, {"button", "OK"}}).object;
            }
            changer.join();
        });
        QCOMPARE(shown.value("text").toString(), QString("Restart to apply."));
        QVERIFY(answered.value("ok").toBool());
        // The change's reply waited for its handler, dialog and all.
        QVERIFY2(setReply.value("ok").toBool(), qPrintable(errorOf(setReply)));
        QVERIFY(setReply.value("checked").toBool());
    }

    void stateAndPlayerCommandsGoToTheHost()
    {
        const QJsonObject r = call({{"cmd", "state"}});
        QVERIFY(r.value("ok").toBool());
        const QJsonObject state = r.value("state").toObject();
        QCOMPARE(state.value("playState").toString(), QString("Paused"));
        QCOMPARE(state.value("positionMs").toInt(), 1234);
        const QJsonObject windows = state.value("windows").toObject();
        QCOMPARE(windows.keys().size(), 9);
        const QJsonObject panel = windows.value("TForm1").toObject();
        QVERIFY(panel.value("visible").toBool());
        QCOMPARE(panel.value("clientWidth").toInt(), 340);
        QCOMPARE(panel.value("x").toInt(), m_form->frameGeometry().x());
        QVERIFY(windows.value("TForm2").toObject().value("exists").toBool());
        QVERIFY(!windows.value("TForm2").toObject().value("visible").toBool());
        QVERIFY(!windows.value("TForm4").toObject().value("exists").toBool());

        const QList<QJsonObject> replies = exchange({R"({"cmd":"key","row":5})", R"({"cmd":"key","row":43})",
                                                     R"({"cmd":"open","path":"/films/x.avi"})",
                                                     R"({"cmd":"quit"})"});
        settle();
        QCOMPARE(replies.size(), 4);
        QVERIFY(replies[0].value("ok").toBool());
        QVERIFY(errorOf(replies[1]).contains("1..42"));
        QCOMPARE(m_host.keys, QList<int>{5});
        QCOMPARE(m_host.handedOver, QStringList{"/films/x.avi"});
        QCOMPARE(m_host.quits, 1);
    }

    void malformedLinesGetErrorsAndTheConnectionGoesOn()
    {
        QByteArray huge(ControlProtocol::MaxLineBytes + 10, 'x');
        const QList<QJsonObject> replies = exchange({
            "this is not json",
            "[1,2,3]",
            R"({"cmd":"fly"})",
            R"({"cmd":"get","window":"TFormNope"})",
            R"({"cmd":"get","window":"TForm1","control":"BNope"})",
            R"({"cmd":"set","window":"TForm1","control":"SliderPos"})",
            huge,
            "{\"cmd\":\"get\",\"window\":\"TForm1\",\"control\":\"BPlay\"}\r",
        });
        QCOMPARE(replies.size(), 8);
        const QStringList expected{"invalid JSON", "JSON object", "unknown command", "unknown window",
                                   "no control \"BNope\"", "missing field \"value\"", "longer than"};
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(errorOf(replies[i]).contains(expected[i]), qPrintable(errorOf(replies[i])));
        QVERIFY(replies[7].value("ok").toBool());
        QCOMPARE(replies[7].value("name").toString(), QString("BPlay"));
    }

    void screenshotShowsOverlappingWindows()
    {
        QWidget under;
        under.setWindowFlag(Qt::FramelessWindowHint);
        under.setStyleSheet("background: rgb(0,0,255)");
        under.setGeometry(400, 400, 200, 200);
        QWidget over;
        over.setWindowFlag(Qt::FramelessWindowHint);
        over.setStyleSheet("background: rgb(255,0,0)");
        over.setGeometry(500, 500, 200, 200);
        under.show();
        QVERIFY(QTest::qWaitForWindowExposed(&under));
        over.show();
        QVERIFY(QTest::qWaitForWindowExposed(&over));
        over.raise();
        QTest::qWait(200); // let the server draw; not an assertion on time

        const QString path = m_dir.filePath("shot.png");
        const QJsonObject r = call({{"cmd", "screenshot"}, {"path", path}});
        QVERIFY2(r.value("ok").toBool(), qPrintable(errorOf(r)));
        QCOMPARE(r.value("path").toString(), path);
        const QImage shot(path);
        QVERIFY(!shot.isNull());
        if (QGuiApplication::platformName() == "offscreen")
            QSKIP("the offscreen platform has no composed screen to check");
        QCOMPARE(shot.pixelColor(450, 450), QColor(0, 0, 255));
        QCOMPARE(shot.pixelColor(550, 550), QColor(255, 0, 0));
        QCOMPARE(shot.pixelColor(650, 650), QColor(255, 0, 0));

        QVERIFY(!call({{"cmd", "screenshot"}, {"path", m_dir.filePath("no/such/dir/s.png")}})
                     .value("ok").toBool());
    }

    void secondServerFindsTheFirstAndStaleSocketsAreTakenOver()
    {
        // Only its owner may connect.
        const QFile::Permissions perms = QFileInfo(m_server->fullServerName()).permissions();
        QVERIFY(perms & QFile::WriteOwner);
        QVERIFY(!(perms & (QFile::WriteGroup | QFile::WriteOther | QFile::ReadGroup | QFile::ReadOther)));

        ControlServer second;
        QCOMPARE(second.listen(m_socket), ControlServer::ListenResult::AnotherInstance);
        // The first still answers.
        QVERIFY(call({{"cmd", "dialog"}}).value("ok").toBool());

        // A socket file and lock left by a crashed instance.
        const QString stale = m_dir.filePath("stale.sock");
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        qstrncpy(addr.sun_path, QFile::encodeName(stale).constData(), sizeof addr.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
        ::close(fd);
        QVERIFY(QFile::exists(stale));
        {
            QFile lock(stale + ".lock");
            QVERIFY(lock.open(QIODevice::WriteOnly));
            // pid of no process, this application, this host
            lock.write("2147483646\nui_test_automation\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        ControlServer revived;
        revived.setHandler([](const ControlRequest &) { return ControlProtocol::okReply({{"revived", true}}); });
        QCOMPARE(revived.listen(stale), ControlServer::ListenResult::Listening);
        QJsonObject reply;
        offThread([&] { reply = ControlClient::send(stale, {{"cmd", "state"}}).object; });
        QVERIFY(reply.value("revived").toBool());

        ControlServer nowhere;
        QCOMPARE(nowhere.listen(m_dir.filePath("missing/dir/x.sock")), ControlServer::ListenResult::Failed);
        QVERIFY(!nowhere.errorString().isEmpty());

        // A plain name lives in the user's own folder of the temp folder, which nobody else
        // may enter: one left open is closed, a link put in its place is refused.
        const bool hadTemp = qEnvironmentVariableIsSet("TMPDIR");
        const QByteArray oldTemp = qgetenv("TMPDIR");
        const QString temp = m_dir.filePath("tmp");
        QVERIFY(QDir().mkpath(temp));
        qputenv("TMPDIR", QFile::encodeName(temp));
        const QString folder = QFileInfo(ControlServer::socketPath("plain")).absolutePath();
        QVERIFY(folder.startsWith(temp + "/"));
        QVERIFY(QFile::link(m_dir.path(), folder));
        ControlServer linked;
        QCOMPARE(linked.listen("plain"), ControlServer::ListenResult::Failed);
        QVERIFY2(linked.errorString().contains("not a folder"), qPrintable(linked.errorString()));
        QVERIFY(QFile::remove(folder));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadOther | QFile::ExeOther));
        ControlServer plain;
        QCOMPARE(plain.listen("plain"), ControlServer::ListenResult::Listening);
        QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup),
                 QFile::Permissions());
        QCOMPARE(plain.fullServerName(), folder + "/plain");
        plain.close();
        if (hadTemp)
            qputenv("TMPDIR", oldTemp);
        else
            qunsetenv("TMPDIR");
    }

    void serverWithoutHandlerAndAbsentServerFailCleanly()
    {
        const QString name = m_dir.filePath("bare.sock");
        ControlServer bare;
        QCOMPARE(bare.listen(name), ControlServer::ListenResult::Listening);
        ControlClient::Reply reply;
        offThread([&] { reply = ControlClient::send(name, {{"cmd", "state"}}); });
        QVERIFY(reply.delivered);
        QVERIFY(errorOf(reply.object).contains("not ready"));

        bare.close();
        ControlClient client;
        QVERIFY(!client.connectTo(name, 200));
        QVERIFY(!client.errorString().isEmpty());
        QVERIFY(!client.request({{"cmd", "state"}}).delivered);
    }
};

QTEST_MAIN(TestAutomation)
#include "test_automation.moc"
