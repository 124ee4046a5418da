// The snapshot command: the current frame, at the film's own size, into a 24-bit bitmap.
#include "ui/video/TForm2.h"

#include "core/SnapshotFiles.h"
#include "engine/MediaEngine.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/TForm4.h"
#include "ui/subtitles/TForm3.h"

#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QTimer>

namespace {
// A frame may not have reached the tap yet (just after a seek): a few short waits.
constexpr int CaptureTries = 11;
constexpr int CaptureWaitMs = 20;

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool writeBitmap(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Qt writes RGB888 as a 24-bit bitmap.
    if (!image.convertToFormat(QImage::Format_RGB888).save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
} // namespace

void TForm2::ButtonSnapShotClick()
{
    if (app.form1()->PlayState == TForm1::StateNone || !m_engine->isCreated())
        return;
    const auto markBefore = SnapshotFiles::Mark(SnapShotMark);
    // Our engine taps every frame already, so the first press needs no rebuild: it only
    // arms the command, as it always has.
    const bool captured = GetBitmap();
    app.formOSD()->ShowOSD(SnapshotFiles::osdText(markBefore, captured));
    SnapShotMark = SnapshotFiles::Armed;
}

bool TForm2::GetBitmap()
{
    const bool playing = app.form1()->PlayState == TForm1::StatePlaying;
    if (playing)
        m_engine->pause();
    QImage frame;
    for (int i = 0; i < CaptureTries && frame.isNull(); ++i) {
        if (i > 0)
            wait(CaptureWaitMs);
        frame = m_engine->grabFrame();
    }
    bool ok = !frame.isNull();
    if (ok && SnapShotMark == SnapshotFiles::Armed) {
        if (app.form4()->SnapShotSubtitle->isChecked())
            frame = withSubtitle(frame);
        QString path = SnapshotFiles::firstFreeName(QDir::currentPath());
        app.dialogOpen = true;
        if (app.form4()->SnapShotDest->isChecked())
            path = app.dialogs().saveFile(this, QStringLiteral("SnapShot"), QDir::currentPath(),
                                          QFileInfo(path).fileName(), {QStringLiteral("Bitmaps (*.bmp)")},
                                          QStringLiteral("bmp"));
        app.dialogOpen = false;
        // A cancelled dialog saves nothing and is no error; a file that cannot be written is.
        if (!path.isEmpty())
            ok = writeBitmap(frame, path);
    }
    if (playing)
        m_engine->play();
    return ok;
}

QImage TForm2::withSubtitle(const QImage &frame) const
{
    TForm3 *subtitles = app.form3();
    if (!subtitles->isVisible() || !subtitles->textShown() || ZoomRect.isEmpty())
        return frame;
    // The subtitle as the viewer sees it, cut to its shape.
    QImage drawn(subtitles->size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    const QRegion shape = subtitles->mask().isEmpty() ? QRegion(subtitles->rect()) : subtitles->mask();
    subtitles->render(&drawn, QPoint(), shape, QWidget::DrawChildren);

    // From the screen's picture to the frame's own pixels.
    const QRect picture(Panel->mapToGlobal(ZoomRect.topLeft()), ZoomRect.size());
    const double sx = double(frame.width()) / picture.width();
    const double sy = double(frame.height()) / picture.height();
    const QRect on = subtitles->geometry().translated(-picture.topLeft());
    QImage result = frame.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(on.x() * sx, on.y() * sy, on.width() * sx, on.height() * sy), drawn);
    painter.end();
    return result.convertToFormat(QImage::Format_RGB888);
}
