#include "ui/settings/PageInfo.h"

#include "core/Messages.h"
#include "core/PanelLayout.h"
#include "core/Version.h"
#include "ui/skins/TZDButton.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int MsgFetching = 23;
constexpr int MsgFetchFailed = 24;

constexpr const char *UserAgent = "Mozilla/3.0 (compatible)";
constexpr const char *AcceptTypes = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";

} // namespace

PageInfo::PageInfo(const Messages &msg, QWidget *parent)
    : QWidget(parent),
      m_msg(msg),
      m_addresses(UpdateCheck::Addresses::fromEnvironment()),
      m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("SetupInfo"));
    auto *layout = new QVBoxLayout(this);

    LabelAbout = new QLabel(PanelLayout::programTitle(), this);
    LabelAbout->setObjectName(QStringLiteral("LabelAbout"));
    layout->addWidget(LabelAbout);

    GroupUpgrade = new QGroupBox(
        QStringLiteral("Informacje o nowej wersji programu (kliknij w SPRAWDŹ)"), this);
    GroupUpgrade->setObjectName(QStringLiteral("GroupUpgrade"));
    auto *groupLayout = new QVBoxLayout(GroupUpgrade);
    auto *checkRow = new QHBoxLayout;
    BSprawdz = makeButton("BSprawdz", QStringLiteral("Sprawdź"));
    BDownload = makeButton("BDownload", QStringLiteral("Pobierz"));
    checkRow->addWidget(BSprawdz);
    checkRow->addWidget(BDownload);
    checkRow->addStretch(1);
    groupLayout->addLayout(checkRow);
    MemoUpgrade = new QPlainTextEdit(GroupUpgrade);
    MemoUpgrade->setObjectName(QStringLiteral("MemoUpgrade"));
    MemoUpgrade->setReadOnly(true);
    groupLayout->addWidget(MemoUpgrade, 1);
    layout->addWidget(GroupUpgrade, 1);

    auto *mailRow = new QHBoxLayout;
    BSendError = makeButton("BSendError", QStringLiteral("Wyślij info o błędzie w Brivara"));
    BSendSugestion = makeButton("BSendSugestion", QStringLiteral("Wyślij Propozycje, Sugestie !"));
    mailRow->addWidget(BSendError);
    mailRow->addWidget(BSendSugestion);
    mailRow->addStretch(1);
    layout->addLayout(mailRow);

    connect(BSprawdz, &TZDButton::clicked, this, &PageInfo::BSprawdzClick);
    connect(BDownload, &TZDButton::clicked, this, &PageInfo::BDownloadClick);
    connect(BSendError, &TZDButton::clicked, this, &PageInfo::BSendErrorClick);
    connect(BSendSugestion, &TZDButton::clicked, this, &PageInfo::BSendSugestionClick);
}

PageInfo::~PageInfo()
{
    // A reply still running must not report into a page that is going away.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
}

QString PageInfo::tabTitle()
{
    return QStringLiteral("Info");
}

TZDButton *PageInfo::makeButton(const char *name, const QString &caption)
{
    TZDButton *button = TZDButton::captioned(this, name, caption);
    button->setFixedSize(button->minimumWidth(), 25);
    return button;
}

void PageInfo::BSprawdzClick()
{
    if (m_reply)
        return;
    BSprawdz->setEnabled(false);
    showLines({m_msg.text(MsgFetching)});

    QNetworkRequest request(m_addresses.versionFile);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(UserAgent));
    request.setRawHeader("Accept", AcceptTypes);
    request.setTransferTimeout(m_timeoutMs);
    // Made on the first check: the network stack has no business in the start-up.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > MaxBodyBytes && m_reply)
            m_reply->abort();
    });
    connect(m_reply, &QNetworkReply::finished, this, &PageInfo::checkFinished);
}

void PageInfo::checkFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply.clear();
    if (!reply)
        return;
    reply->deleteLater();
    BSprawdz->setEnabled(true);

    // Qt reports 4xx/5xx as errors; anything else short of a 2xx is not the file either.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool httpOk = !status.isValid() || (status.toInt() >= 200 && status.toInt() < 300);
    // The abort on progress may come too late when the whole body is already in.
    const bool fetched = reply->error() == QNetworkReply::NoError && httpOk;
    const QByteArray body = fetched ? reply->read(MaxBodyBytes + 1) : QByteArray();
    if (!fetched || body.size() > MaxBodyBytes) {
        showLines({m_msg.text(MsgFetchFailed)});
        return;
    }

    const UpdateCheck::Result result =
        UpdateCheck::interpret(body, Brivara::VersionNumber, m_msg);
    if (result.verdict == UpdateCheck::Verdict::NotVersionFile)
        showLines({m_msg.text(MsgFetchFailed)});
    else
        showLines(result.lines);
}

void PageInfo::showLines(const QStringList &lines)
{
    MemoUpgrade->setPlainText(lines.join(u'\n'));
}

void PageInfo::openUrl(const QUrl &url)
{
    // Like the desktop's own shell, a missing browser or mail program is not our error.
    if (m_openUrl)
        m_openUrl(url);
}

void PageInfo::BDownloadClick()
{
    openUrl(m_addresses.downloadPage);
}

void PageInfo::BSendErrorClick()
{
    openUrl(m_addresses.errorReportMail());
}

void PageInfo::BSendSugestionClick()
{
    openUrl(m_addresses.suggestionMail());
}
