#include "ui/settings/TForm4.h"

#include "core/PanelLayout.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

TForm4::TForm4(Player &app) : PlayerWindow(app, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Brivara - Setup"));
    resize(560, 420);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    layout->addWidget(PageControl);

    auto *general = new QWidget;
    general->setObjectName("TabSheetGeneral");
    auto *generalLayout = new QVBoxLayout(general);
    StopAfterMin = new QCheckBox(QStringLiteral("Pauza po minimalizacji"), general);
    StopAfterMin->setObjectName("StopAfterMin");
    generalLayout->addWidget(StopAfterMin);
    generalLayout->addStretch(1);
    PageControl->addTab(general, QStringLiteral("Ogólne"));

    SetupInfo = new QWidget;
    SetupInfo->setObjectName("SetupInfo");
    auto *infoLayout = new QVBoxLayout(SetupInfo);
    LabelAbout = new QLabel(SetupInfo);
    LabelAbout->setObjectName("LabelAbout");
    LabelAbout->setText(PanelLayout::programTitle());
    infoLayout->addWidget(LabelAbout);
    infoLayout->addStretch(1);
    PageControl->addTab(SetupInfo, QStringLiteral("Info"));
}

void TForm4::writeRunValues() {}
