#include "ui/filters/TFormFiltry.h"

#include "ui/app/Player.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
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
    label->setObjectName("LabelFilters1");
    layout->addWidget(label);
    ListFiltr = new QListWidget(left);
    ListFiltr->setObjectName("ListFiltr");
    layout->addWidget(ListFiltr, 1);
    BProperties = TZDButton::captioned(left, "BProperties", QStringLiteral("Właściwości Filtra"));
    BProperties->setFixedHeight(24);
    layout->addWidget(BProperties);
    BAllFiltry = TZDButton::captioned(left, "BAllFiltry", QStringLiteral("Więcej >>"));
    BAllFiltry->setFixedHeight(24);
    layout->addWidget(BAllFiltry);

    // The audio-output page of the expanded window; only its check box exists so far.
    auto *right = new QWidget(this);
    right->setObjectName("PageFilters");
    right->setGeometry(CollapsedWidth, 0, ExpandedWidth - CollapsedWidth, 300);
    AudioOutFilter = new QCheckBox(QStringLiteral("Zawsze używaj tego wyjścia AUDIO"), right);
    AudioOutFilter->setObjectName("AudioOutFilter");
    AudioOutFilter->move(8, 8);

    // The filters in use are those of the graph last built that have a settings page.
    connect(app.form2(), &TForm2::graphBuilt, this, [this](const QList<MediaEngine::FilterInfo> &filters) {
        ListFiltr->clear();
        for (const MediaEngine::FilterInfo &filter : filters)
            if (filter.hasPropertyPage)
                ListFiltr->addItem(filter.name);
    });
}

void TFormFiltry::RestoreAlwaysUseOutput(bool on) { AudioOutFilter->setChecked(on); }

QString TFormFiltry::chosenAudioOutput() const
{
    return AudioOutFilter->isChecked() ? FilterAudioOut : QString();
}
