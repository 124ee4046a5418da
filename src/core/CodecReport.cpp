#include "core/CodecReport.h"

#include "core/CodecTable.h"
#include "core/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace CodecReport {

namespace {

constexpr qint64 HandlerOffset = 112;
constexpr qint64 SecondaryOffset = 601;

QString codeAt(QFile &file, qint64 offset)
{
    if (!file.seek(offset))
        return {};
    QByteArray bytes = file.read(4);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromLatin1(bytes);
}

// Between the codec's name and the question, as the messages have always been laid out.
const QString Gap = QStringLiteral("\n\r\n\r");

} // namespace

FileCodes readCodes(const QString &path)
{
    FileCodes codes;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return codes;
    codes.handler = codeAt(file, HandlerOffset);
    codes.secondary = codeAt(file, SecondaryOffset);
    return codes;
}

QString windowsMediaAddress()
{
    return QStringLiteral("https://packages.debian.org/bookworm/gstreamer1.0-libav");
}

Report videoCodec(const FileCodes &codes, const QString &fileName, const Messages &msg, const QString &decoder)
{
    Report report;
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    if (const auto codec = CodecTable::find(codes.handler)) {
        report.kind = Report::Kind::KnownCodec;
        QString name = codec->name;
        if (!decoder.isEmpty())
            name += QStringLiteral(" (") + decoder + QLatin1Char(')');
        report.address = codec->address;
        // A codec nobody offers a download for gets no question that leads nowhere.
        report.askDownload = !codec->address.isEmpty();
        report.text = msg.text(9) + name + (report.askDownload ? Gap + msg.text(10) : QString());
    } else if (!decoder.isEmpty()) {
        report.kind = Report::Kind::NamedDecoder;
        report.text = msg.text(9) + decoder + Gap + msg.text(10);
        report.askDownload = true;
        report.address = windowsMediaAddress();
    } else if (codes.secondary.left(3).toUpper() == QLatin1String("WMV") || suffix.startsWith(QLatin1String("MP"))) {
        report.kind = Report::Kind::WindowsMedia;
        report.text = msg.text(11);
        report.askDownload = true;
        report.address = windowsMediaAddress();
    } else if (suffix.startsWith(QLatin1String("MOV"))) {
        report.kind = Report::Kind::QuickTime;
        report.text = msg.text(12);
    } else {
        report.kind = Report::Kind::Unknown;
        report.text = msg.text(13) + codes.handler + msg.text(14);
    }
    return report;
}

Report audioCodec(const Messages &msg, const QString &decoder)
{
    Report report;
    report.kind = Report::Kind::AudioCodec;
    report.text = msg.text(30);
    if (!decoder.isEmpty())
        report.text += QStringLiteral("\r\n\r\n") + decoder;
    return report;
}

} // namespace CodecReport
