#include "core/UpdateCheck.h"

#include "core/Messages.h"
#include "core/PanelLayout.h"

#include <QStringDecoder>
#include <QUrlQuery>

namespace UpdateCheck {

namespace {

constexpr int MsgNothingNew = 26;
constexpr int MsgNewVersion = 25;
constexpr int MsgWhatYouHave = 27;

QString environmentValue(const char *name)
{
    return qEnvironmentVariable(name).trimmed();
}

QUrl withSubject(QUrl mail, const QString &subject)
{
    QUrlQuery query(mail);
    if (!query.hasQueryItem(QStringLiteral("subject"))) {
        query.addQueryItem(QStringLiteral("subject"), subject);
        mail.setQuery(query);
    }
    return mail;
}

} // namespace

QString decodeBody(const QByteArray &body)
{
    if (const auto bom = QStringConverter::encodingForData(body)) {
        QStringDecoder decoder(*bom); // drops the mark itself
        return decoder.decode(body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    QStringDecoder polish("windows-1250");
    if (polish.isValid())
        return polish.decode(body);
    return QString::fromLatin1(body);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

Result interpret(const QString &body, int ownVersion, const Messages &msg)
{
    Result result;
    const QStringList lines = splitLines(body);
    if (lines.isEmpty())
        return result;
    bool ok = false;
    const int published = lines.first().trimmed().toInt(&ok, 10);
    if (!ok)
        return result;

    result.publishedVersion = published;
    if (published <= ownVersion) {
        result.verdict = Verdict::NothingNew;
        result.lines << msg.text(MsgNothingNew) << QStringLiteral(" ") << QString(40, u'-')
                     << msg.text(MsgWhatYouHave) << QString(40, u'-');
    } else {
        result.verdict = Verdict::NewVersion;
        result.lines << msg.text(MsgNewVersion) << QString(32, u'=');
    }
    result.lines << lines.mid(1);
    return result;
}

Result interpret(const QByteArray &body, int ownVersion, const Messages &msg)
{
    return interpret(decodeBody(body), ownVersion, msg);
}

Addresses Addresses::builtIn()
{
    return {QUrl(QStringLiteral("http://www.zendor.org/Brivara/Brivara.zdr")),
            QUrl(QStringLiteral("http://www.zendor.org/Brivara/")),
            QUrl(QStringLiteral("mailto:brivara@zendor.org"))};
}

Addresses Addresses::fromEnvironment()
{
    Addresses addresses = builtIn();
    if (const QString url = environmentValue("BRIVARA_UPDATE_URL"); !url.isEmpty())
        addresses.versionFile = QUrl::fromUserInput(url);
    if (const QString url = environmentValue("BRIVARA_DOWNLOAD_URL"); !url.isEmpty())
        addresses.downloadPage = QUrl::fromUserInput(url);
    if (QString mail = environmentValue("BRIVARA_SUPPORT_MAIL"); !mail.isEmpty()) {
        // A bare address would otherwise read as a web host with a user name.
        if (!mail.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            mail.prepend(QLatin1String("mailto:"));
        addresses.supportMail = QUrl(mail);
    }
    return addresses;
}

QUrl Addresses::errorReportMail() const
{
    return withSubject(supportMail, PanelLayout::programTitle() + QStringLiteral(" - błąd"));
}

QUrl Addresses::suggestionMail() const
{
    return withSubject(supportMail, PanelLayout::programTitle() + QStringLiteral(" - propozycje"));
}

} // namespace UpdateCheck
