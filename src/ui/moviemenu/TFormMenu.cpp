#include "ui/moviemenu/TFormMenu.h"

#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/moviemenu/MenuShape.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QUrl>

namespace {

QFont withHeight(QFont font, int pixels, bool underline)
{
    font.setPixelSize(qMax(1, pixels));
    font.setBold(true);
    font.setUnderline(underline);
    return font;
}

} // namespace

TFormMenu::TFormMenu(Player &app)
    : PlayerWindow(app, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setWindowTitle(QStringLiteral("Menu"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    for (int i = 0; i < 5; ++i) {
        auto *region = new QWidget(this);
        region->setObjectName(QStringLiteral("MenuRegion%1").arg(i + 1));
        region->setCursor(Qt::PointingHandCursor);
        region->installEventFilter(this);
        region->hide();
        MenuRegion[i] = region;
    }
    TimerMenu = new QTimer(this);
    TimerMenu->setObjectName("TimerMenu");
    TimerMenu->setSingleShot(true);
    connect(TimerMenu, &QTimer::timeout, this, &TFormMenu::TimerMenuTimer);
    resize(300, 200);
    connect(app.form1(), &TForm1::closing, TimerMenu, &QTimer::stop);
    // The next film brings its own menu, or none.
    connect(app.form1(), &TForm1::mediumOpening, this, [this] {
        TimerMenu->stop();
        hide();
    });
}

QFont TFormMenu::entryFont() const { return withHeight(m_font, m_height, false); }
QFont TFormMenu::titleFont() const { return withHeight(m_font, m_height + 5, true); }

void TFormMenu::ShowMenu()
{
    TForm4 *prefs = app.form4();
    if (!prefs || !app.form1()->MenuInFile) {
        app.formOSD()->ShowOSD(QStringLiteral("No Menu"));
        return;
    }
    hide();
    TimerMenu->stop();
    TimerMenu->setInterval(prefs->MenuTime->tag() * 1000);

    m_menu = prefs->EditorMenu();
    m_colour = prefs->MenuColor();
    m_font = prefs->BMenuColor->font();
    m_entries = MovieMenuLayout::entryCount(m_menu);
    TForm2 *video = app.form2();

    // The title is measured in the larger letters it is drawn in.
    auto widestAt = [this](int h) {
        m_height = h;
        int widest = QFontMetrics(titleFont()).horizontalAdvance(m_menu.title);
        const QFontMetrics entry(entryFont());
        for (const MovieMenuEntry &e : m_menu.entries)
            widest = qMax(widest, entry.horizontalAdvance(e.text));
        return widest;
    };
    m_height = MovieMenuLayout::fittedFontHeight(MovieMenuLayout::fontHeight(video->height(), m_entries), widestAt,
                                                 video->width(), app.fullScreenActive(),
                                                 prefs->fullScreenMode().width);
    const int widest = widestAt(m_height);
    const int outline = prefs->OSDObwodka->tag();
    const MovieMenuLayout::Geometry g =
        MovieMenuLayout::place(video->frameGeometry(), m_entries, m_height, widest, outline);
    m_titleBand = g.titleBand;
    m_step = g.entryStep;

    QList<MenuShape::Line> lines{{m_menu.title, titleFont(), QPoint(1, 0)}};
    for (int i = 0; i < m_entries; ++i)
        lines.append({m_menu.entries[i].text, entryFont(), QPoint(1, m_titleBand + i * m_step)});
    setGeometry(g.window);
    setMask(MenuShape::region(lines, g.window.size(), outline));
    for (int i = 0; i < 5; ++i) {
        MenuRegion[i]->setVisible(i < m_entries);
        if (i < m_entries)
            MenuRegion[i]->setGeometry(g.regions[i]);
    }
    show();
    raise();
    update();
    TimerMenu->start();
}

void TFormMenu::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(m_colour);
    p.setFont(titleFont());
    p.drawText(QPoint(2, 1 + QFontMetrics(titleFont()).ascent()), m_menu.title);
    p.setFont(entryFont());
    const int ascent = QFontMetrics(entryFont()).ascent();
    // All five are drawn; the shape shows the counted ones.
    for (int i = 0; i < MovieMenu::Entries; ++i)
        p.drawText(QPoint(2, m_titleBand + 1 + i * m_step + ascent), m_menu.entries[i].text);
}

bool TFormMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < 5; ++i)
            if (watched == MenuRegion[i]) {
                MenuRegionClick(i + 1);
                return true;
            }
    }
    return PlayerWindow::eventFilter(watched, event);
}

void TFormMenu::TimerMenuTimer()
{
    TimerMenu->stop();
    hide();
    if (app.form4()->MenuStart->isChecked())
        app.form1()->BPlayClick();
}

void TFormMenu::StopMenuTimer() { TimerMenu->stop(); }

void TFormMenu::MenuRegionClick(int entry)
{
    if (entry < 1 || entry > MovieMenu::Entries)
        return;
    TForm4 *prefs = app.form4();
    if (prefs->MenuOnClick->isChecked())
        hide();
    const MovieMenuEntry &e = m_menu.entries[entry - 1];
    if (e.link)
        openLink(e.text);
    else
        prefs->GotoTimeTXT(QTime(0, 0).addSecs(e.seconds).toString(QStringLiteral("hh:mm:ss")));
}

void TFormMenu::openLink(const QString &text)
{
    const MovieMenuLayout::Link link =
        MovieMenuLayout::link(text, QFileInfo(app.form1()->CurrentFile).absolutePath());
    if (link.ask) {
        const QString target = link.target.isLocalFile() ? link.target.toLocalFile() : link.target.toString();
        const auto answer = app.dialogs().message(
            this, QMessageBox::Warning, QStringLiteral("Brivara"),
            QStringLiteral("Ta pozycja menu filmu otworzy:\n\n%1\n\nOtworzyć?").arg(target),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    if (m_openUrl)
        m_openUrl(link.target);
}
