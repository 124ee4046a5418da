// The jump to a time of the film, shared by the subtitle editor and the movie menu.
#include "ui/settings/TForm4.h"

#include "core/Transport.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QStringList>

void TForm4::GotoTimeTXT(const QString &time)
{
    app.formMenu()->StopMenuTimer();
    app.form3()->emptyQueue();
    // Hours, minutes and seconds between the colons, so ten hours and more (three digits
    // where the hours have a leading zero) land where they say.
    const QStringList parts = time.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 3)
        return;
    bool okH = false, okM = false, okS = false;
    const qint64 h = parts[0].toLongLong(&okH), m = parts[1].toLongLong(&okM), s = parts[2].toLongLong(&okS);
    if (!okH || !okM || !okS || h < 0 || m < 0 || s < 0)
        return;
    const qint64 ms = h * 3600000 + m * 60000 + s * 1000;
    app.form2()->engine().seek(ms * Transport::UnitsPerMs);
    app.form1()->BPlayClick();
}
