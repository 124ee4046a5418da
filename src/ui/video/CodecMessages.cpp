// Telling the user which codec a film lacks, and offering to get it.
#include "ui/video/TForm2.h"

#include "core/CodecReport.h"
#include "engine/MediaEngine.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"

#include <QUrl>

void TForm2::ReportMissingCodec(const QString &path, const CodecReport::FileCodes &codes)
{
    using CodecReport::Report;
    const QList<MediaEngine::MissingDecoder> missing = m_engine->missingDecoders();
    QStringList video, audio;
    for (const MediaEngine::MissingDecoder &decoder : missing)
        (decoder.video ? video : audio) << decoder.description;

    // A picture on screen, or only sound decoders missing: it is the sound that fails.
    const bool soundFails = m_engine->videoSize().width() > 0 || (video.isEmpty() && !audio.isEmpty());
    const Report report = soundFails
                              ? CodecReport::audioCodec(app.messages(), audio.join(QStringLiteral(", ")))
                              : CodecReport::videoCodec(codes, path, app.messages(), video.join(QStringLiteral(", ")));
    const bool plain = report.kind == Report::Kind::Unknown || report.kind == Report::Kind::AudioCodec;
    const QMessageBox::StandardButton answer = app.dialogs().message(
        this, plain ? QMessageBox::NoIcon : QMessageBox::Warning, QStringLiteral("Brivara"), report.text,
        report.askDownload ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (answer != QMessageBox::Yes || !report.askDownload)
        return;
    // The desktop's installer knows the exact plugin; the browser is the way without one.
    if (!missing.isEmpty() && m_engine->installMissingDecoders())
        return;
    if (!report.address.isEmpty() && OpenUrl)
        OpenUrl(QUrl(report.address));
}
