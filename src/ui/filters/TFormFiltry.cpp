#include "ui/filters/TFormFiltry.h"

#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/filters/FilterPropertyPage.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace FilterCatalog;

namespace {

constexpr int WindowHeight = 300;

TZDButton *button(QWidget *parent, const char *name, const QString &caption)
{
    TZDButton *b = TZDButton::captioned(parent, name, caption);
    b->setFixedHeight(24);
    return b;
}

} // namespace

TFormFiltry::TFormFiltry(Player &app) : PlayerWindow(app, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Filtry:"));
    resize(CollapsedWidth, WindowHeight);

    auto *left = new QWidget(this);
    left->setObjectName("PanelLeft");
    left->setGeometry(0, 0, 225, WindowHeight);
    auto *layout = new QVBoxLayout(left);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *label = new QLabel(QStringLiteral("Filtry w Użyciu:"), left);
    label->setObjectName("LabelFilters1");
    layout->addWidget(label);
    ListFiltr = new QListWidget(left);
    ListFiltr->setObjectName("ListFiltr");
    layout->addWidget(ListFiltr, 1);
    BProperties = button(left, "BProperties", QStringLiteral("Właściwości Filtra"));
    layout->addWidget(BProperties);
    BAllFiltry = button(left, "BAllFiltry", QStringLiteral("Więcej >>"));
    layout->addWidget(BAllFiltry);

    // The widened side: its lists stay empty until it is first shown.
    PageFilters = new QTabWidget(this);
    PageFilters->setObjectName("PageFilters");
    PageFilters->setGeometry(CollapsedWidth, 4, ExpandedWidth - CollapsedWidth - 4, WindowHeight - 8);
    PageFilters->setUsesScrollButtons(true);

    QWidget *out = makePage("TabSheetAudioOut", QStringLiteral("Wyjście Audio"), &ListAudioOut);
    AudioOutFilter = new QCheckBox(QStringLiteral("Zawsze używaj tego wyjścia AUDIO"), out);
    AudioOutFilter->setObjectName("AudioOutFilter");
    out->layout()->addWidget(AudioOutFilter);

    QWidget *filters = makePage("TabSheetDirectShow", QStringLiteral("DirectShow"), &ListDirectShow);
    BAddFiltr = button(filters, "BAddFiltr", QStringLiteral("Dodaj Filtr (Spróbuj Użyć)"));
    ButtonPropFilters = button(filters, "ButtonPropFilters", QStringLiteral("Właściwości"));
    QWidget *effects = makePage("TabSheetAudioEffects", QStringLiteral("AudioEffects"), &ListAudioEffects);
    BAudioEffects = button(effects, "BAudioEffects", QStringLiteral("Dodaj Filtr (Spróbuj Użyć)"));
    ButtonPropAudioEffects = button(effects, "ButtonPropAudioEffects", QStringLiteral("Właściwości"));
    for (QWidget *page : {filters, effects})
        for (TZDButton *b : page->findChildren<TZDButton *>())
            page->layout()->addWidget(b);
    makePage("TabSheetAudio", QStringLiteral("Audio Codecs:"), &ListAudio);
    makePage("TabSheetVideo", QStringLiteral("Video Codecs:"), &ListVideo);

    for (int list = 0; list < ListCount; ++list)
        connect(listWidget(list), &QListWidget::itemChanged, this,
                [this, list](QListWidgetItem *item) { onItemChanged(list, item); });
    connect(BAllFiltry, &TZDButton::clicked, this, &TFormFiltry::BAllFiltryClick);
    connect(BProperties, &TZDButton::clicked, this, &TFormFiltry::BPropertiesClick);
    connect(BAddFiltr, &TZDButton::clicked, this, &TFormFiltry::BAddFiltrClick);
    connect(BAudioEffects, &TZDButton::clicked, this, &TFormFiltry::BAudioEffectsClick);
    connect(ButtonPropFilters, &TZDButton::clicked, this, &TFormFiltry::ButtonPropFiltersClick);
    connect(ButtonPropAudioEffects, &TZDButton::clicked, this, &TFormFiltry::ButtonPropAudioEffectsClick);

    // The filters in use are those of the graph last built that have a settings page.
    connect(app.form2(), &TForm2::graphBuilt, this, [this](const QList<MediaEngine::FilterInfo> &filters) {
        ListFiltr->clear();
        for (const MediaEngine::FilterInfo &filter : filters)
            if (filter.hasPropertyPage)
                ListFiltr->addItem(filter.name);
    });
}

QWidget *TFormFiltry::makePage(const char *name, const QString &caption, QListWidget **list)
{
    auto *page = new QWidget(PageFilters);
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    *list = new QListWidget(page);
    (*list)->setObjectName(QString::fromLatin1(name).replace(QLatin1String("TabSheet"), QLatin1String("List")));
    layout->addWidget(*list, 1);
    PageFilters->addTab(page, caption);
    return page;
}

QListWidget *TFormFiltry::listWidget(int list) const
{
    switch (list) {
    case AudioCodecs: return ListAudio;
    case VideoCodecs: return ListVideo;
    case VideoFilters: return ListDirectShow;
    case AudioEffects: return ListAudioEffects;
    case AudioOutputs: return ListAudioOut;
    default: return nullptr;
    }
}

MediaEngine &TFormFiltry::engine() const
{
    return app.form2()->engine();
}

void TFormFiltry::BAllFiltryClick()
{
    if (width() == ExpandedWidth) {
        BAllFiltry->setCaption(QStringLiteral("More >>"));
        resize(CollapsedWidth, height());
        return;
    }
    BAllFiltry->setCaption(QStringLiteral("Hide <<"));
    resize(ExpandedWidth, height());
    if (!m_filled)
        FiltryShow();
}

void TFormFiltry::FiltryShow()
{
    m_filled = true;
    m_lists = lists(engine().audioOutputDevices(), engine().installedElements());
    if (m_outputBound)
        m_ticks.chooseOutput(FilterCatalog::find(m_lists[AudioOutputs], FilterAudioOut));
    m_showingTicks = true;
    for (const int list : {AudioOutputs, AudioCodecs, VideoCodecs, VideoFilters, AudioEffects}) {
        QListWidget *widget = listWidget(list);
        widget->setUpdatesEnabled(false);
        for (const Entry &entry : m_lists[list]) {
            auto *item = new QListWidgetItem(entry.name, widget);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        widget->setUpdatesEnabled(true);
    }
    m_showingTicks = false;
    showTicks();
}

void TFormFiltry::showTicks()
{
    m_showingTicks = true;
    for (int list = 0; list < ListCount; ++list) {
        QListWidget *widget = listWidget(list);
        for (int row = 0; row < widget->count(); ++row)
            widget->item(row)->setCheckState(m_ticks.isTicked(list, row) ? Qt::Checked : Qt::Unchecked);
    }
    m_showingTicks = false;
}

void TFormFiltry::onItemChanged(int list, QListWidgetItem *item)
{
    if (m_showingTicks)
        return;
    QListWidget *widget = listWidget(list);
    widget->setCurrentItem(item);
    if (Ticks::clickKeeps(list))
        ListAudioOutClickCheck(widget->row(item));
    else
        showTicks();
}

void TFormFiltry::ListAudioOutClickCheck(int row)
{
    if (row < 0 || row >= m_lists[AudioOutputs].size())
        return;
    m_ticks.chooseOutput(row);
    showTicks();
    const Entry &entry = m_lists[AudioOutputs][row];
    FilterAudioOut = entry.name;
    m_outputKey = entry.key;
    m_outputBound = true;
}

void TFormFiltry::RestoreAlwaysUseOutput(bool on)
{
    AudioOutFilter->setChecked(on);
    m_outputBound = on;
    m_outputKey.clear();
}

QString TFormFiltry::chosenAudioOutput()
{
    if (!m_outputBound || FilterAudioOut.isEmpty())
        return {};
    if (m_outputKey.isEmpty()) {
        // Bound at start by its name: the lists say what the name means on this machine.
        const QList<Entry> outputs =
            m_filled ? m_lists[AudioOutputs] : lists(engine().audioOutputDevices(), engine().installedElements())[AudioOutputs];
        const int row = FilterCatalog::find(outputs, FilterAudioOut);
        if (row >= 0)
            m_outputKey = outputs[row].key;
    }
    return m_outputKey;
}

MediaEngine::Preset TFormFiltry::chosenVideoFilter() const
{
    return m_filter.list == VideoFilters ? m_filter.preset : MediaEngine::Preset();
}

MediaEngine::Preset TFormFiltry::chosenAudioFilter() const
{
    return m_filter.list == AudioEffects ? m_filter.preset : MediaEngine::Preset();
}

void TFormFiltry::addFilter(int list)
{
    const int row = listWidget(list)->currentRow();
    if (row < 0 || row >= m_lists[list].size())
        return;
    const Entry &entry = m_lists[list][row];
    m_filter = Choice{list, entry.name, MediaEngine::Preset(entry.key)};
    m_ticks.addFilter(list, row);
    showTicks();
    showListedProperties(list);
}

void TFormFiltry::showListedProperties(int list)
{
    const int row = listWidget(list)->currentRow();
    if (row < 0 || row >= m_lists[list].size())
        return;
    const Entry &entry = m_lists[list][row];
    // The chosen filter's page sets what the next graphs' element starts with; any other
    // listed filter's page only shows what it offers.
    if (m_filter.list == list && m_filter.preset.element == entry.key) {
        showPage(new FilterPropertyPage(entry.name, engine().presetProperties(m_filter.preset),
                                        [this](const QString &property, const QVariant &value) {
                                            m_filter.preset.properties[property] = value;
                                            return true;
                                        },
                                        this));
    } else {
        showPage(new FilterPropertyPage(entry.name, engine().presetProperties(MediaEngine::Preset(entry.key)), {}, this));
    }
}

void TFormFiltry::BPropertiesClick()
{
    if (QListWidgetItem *item = ListFiltr->currentItem())
        ShowPropertyPage(item->text());
}

void TFormFiltry::ShowPropertyPage(const QString &filterName)
{
    showPage(new FilterPropertyPage(engine(), filterName, this));
}

void TFormFiltry::showPage(FilterPropertyPage *page)
{
    if (m_page)
        m_page->close();
    page->setWindowFlag(Qt::Window);
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->move(pos());
    m_page = page;
    page->show();
    page->raise();
}

void TFormFiltry::FilterDropped(const QStringList &keys)
{
    QStringList names;
    for (const QString &key : keys) {
        if (!m_filter.preset.element.isEmpty() && key == m_filter.preset.element) {
            names << m_filter.name;
            m_filter = Choice();
            m_ticks.addFilter(VideoFilters, -1);
        } else if (!m_outputKey.isEmpty() && key == m_outputKey) {
            names << FilterAudioOut;
            m_outputBound = false;
            m_outputKey.clear();
            m_ticks.chooseOutput(-1);
            AudioOutFilter->setChecked(false);
        }
    }
    if (names.isEmpty())
        return;
    showTicks();
    app.dialogs().message(this, QMessageBox::Warning, QStringLiteral("Brivara"),
                          QStringLiteral("Nie udało się włączyć: %1.\nFilm gra bez tego filtra.").arg(names.join(QStringLiteral(", "))));
}
