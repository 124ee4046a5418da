// The page "Edycja Napisów": the subtitle list as the playback timing reads it, edited in
// place, and the film's jumps to its entries.
#include "ui/settings/TForm4.h"

#include "core/PanelLayout.h"
#include "core/SubtitleEditing.h"
#include "core/SubtitleParser.h"
#include "core/TextFile.h"
#include "core/TimeText.h"
#include "core/Transport.h"
#include "engine/MediaEngine.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/app/TForm1.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QCheckBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr int TimeColumn = 0;
constexpr int TextColumn = 1;

QString notATime(const QString &text)
{
    return QStringLiteral("\"%1\" nie jest poprawnym czasem (gg:mm:ss).").arg(text);
}

} // namespace

QWidget *TForm4::buildEditorPage()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheetEditor");
    auto *layout = new QVBoxLayout(page);
    TimeTXTEditor = new QTableWidget(0, 2, page);
    TimeTXTEditor->setObjectName("TimeTXTEditor");
    TimeTXTEditor->setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Text")});
    TimeTXTEditor->horizontalHeader()->resizeSection(TimeColumn, 69);
    TimeTXTEditor->horizontalHeader()->resizeSection(TextColumn, 422);
    TimeTXTEditor->verticalHeader()->setDefaultSectionSize(18);
    TimeTXTEditor->setSelectionBehavior(QAbstractItemView::SelectRows);
    TimeTXTEditor->setSelectionMode(QAbstractItemView::SingleSelection);
    // Texts are typed in place; times go through the picker.
    TimeTXTEditor->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::SelectedClicked);
    layout->addWidget(TimeTXTEditor, 1);
    TimeEdit = new QTimeEdit(page);
    TimeEdit->setObjectName("TimeEdit");
    TimeEdit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    TimeEdit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    TimeEdit->hide();
    LLinii = new QLabel(QStringLiteral("Text 0 of 0"), page);
    LLinii->setObjectName("LLinii");
    layout->addWidget(LLinii);

    auto *buttons = new QGridLayout;
    auto button = [&](TZDButton *&member, const char *name, const QString &caption, int row, int column,
                      int span = 1) {
        member = TZDButton::captioned(page, name, caption);
        member->setFixedHeight(24);
        buttons->addWidget(member, row, column, 1, span);
    };
    button(TXTInsertLine, "TXTInsertLine", QStringLiteral("Wstaw 1 Linie"), 0, 0);
    button(TXTDelLine, "TXTDelLine", QStringLiteral("Usuń 1 Linie"), 0, 1);
    button(TXTInsertTime, "TXTInsertTime", QStringLiteral("Wstaw Czas z Filmu"), 0, 2);
    button(TXTGotoTime, "TXTGotoTime", QStringLiteral("Skocz do czasu"), 1, 0);
    button(TXTSave, "TXTSave", QStringLiteral("Zapisz Napisy"), 1, 1);
    button(TXTFindError, "TXTFindError", QStringLiteral("Szukaj Błędów"), 1, 2);
    // It has never had anything to do; disabled rather than silently ignoring a press.
    TXTFindError->setEnabled(false);
    button(TXTSynchronize, "TXTSynchronize",
           QStringLiteral("Synchronizuj film z tekstem (ten czas w tym miejscu filmu)!"), 2, 0, 3);
    layout->addLayout(buttons);

    auto *shift = new QGroupBox(QStringLiteral("Przesuń czas napisów o dodatkowe:"), page);
    shift->setObjectName("GroupShift");
    auto *form = new QFormLayout(shift);
    SliderTXTSetup = new QSlider(Qt::Horizontal, shift);
    SliderTXTSetup->setObjectName("SliderTXTSetup");
    SliderTXTSetup->setRange(-60, 60);
    SliderTXTSetup->setSingleStep(5);
    SliderTXTSetup->setPageStep(5);
    LabeltxtSec = new QLabel(QStringLiteral("0 s"), shift);
    LabeltxtSec->setObjectName("LabeltxtSec");
    auto *seconds = new QHBoxLayout;
    seconds->addWidget(SliderTXTSetup, 1);
    seconds->addWidget(LabeltxtSec);
    form->addRow(seconds);
    SliderTXTSetupMin = new QSpinBox(shift);
    SliderTXTSetupMin->setObjectName("SliderTXTSetupMin");
    SliderTXTSetupMin->setRange(-999, 999);
    TXTAddDelTime = TZDButton::captioned(shift, "TXTAddDelTime", QStringLiteral("Przelicz cały text"));
    TXTAddDelTime->setFixedHeight(24);
    auto *minutes = new QHBoxLayout;
    minutes->addWidget(SliderTXTSetupMin);
    minutes->addWidget(TXTAddDelTime, 1);
    auto *minutesLabel = new QLabel(QStringLiteral("i minut"), shift);
    minutesLabel->setObjectName("LabelSliderTXTSetupMin");
    form->addRow(minutesLabel, minutes);
    EFrameToSec = new QDoubleSpinBox(shift);
    EFrameToSec->setObjectName("EFrameToSec");
    EFrameToSec->setRange(1, 90);
    EFrameToSec->setDecimals(4);
    EFrameToSec->setSingleStep(0.1);
    EFrameToSec->setValue(25);
    EFrameToSec->setToolTip(QStringLiteral("Tylko dla napisów klatkowych, np. {2345}{2355}"));
    CFrameToSec = new QCheckBox(QStringLiteral("Klatek na sekundę:"), shift);
    CFrameToSec->setObjectName("CFrameToSec");
    form->addRow(CFrameToSec, EFrameToSec);
    layout->addWidget(shift);
    LabelEditorNote = new QLabel(QStringLiteral("EDYTOR W TRAKCIE TWORZENIA - SPRAWDŻ NOWĄ WERSJĘ PROGRAMU !!!"), page);
    LabelEditorNote->setObjectName("LabelEditorNote");
    layout->addWidget(LabelEditorNote);

    // The raw lines of the file, as read; the loader works on them.
    Napisy = new QListWidget(page);
    Napisy->setObjectName("Napisy");
    Napisy->hide();
    connectEditor();
    return page;
}

void TForm4::connectEditor()
{
    connect(TimeTXTEditor, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == TimeColumn)
            TimeTXTEditorGetEditText(row);
    });
    connect(TimeTXTEditor, &QTableWidget::cellActivated, this, [this](int row, int column) {
        if (column == TimeColumn)
            TimeTXTEditorGetEditText(row);
    });
    connect(TimeTXTEditor, &QTableWidget::currentCellChanged, this,
            [this](int row) { TimeTXTEditorSelectCell(row); });
    connect(TimeTXTEditor->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TForm4::TimeTXTEditorTopLeftChanged);
    connect(TimeTXTEditor->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TForm4::TimeTXTEditorTopLeftChanged);
    // A text typed in place goes into the list at once.
    connect(TimeTXTEditor, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (item->column() != TextColumn || item->row() >= m_subtitles.size())
            return;
        const QString text = SubtitleParsing::cutText(item->text());
        m_subtitles[item->row()].text = text;
        if (text != item->text()) {
            const QSignalBlocker quiet(TimeTXTEditor);
            item->setText(text);
        }
    });
    connect(TimeEdit, &QTimeEdit::timeChanged, this, &TForm4::TimeEditChange);
    connect(TXTInsertLine, &TZDButton::clicked, this, &TForm4::TXTInsertLineClick);
    connect(TXTDelLine, &TZDButton::clicked, this, &TForm4::TXTDelLineClick);
    connect(TXTInsertTime, &TZDButton::clicked, this, &TForm4::TXTInsertTimeClick);
    connect(TXTSave, &TZDButton::clicked, this, &TForm4::TXTSaveClick);
    connect(TXTAddDelTime, &TZDButton::clicked, this, &TForm4::TXTAddDelTimeClick);
    connect(TXTSynchronize, &TZDButton::clicked, this, &TForm4::TXTSynchronizeClick);
    connect(TXTGotoTime, &TZDButton::clicked, this, &TForm4::TXTGotoTimeClick);
}

void TForm4::showSubtitles()
{
    const QSignalBlocker quiet(TimeTXTEditor);
    TimeTXTEditor->setRowCount(int(m_subtitles.size()));
    for (int i = 0; i < m_subtitles.size(); ++i) {
        auto *time = new QTableWidgetItem(m_subtitles[i].start);
        time->setFlags(time->flags() & ~Qt::ItemIsEditable);
        TimeTXTEditor->setItem(i, TimeColumn, time);
        TimeTXTEditor->setItem(i, TextColumn, new QTableWidgetItem(m_subtitles[i].text));
    }
    TimeTXTEditorSelectCell(TimeTXTEditor->currentRow());
}

void TForm4::setSubtitles(const SubtitleList &list, const QStringList &rawLines, const QString &encoding)
{
    TimeEdit->hide();
    m_timeEditRow = -1;
    m_subtitles = list;
    m_subtitleEncoding = encoding;
    Napisy->clear();
    Napisy->addItems(rawLines);
    showSubtitles();
}

void TForm4::showEditedSubtitles(int currentRow)
{
    TimeEdit->hide();
    m_timeEditRow = -1;
    showSubtitles();
    if (currentRow >= 0 && currentRow < m_subtitles.size())
        TimeTXTEditor->setCurrentCell(currentRow, TextColumn);
}

void TForm4::TimeTXTEditorSelectCell(int row)
{
    // The count includes the heading row, as the grid always showed it.
    if (m_subtitles.isEmpty())
        LLinii->setText(QStringLiteral("Text 0 of 0"));
    else
        LLinii->setText(QStringLiteral("Text %1 of %2").arg(qMax(1, row + 1)).arg(m_subtitles.size() + 1));
}

void TForm4::TimeTXTEditorGetEditText(int row)
{
    QTableWidgetItem *cell = TimeTXTEditor->item(row, TimeColumn);
    if (!cell || row >= m_subtitles.size())
        return;
    // Opening the picker is not an edit: an empty time stays empty until the picker changes.
    {
        const QSignalBlocker quiet(TimeEdit);
        const auto ms = TimeText::hmsToMs(m_subtitles[row].start);
        TimeEdit->setTime(ms && *ms < 86400000 ? QTime::fromMSecsSinceStartOfDay(int(*ms)) : QTime(0, 0));
    }
    const QRect place = TimeTXTEditor->visualItemRect(cell);
    TimeEdit->setGeometry(QRect(TimeTXTEditor->viewport()->mapTo(EditorPage, place.topLeft()), place.size()));
    m_timeEditRow = row;
    TimeEdit->show();
    TimeEdit->raise();
    TimeEdit->setFocus();
}

void TForm4::TimeEditChange(const QTime &time)
{
    if (m_timeEditRow < 0 || m_timeEditRow >= m_subtitles.size())
        return;
    const QString key = time.toString(QStringLiteral("HH:mm:ss"));
    m_subtitles[m_timeEditRow].start = key;
    const QSignalBlocker quiet(TimeTXTEditor);
    TimeTXTEditor->item(m_timeEditRow, TimeColumn)->setText(key);
}

void TForm4::TimeTXTEditorTopLeftChanged() { TimeEdit->hide(); }

void TForm4::TXTInsertLineClick()
{
    const int row = qMax(0, TimeTXTEditor->currentRow());
    SubtitleEditing::insertLine(m_subtitles, row);
    // The entry shown last moves down with its row, so it is not shown once more.
    if (SubtitleMarker != 999999 && SubtitleMarker - 1 >= row)
        ++SubtitleMarker;
    showEditedSubtitles(row);
}

void TForm4::TXTDelLineClick()
{
    const int row = TimeTXTEditor->currentRow();
    if (!SubtitleEditing::deleteLine(m_subtitles, row))
        return;
    if (SubtitleMarker != 999999 && SubtitleMarker - 1 > row)
        --SubtitleMarker;
    else if (SubtitleMarker - 1 == row)
        SubtitleMarker = 999999;
    showEditedSubtitles(qMin(row, int(m_subtitles.size()) - 1));
}

std::optional<qint64> TForm4::filmSeconds()
{
    const QString shown = app.form1()->StatusTime->text().left(8);
    const std::optional<qint64> ms = TimeText::hmsToMs(shown);
    if (!ms)
        app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(),
                              notATime(shown));
    return ms ? std::optional<qint64>(*ms / 1000) : std::nullopt;
}

void TForm4::TXTInsertTimeClick()
{
    const int row = TimeTXTEditor->currentRow();
    if (row < 0 || row >= m_subtitles.size())
        return;
    if (const auto seconds = filmSeconds()) {
        m_subtitles[row].start = SubtitleParsing::keyForSeconds(*seconds);
        showEditedSubtitles(row);
    }
}

void TForm4::reportInvalidTime(int row)
{
    app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(),
                          QStringLiteral("Linia %1: \"%2\" nie jest poprawnym czasem (gg:mm:ss). "
                                         "Napisy nie zostały zmienione.")
                              .arg(row + 1)
                              .arg(m_subtitles[row].start));
    TimeTXTEditor->setCurrentCell(row, TimeColumn);
}

bool TForm4::shiftSubtitles(qint64 seconds)
{
    TimeEdit->hide();
    if (const int bad = SubtitleEditing::shiftAll(m_subtitles, seconds); bad >= 0) {
        reportInvalidTime(bad);
        return false;
    }
    SliderTXTSetup->setValue(0);
    SliderTXTSetupMin->setValue(0);
    app.form1()->ResetTxtShift();
    showEditedSubtitles(TimeTXTEditor->currentRow());
    return true;
}

void TForm4::TXTAddDelTimeClick()
{
    // The live shifts move the clock ahead, so an entry keyed K shows at K - shift: the
    // keys move back by the shift, and after the fold every entry shows when it did.
    const qint64 live = qint64(SliderTXTSetupMin->value()) * 60 + SliderTXTSetup->value() + app.form1()->TxtShift;
    shiftSubtitles(-live);
}

void TForm4::TXTSynchronizeClick()
{
    const int row = TimeTXTEditor->currentRow();
    if (row < 0 || row >= m_subtitles.size())
        return;
    if (const int bad = SubtitleEditing::firstInvalidRow(m_subtitles); bad >= 0) {
        reportInvalidTime(bad);
        return;
    }
    if (const auto film = filmSeconds())
        shiftSubtitles(*SubtitleEditing::syncShift(m_subtitles, row, *film));
}

void TForm4::TXTGotoTimeClick()
{
    app.form3()->emptyQueue();
    app.form3()->HideSubtitle();
    const int row = TimeTXTEditor->currentRow();
    if (row >= 0 && row < m_subtitles.size())
        GotoTimeTXT(m_subtitles[row].start);
}

void TForm4::TXTSaveClick()
{
    if (const int bad = SubtitleEditing::firstInvalidRow(m_subtitles); bad >= 0) {
        reportInvalidTime(bad);
        return;
    }
    // The file read keeps its own format: the list is offered as a time-colon file of its name.
    const QFileInfo current(app.form1()->DialogFileNameTXT);
    const QString offered = current.fileName().isEmpty()
                                ? QString()
                                : current.absoluteDir().filePath(current.completeBaseName() + QStringLiteral(".txt"));
    app.dialogOpen = true;
    const QString chosen = app.dialogs().saveFile(
        this, QStringLiteral("Zapisz Napisy"), current.absolutePath(), offered,
        {QStringLiteral("Napisy (*.txt)"), QStringLiteral("Wszystkie Pliki (*)")}, QStringLiteral("txt"));
    app.dialogOpen = false;
    if (chosen.isEmpty())
        return;
    const auto file = SubtitleEditing::encodeLines(SubtitleEditing::timeColonLines(m_subtitles), m_subtitleEncoding);
    QString error;
    if (!TextFile::writeBytes(chosen, file.bytes, &error))
        app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(), error);
}

void TForm4::GotoTimeTXT(const QString &time)
{
    app.formMenu()->StopMenuTimer();
    emit jumpingToTime();
    app.form3()->emptyQueue();
    const std::optional<qint64> ms = TimeText::hmsToMs(time);
    if (!ms) {
        app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(),
                              notATime(time));
        return;
    }
    TForm1 *panel = app.form1();
    // A disc is not timed by the film's clock, and with nothing loaded there is nothing to move.
    if (panel->PlayState == TForm1::StateNone || panel->MediaMode != TForm1::ModeFile)
        return;
    app.form2()->engine().seek(*ms * Transport::UnitsPerMs);
    panel->BPlayClick();
}
