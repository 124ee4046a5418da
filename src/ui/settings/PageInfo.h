#pragma once

#include "core/UpdateCheck.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class Messages;
class QGroupBox;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPlainTextEdit;
class TZDButton;

// The preferences window's "Info" page: about text, the check for a newer version, and
// the ways to reach the maker (download page, mail). The check runs in the background;
// the window stays usable while the version file is on its way.
class PageInfo : public QWidget
{
    Q_OBJECT
public:
    // Hands an address to the desktop (browser, mail program). Replaceable so that tests
    // see what would open without starting a browser.
    using UrlOpener = std::function<bool(const QUrl &)>;

    static constexpr int DefaultTimeoutMs = 15000;
    // A version file is a few lines; anything this large is not one.
    static constexpr qint64 MaxBodyBytes = 1 << 20;

    explicit PageInfo(const Messages &msg, QWidget *parent = nullptr);
    ~PageInfo() override;

    static QString tabTitle();

    const UpdateCheck::Addresses &addresses() const { return m_addresses; }
    void setAddresses(const UpdateCheck::Addresses &addresses) { m_addresses = addresses; }
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Longest wait without data before the check gives up.
    void setTimeout(int ms) { m_timeoutMs = ms; }
    bool isChecking() const { return !m_reply.isNull(); }

    QLabel *LabelAbout = nullptr;
    QGroupBox *GroupUpgrade = nullptr;
    TZDButton *BSprawdz = nullptr;
    TZDButton *BDownload = nullptr;
    QPlainTextEdit *MemoUpgrade = nullptr;
    TZDButton *BSendError = nullptr;
    TZDButton *BSendSugestion = nullptr;

public slots:
    void BSprawdzClick();
    void BDownloadClick();
    void BSendErrorClick();
    void BSendSugestionClick();

private:
    void checkFinished();
    void showLines(const QStringList &lines);
    void openUrl(const QUrl &url);
    TZDButton *makeButton(const char *name, const QString &caption);

    const Messages &m_msg;
    UpdateCheck::Addresses m_addresses;
    UrlOpener m_openUrl;
    int m_timeoutMs = DefaultTimeoutMs;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
};
