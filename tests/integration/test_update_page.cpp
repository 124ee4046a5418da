#include "core/Messages.h"
#include "ui/settings/PageInfo.h"
#include "ui/skins/TZDButton.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <memory>

namespace {

constexpr int kWaitMs = 20000;

QByteArray httpResponse(const QByteArray &statusLine, const QByteArray &body)
{
    return statusLine + "\r\nContent-Type: text/plain\r\nContent-Length: "
           + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// Answers every request on 127.0.0.1 with one fixed response; while held, requests wait
// unanswered until release().
class FixedHttpServer : public QObject
{
public:
    explicit FixedHttpServer(QByteArray response) : m_response(std::move(response))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                ++connections;
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/Brivara/Brivara.zdr").arg(m_server.serverPort()));
    }

    void hold() { m_held = true; }
    void release()
    {
        m_held = false;
        for (const QPointer<QTcpSocket> &socket : std::as_const(m_waiting))
            if (socket)
                answer(socket);
        m_waiting.clear();
    }

    int connections = 0;
    QByteArray lastRequest;

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        lastRequest = buffer;
        if (m_held)
            m_waiting.append(socket);
        else
            answer(socket);
    }

    void answer(QTcpSocket *socket)
    {
        socket->write(m_response);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_response;
    bool m_held = false;
    QList<QPointer<QTcpSocket>> m_waiting;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

QString memo(const PageInfo &page)
{
    return page.MemoUpgrade->toPlainText();
}

QString headerValue(const QByteArray &request, const QByteArray &name)
{
    for (const QByteArray &line : request.split('\n'))
        if (line.toLower().startsWith(name.toLower() + ':'))
            return QString::fromLatin1(line.mid(name.size() + 1).trimmed());
    return {};
}

} // namespace

class TestUpdatePage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void layout();
    void check_data();
    void check();
    void windowStaysResponsiveWhileFetching();
    void silentServerTimesOut();
    void closingDuringFetch();
    void addressesOpenThroughOpener();

private:
    Messages m_msg;
    const QString kFetching = QStringLiteral("Pobieram Info...");
    const QString kFailed = QStringLiteral("Błąd Pobierania !!!");
};

void TestUpdatePage::init()
{
    qunsetenv("BRIVARA_UPDATE_URL");
    qunsetenv("BRIVARA_DOWNLOAD_URL");
    qunsetenv("BRIVARA_SUPPORT_MAIL");
}

void TestUpdatePage::layout()
{
    PageInfo page(m_msg);
    QCOMPARE(page.objectName(), QStringLiteral("SetupInfo"));
    QCOMPARE(PageInfo::tabTitle(), QStringLiteral("Info"));
    QCOMPARE(page.findChild<QLabel *>("LabelAbout")->text(), QStringLiteral("Brivara V1.7"));
    QCOMPARE(page.GroupUpgrade->title(),
             QStringLiteral("Informacje o nowej wersji programu (kliknij w SPRAWDŹ)"));
    const QList<std::pair<const char *, QString>> buttons{
        {"BSprawdz", "Sprawdź"},
        {"BDownload", "Pobierz"},
        {"BSendError", "Wyślij info o błędzie w Brivara"},
        {"BSendSugestion", "Wyślij Propozycje, Sugestie !"}};
    for (const auto &[name, caption] : buttons) {
        auto *button = page.findChild<TZDButton *>(name);
        QVERIFY2(button, name);
        QCOMPARE(button->caption(), caption);
        QCOMPARE(button->buttonStyle(), TZDButton::btNormal);
        QVERIFY(button->isEnabled());
    }
    auto *memo = page.findChild<QPlainTextEdit *>("MemoUpgrade");
    QVERIFY(memo && memo->isReadOnly());
    QVERIFY(memo->toPlainText().isEmpty());
}

void TestUpdatePage::check_data()
{
    const QString dashes(40, u'-');
    const QString equals(32, u'=');
    const QString nothingNew = "NIE MA NIC NOWEGO !!!\n \n" + dashes
                               + "\nOstatnie co było i masz to:\n" + dashes;
    const QString newVersion = "JEST NOWA WERSJA PROGRAMU !!!\n" + equals;

    QTest::addColumn<QByteArray>("response"); // empty: nobody listens on the port
    QTest::addColumn<QString>("expected");
    QTest::newRow("same version") << httpResponse("HTTP/1.0 200 OK", "45\nstare")
                                  << nothingNew + "\nstare";
    QTest::newRow("new version, CRLF") << httpResponse("HTTP/1.0 200 OK", "46\r\nnotes")
                                       << newVersion + "\nnotes";
    QTest::newRow("only the version line") << httpResponse("HTTP/1.0 200 OK", "46\r\n")
                                           << newVersion;
    QTest::newRow("garbage") << httpResponse("HTTP/1.0 200 OK", "<html>moved</html>") << kFailed;
    QTest::newRow("empty body") << httpResponse("HTTP/1.0 200 OK", "") << kFailed;
    // The error page's body reads like a version file; it must not count.
    QTest::newRow("not found") << httpResponse("HTTP/1.0 404 Not Found", "46\nfake") << kFailed;
    QTest::newRow("server error") << httpResponse("HTTP/1.0 500 Internal Server Error", "")
                                  << kFailed;
    QTest::newRow("oversized") << httpResponse("HTTP/1.0 200 OK",
                                               "46\n" + QByteArray(PageInfo::MaxBodyBytes + 10, 'x'))
                               << kFailed;
    QTest::newRow("no server") << QByteArray() << kFailed;
}

void TestUpdatePage::check()
{
    QFETCH(QByteArray, response);
    QFETCH(QString, expected);

    std::unique_ptr<FixedHttpServer> server;
    UpdateCheck::Addresses addresses = UpdateCheck::Addresses::builtIn();
    if (response.isEmpty()) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        addresses.versionFile = QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort()));
        closed.close();
    } else {
        server = std::make_unique<FixedHttpServer>(response);
        addresses.versionFile = server->url();
    }

    PageInfo page(m_msg);
    page.setAddresses(addresses);
    page.MemoUpgrade->setPlainText(QStringLiteral("old text"));
    page.BSprawdz->click();
    QCOMPARE(memo(page), kFetching);
    QVERIFY(!page.BSprawdz->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(page.BSprawdz->isEnabled(), kWaitMs);
    QCOMPARE(memo(page), expected);
    QVERIFY(!page.isChecking());

    // The result of one check never leaks into the next one.
    if (server) {
        page.BSprawdz->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.BSprawdz->isEnabled(), kWaitMs);
        QCOMPARE(memo(page), expected);
        QCOMPARE(server->connections, 2);
    }
}

void TestUpdatePage::windowStaysResponsiveWhileFetching()
{
    FixedHttpServer server(httpResponse("HTTP/1.0 200 OK", "47\nwiele nowego"));
    server.hold();
    PageInfo page(m_msg);
    UpdateCheck::Addresses addresses = page.addresses();
    addresses.versionFile = server.url();
    page.setAddresses(addresses);
    page.show();

    page.BSprawdz->click();
    // The server lives on this thread: it can only see the request if the click returned
    // and the event loop went on.
    QTRY_VERIFY_WITH_TIMEOUT(!server.lastRequest.isEmpty(), kWaitMs);
    bool timerFired = false;
    QTimer::singleShot(10, this, [&timerFired] { timerFired = true; });
    QTRY_VERIFY_WITH_TIMEOUT(timerFired, kWaitMs);
    QVERIFY(page.isChecking());
    QCOMPARE(memo(page), kFetching);
    QVERIFY(!page.BSprawdz->isEnabled());

    QCOMPARE(headerValue(server.lastRequest, "User-Agent"), QStringLiteral("Mozilla/3.0 (compatible)"));
    QCOMPARE(headerValue(server.lastRequest, "Accept"),
             QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"));
    QVERIFY(server.lastRequest.startsWith("GET /Brivara/Brivara.zdr "));

    // One fetch at a time, even when the handler is called directly.
    page.BSprawdzClick();
    QTest::qWait(50);
    QCOMPARE(server.connections, 1);

    server.release();
    QTRY_VERIFY_WITH_TIMEOUT(page.BSprawdz->isEnabled(), kWaitMs);
    QCOMPARE(memo(page), QStringLiteral("JEST NOWA WERSJA PROGRAMU !!!\n%1\nwiele nowego")
                             .arg(QString(32, u'=')));
}

void TestUpdatePage::silentServerTimesOut()
{
    FixedHttpServer server(httpResponse("HTTP/1.0 200 OK", "46"));
    server.hold();
    PageInfo page(m_msg);
    UpdateCheck::Addresses addresses = page.addresses();
    addresses.versionFile = server.url();
    page.setAddresses(addresses);
    page.setTimeout(300);

    page.BSprawdz->click();
    QTRY_VERIFY_WITH_TIMEOUT(page.BSprawdz->isEnabled(), kWaitMs);
    QCOMPARE(memo(page), kFailed);
}

void TestUpdatePage::closingDuringFetch()
{
    FixedHttpServer server(httpResponse("HTTP/1.0 200 OK", "46"));
    server.hold();
    auto page = std::make_unique<PageInfo>(m_msg);
    UpdateCheck::Addresses addresses = page->addresses();
    addresses.versionFile = server.url();
    page->setAddresses(addresses);
    page->BSprawdz->click();
    QTRY_VERIFY_WITH_TIMEOUT(!server.lastRequest.isEmpty(), kWaitMs);
    page.reset();
    server.release();
    QTest::qWait(100); // the answer arrives at nobody
}

void TestUpdatePage::addressesOpenThroughOpener()
{
    qputenv("BRIVARA_DOWNLOAD_URL", "http://mirror.example.org/brivara/");
    qputenv("BRIVARA_SUPPORT_MAIL", "pomoc@example.org");
    PageInfo page(m_msg);
    QList<QUrl> opened;
    page.setUrlOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });

    page.BDownload->click();
    page.BSendError->click();
    page.BSendSugestion->click();
    QCOMPARE(opened.size(), 3);
    QCOMPARE(opened[0], QUrl("http://mirror.example.org/brivara/"));
    for (int i : {1, 2}) {
        QCOMPARE(opened[i].scheme(), QStringLiteral("mailto"));
        QCOMPARE(opened[i].path(), QStringLiteral("pomoc@example.org"));
    }
    const auto subject = [](const QUrl &url) {
        return QUrlQuery(url).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    };
    QCOMPARE(subject(opened[1]), QStringLiteral("Brivara V1.7 - błąd"));
    QCOMPARE(subject(opened[2]), QStringLiteral("Brivara V1.7 - propozycje"));

    // Without an opener the buttons do nothing rather than fail.
    page.setUrlOpener({});
    page.BDownload->click();
    QCOMPARE(opened.size(), 3);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestUpdatePage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_update_page.moc"
