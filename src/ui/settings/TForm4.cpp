#include "ui/settings/TForm4.h"

#include "core/Messages.h"
#include "core/PanelLayout.h"
#include "core/ProgramFolder.h"
#include "core/SettingsSchema.h"
#include "core/SettingsStore.h"
#include "core/TextFile.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/PageAssociations.h"
#include "ui/settings/PageInfo.h"
#include "ui/settings/PageSkins.h"
#include "ui/settings/SetupControls.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

TForm4::TForm4(Player &app) : PlayerWindow(app, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Brivara - Setup"));
    resize(368, 470);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->setUsesScrollButtons(true);
    layout->addWidget(PageControl, 1);

    PageControl->addTab(buildSubtitlesPage(), QStringLiteral("Napisy"));
    PageControl->addTab(buildIQPage(), QStringLiteral("IQ Napisów"));
    PageControl->addTab(buildOSDPage(), QStringLiteral("OSD"));
    PageControl->addTab(buildPicturePage(), QStringLiteral("Obraz"));
    PageControl->addTab(buildPlayingPage(), QStringLiteral("Odtwarzanie"));
    PageControl->addTab(buildKeysPage(), QStringLiteral("Klawisze"));
    PageControl->addTab(buildSkinsPage(), QStringLiteral("Skórki"));
    EditorPage = buildEditorPage();
    PageControl->addTab(EditorPage, QStringLiteral("Edycja Napisów"));
    PageControl->addTab(buildMenuPage(), QStringLiteral("Menu"));
    Associations = new PageAssociations(app.dialogs());
    PageControl->addTab(Associations, QStringLiteral("Formaty Plików/Inne"));
    SetupInfo = new PageInfo(app.messages());
    PageControl->addTab(SetupInfo, QStringLiteral("Info"));

    auto *bar = new QHBoxLayout;
    layout->addLayout(bar);
    auto button = [&](TZDButton *&member, const char *name, const QString &caption) {
        member = TZDButton::captioned(this, name, caption);
        member->setFixedHeight(24);
        bar->addWidget(member);
    };
    button(ButtonSetupSave, "ButtonSetupSave", QStringLiteral("Zapisz Zmiany"));
    button(ButtonSetupDefault, "ButtonSetupDefault", QStringLiteral("Ustawienia Standardowe"));
    button(ButtonSetupOK, "ButtonSetupOK", QStringLiteral("OK"));

    connectHandlers();
    connect(PageControl, &QTabWidget::currentChanged, this, &TForm4::PageControl1Change);
    buildBindings();
    showKeys();
    followOtherWindows();
}

void TForm4::followOtherWindows()
{
    // Frame-numbered subtitles are timed at 25 frames a second until the film says otherwise.
    connect(app.form1(), &TForm1::openStarted, this, [this] { EFrameToSec->setValue(25); });
    connect(app.form2(), &TForm2::frameRateMeasured, EFrameToSec, &QDoubleSpinBox::setValue);
    // Dragging the subtitles sets their height above the picture's bottom.
    connect(app.form3(), &TForm3::dragged, NapisBottom, &SpinEdit::setValue);
}

void TForm4::ShowPage(QWidget *page) { PageControl->setCurrentWidget(page); }

void TForm4::KeepProportions(bool on)
{
    Proporcional->setChecked(on);
    app.form2()->ShowFreeAspect(!on);
}

void TForm4::StepPanScan(int delta) { PanScan->setTag(PanScan->tag() + delta); }

void TForm4::ShowSubtitleRow(int row)
{
    if (NapisNow->isChecked())
        TimeTXTEditor->selectRow(row - 1);
}

TForm4::~TForm4() = default;

void TForm4::changeEvent(QEvent *event)
{
    // In full screen the window would otherwise open wherever it was, maybe off the picture.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && app.fullScreenActive())
        move(0, 0);
    PlayerWindow::changeEvent(event);
}

void TForm4::showEvent(QShowEvent *event)
{
    PlayerWindow::showEvent(event);
    if (!m_shownOnce) {
        // What only this window shows waits until it is first shown, off the way to the
        // first picture.
        m_shownOnce = true;
        Skins->prepare();
    }
}

void TForm4::ButtonSetupOKClick() { hide(); }

void TForm4::ButtonSetupSaveClick()
{
    SettingsStore store;
    for (const QString &name : SettingsSchema::saveOrder()) {
        const SettingsSchema::Setting *setting = SettingsSchema::find(name);
        const auto it = m_bindings.constFind(name);
        if (setting && it != m_bindings.constEnd())
            store.write(name, setting->type, it->get());
    }
    QString error;
    if (!store.sync(&error))
        reportStoreError(error);
    if (!TextFile::writeLines(ProgramFolder::keyBindingFile(), m_keys.toLines(), &error))
        reportStoreError(error);
}

void TForm4::ButtonSetupDefaultClick()
{
    SettingsStore store;
    QString error;
    if (!store.clear(&error))
        reportStoreError(error);
    QFile keyFile(ProgramFolder::keyBindingFile());
    if (keyFile.exists() && !keyFile.remove())
        reportStoreError(QStringLiteral("%1: %2").arg(keyFile.fileName(), keyFile.errorString()));
    app.dialogs().message(this, QMessageBox::Information, PanelLayout::programTitle(),
                          app.messages().text(28));
}

void TForm4::reportStoreError(const QString &error)
{
    app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(), error);
}
