#include "ui/settings/PageAssociations.h"

#include "ui/app/Dialogs.h"
#include "ui/settings/ProgramIcons.h"
#include "ui/skins/TZDButton.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// Sizes the icon is installed in; file managers pick the nearest.
constexpr int kIconSizes[] = {32, 48, 64};

TZDButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    TZDButton *button = TZDButton::captioned(parent, name, caption);
    button->setFixedHeight(25);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

} // namespace

QString PageAssociations::tabTitle() { return QStringLiteral("Formaty Plików/Inne"); }

QStringList PageAssociations::builtInExtensions()
{
    return {QStringLiteral("ASF"), QStringLiteral("AVI"), QStringLiteral("MPEG"),
            QStringLiteral("MPE"), QStringLiteral("MPG"), QStringLiteral("MOV"),
            QStringLiteral("WMV"), QStringLiteral("DAT"), QStringLiteral("DIVX"),
            QStringLiteral("IFO"), QStringLiteral("M2V"), QStringLiteral("OGM"),
            QStringLiteral("VOB"), QStringLiteral("QT"),  QStringLiteral("M2P"),
            QStringLiteral("WAV"), QStringLiteral("MPA"), QStringLiteral("MP3"),
            QStringLiteral("MID"), QStringLiteral("M3U"), QStringLiteral("WMA"),
            QStringLiteral("OGG"), QStringLiteral("CDA")};
}

PageAssociations::PageAssociations(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TabSheetFormats"));

    ListRoz = new QListWidget(this);
    ListRoz->setObjectName(QStringLiteral("ListRoz"));
    ListRoz->setSelectionMode(QAbstractItemView::MultiSelection);
    ListRoz->addItems(builtInExtensions());

    NewRoz = new QLineEdit(this);
    NewRoz->setObjectName(QStringLiteral("NewRoz"));
    connect(NewRoz, &QLineEdit::textChanged, this, &PageAssociations::upperCaseNewRoz);

    ButtonRozAdd = makeButton(this, "ButtonRozAdd", QStringLiteral("Dodaj nowe"));
    ButtonRozAll = makeButton(this, "ButtonRozAll", QStringLiteral("Zaznacz wszystkie rozszerzenia"));
    ButtonRozNic = makeButton(this, "ButtonRozNic", QStringLiteral("Odznacz wszystkie rozszerzenia"));
    ButtonRozAddSel = makeButton(this, "ButtonRozAddSel",
                                 QStringLiteral("Powiąż zaznaczone pliki z Brivara"));
    connect(ButtonRozAdd, &TZDButton::clicked, this, &PageAssociations::ButtonRozAddClick);
    connect(ButtonRozAll, &TZDButton::clicked, this, &PageAssociations::ButtonRozAllClick);
    connect(ButtonRozNic, &TZDButton::clicked, this, &PageAssociations::ButtonRozNicClick);
    connect(ButtonRozAddSel, &TZDButton::clicked, this, &PageAssociations::ButtonRozAddSelClick);

    SliderIcon = new QSlider(Qt::Horizontal, this);
    SliderIcon->setObjectName(QStringLiteral("SliderIcon"));
    SliderIcon->setRange(0, ProgramIcons::Count - 1);
    SliderIcon->setPageStep(1);
    SliderIcon->setTickPosition(QSlider::TicksBelow);
    SliderIcon->setValue(ProgramIcons::DefaultIndex);
    connect(SliderIcon, &QSlider::valueChanged, this, &PageAssociations::SliderIconChange);

    ImageIcon = new QLabel(this);
    ImageIcon->setObjectName(QStringLiteral("ImageIcon"));
    ImageIcon->setFixedSize(32, 32);

    auto *addRow = new QHBoxLayout;
    addRow->addWidget(NewRoz, 1);
    addRow->addWidget(ButtonRozAdd);

    auto *iconBox = new QGroupBox(QStringLiteral("Ikona"), this);
    iconBox->setObjectName(QStringLiteral("GroupIcon"));
    auto *iconRow = new QHBoxLayout(iconBox);
    iconRow->addWidget(SliderIcon, 1);
    iconRow->addWidget(ImageIcon);

    auto *side = new QVBoxLayout;
    side->addLayout(addRow);
    side->addWidget(ButtonRozAll);
    side->addWidget(ButtonRozNic);
    side->addSpacing(8);
    side->addWidget(iconBox);
    side->addStretch(1);
    side->addWidget(ButtonRozAddSel);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(ListRoz, 1);
    layout->addLayout(side, 2);

    selectAll();
    SliderIconChange();
}

void PageAssociations::selectAll() { ListRoz->selectAll(); }

void PageAssociations::ButtonRozAllClick() { selectAll(); }

void PageAssociations::ButtonRozNicClick() { ListRoz->clearSelection(); }

void PageAssociations::ButtonRozAddClick()
{
    const QString text = NewRoz->text().toUpper();
    if (!text.isEmpty())
        ListRoz->addItem(text);
}

void PageAssociations::SliderIconChange()
{
    ImageIcon->setPixmap(QPixmap::fromImage(ProgramIcons::image(SliderIcon->value(), 32)));
}

void PageAssociations::ButtonRozAddSelClick() { registerSelected(); }

// Pasted and programmatic text is converted too, not only typed keys.
void PageAssociations::upperCaseNewRoz()
{
    const QString text = NewRoz->text();
    const QString upper = text.toUpper();
    if (upper == text)
        return;
    const int cursor = NewRoz->cursorPosition();
    NewRoz->setText(upper);
    NewRoz->setCursorPosition(qMin<int>(cursor, upper.size()));
}

bool PageAssociations::registerSelected()
{
    AssociationRequest request;
    request.executable = QCoreApplication::applicationFilePath();
    request.iconIndex = SliderIcon->value();
    for (const int size : kIconSizes)
        request.icons << AssociationIcon{size, ProgramIcons::png(request.iconIndex, size)};
    for (int row = 0; row < ListRoz->count(); ++row) {
        const QListWidgetItem *item = ListRoz->item(row);
        if (!item->isSelected())
            continue;
        request.extensions << item->text();
        // Sound-only types get audio/ names of their own; M2P sits among them in the
        // list but is an MPEG program stream, i.e. video.
        static const QStringList audioTypes{"WAV", "MPA", "MP3", "MID", "M3U", "WMA", "OGG", "CDA"};
        if (audioTypes.contains(item->text()))
            request.audioExtensions << item->text();
    }

    m_lastResult = registerAssociations(request);
    for (const QString &warning : m_lastResult.warnings)
        qWarning("associations: %s", qPrintable(warning));
    if (!m_lastResult.failed.isEmpty())
        qWarning("associations: not associated: %s", qPrintable(m_lastResult.failed.join(u' ')));
    if (!m_lastResult.ok) {
        m_dialogs.message(this, QMessageBox::Critical, QStringLiteral("Brivara"),
                          m_lastResult.error);
    }
    return m_lastResult.ok;
}
