#include "ui/filters/TFormFiltry.h"

#include "ui/skins/TZDButton.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TFormFiltry::TFormFiltry(Player &app) : PlayerWindow(app, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Filtry:"));
    resize(CollapsedWidth, 300);

    auto *left = new QWidget(this);
    left->setObjectName("PanelLeft");
    left->setGeometry(0, 0, 225, 300);
    auto *layout = new QVBoxLayout(left);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *label = new QLabel(QStringLiteral("Filtry w Użyciu:"), left);
    label->setObjectName("LabelFiltry");
    layout->addWidget(label);
    ListFiltr = new QListWidget(left);
    ListFiltr->setObjectName("ListFiltr");
    layout->addWidget(ListFiltr, 1);
    BProperties = new TZDButton(left);
    BProperties->setObjectName("BProperties");
    BProperties->setCaption(QStringLiteral("Właściwości Filtra"));
    BProperties->setButtonStyle(TZDButton::btNormal);
    BProperties->setFixedHeight(24);
    layout->addWidget(BProperties);
    BAllFiltry = new TZDButton(left);
    BAllFiltry->setObjectName("BAllFiltry");
    BAllFiltry->setCaption(QStringLiteral("Więcej >>"));
    BAllFiltry->setButtonStyle(TZDButton::btNormal);
    BAllFiltry->setFixedHeight(24);
    layout->addWidget(BAllFiltry);
}
