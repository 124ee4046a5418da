#include "core/PanelLayout.h"

#include "core/Version.h"

namespace PanelLayout {

namespace {
using K = Kind;
QRect at(int l, int t, int w, int h) { return QRect(l, t, w, h); }
} // namespace

const QList<Control> &controls()
{
    // The order is the panel's design order: later controls stack above earlier ones.
    static const QList<Control> table{
        {"Image1", K::Background, at(0, 0, 492, 72)},
        {"BPlay", K::Button, at(2, 17, 29, 22), false, true, false, 0, "", "Odtwarzaj\r\n(Klawisz 'SPACE')"},
        {"BPause", K::Button, at(31, 17, 29, 22), false, true, false, 0, "", "Pauza"},
        {"BStop", K::Button, at(60, 17, 29, 22), false, true, false, 0, "", "Stop"},
        {"BBack", K::Button, at(89, 17, 29, 22), false, true, false, 0, "", "Przewiń w tył"},
        {"BStep", K::Button, at(118, 17, 29, 22), false, true, false, 0, "", "Przewiń w przód"},
        {"ProgName", K::Label, at(4, 2, 149, 13)},
        {"Border", K::Frame, at(151, 6, 226, 40)},
        {"StatusFileName", K::Label, at(155, 11, 180, 13), true, true, false, 0, "Tytuł:"},
        {"StatusRoz", K::Label, at(155, 28, 62, 13), true, true, false, 0, "000x000"},
        {"StatusTime", K::Label, at(219, 28, 115, 13), true, true, false, 0, "00:00:00/00:00:00"},
        {"BNext", K::Button, at(334, 8, 23, 9), false, true, false, 0, "", "Następny"},
        {"BPrev", K::Button, at(334, 17, 23, 9), false, true, false, 0, "", "Poprzedni"},
        {"ButtonVolume", K::Toggle, at(334, 26, 23, 18), true, true, false, 0, "", "Wycisz"},
        {"ButtonPlayList", K::Button, at(357, 8, 18, 18), true, true, false, 0, "", "PlayLista"},
        {"ButtonSetup", K::Button, at(357, 26, 18, 18), true, true, false, 0, "", "Parametry Programu"},
        {"BRepeat", K::Toggle, at(358, 48, 19, 18), true, true, false, 0, "", "Powtarzaj"},
        {"SliderPos", K::PositionSlider, at(145, 43, 213, 21), false},
        {"SliderFUN", K::FunctionSlider, at(29, 40, 120, 22)},
        {"BFunction", K::Button, at(5, 54, 22, 9), true, true, false, 3, "", "Zmień tryb suwaka"},
        {"LFunction", K::Label, at(2, 44, 28, 8), true, true, false, 0, "Volume"},
        {"ButtonOpen", K::Button, at(382, 45, 26, 21), true, true, false, 0, "", "Otwórz Film"},
        {"ButtonOpenTXT", K::Button, at(408, 45, 52, 21), true, true, false, 0, "", "Otwórz Napisy"},
        {"NapisyCheck", K::Toggle, at(440, 48, 15, 15), true, true, false, 0, "", "Napisy Włącz/Wyłącz"},
        {"BFiltry", K::Button, at(460, 45, 26, 21), true, true, false, 0, "Filtry", "Filtry w użyciu"},
        {"ButtonDown", K::Button, at(382, 23, 26, 22), true, true, false, 0, "", "Pomniejsz"},
        {"ButtonUp", K::Button, at(408, 23, 26, 22), true, true, false, 0, "", "Powiększ"},
        {"ButtonPanScan", K::Button, at(434, 23, 26, 22), true, true, false, 0, "", "PanScan"},
        {"ButtonFullScreen", K::Button, at(460, 23, 26, 22), false, true, false, 0, "", "Pełny Ekran"},
        {"CaptionSzpilka", K::Toggle, at(432, 4, 14, 13), true, true, true, 0, "", "Przypnij/Rozłącz Panel od okna z filmem"},
        {"CaptionMin", K::Button, at(447, 4, 14, 13), true, true, false, 0, "", "Minimalizuj"},
        {"FullScreenResize", K::Button, at(462, 4, 14, 13), true, true, false, 0, "", "Pełny Ekran ze zmianą rozdzielczości"},
        {"CaptionClose", K::Button, at(477, 4, 14, 13), true, true, false, 0, "", "Zamknij"},
        {"Button16x9", K::Button, QRect(), true, false, false, 0, "16:9"},
        {"Button4x3", K::Button, QRect(), true, false, false, 0, "4:3"},
        {"ButtonNormalSize", K::Button, QRect(), true, false, false, 0, "1:1"},
        {"ButtonHeightUp", K::Button, QRect(), true, false, false, 0, "H+"},
        {"ButtonHeightDown", K::Button, QRect(), true, false, false, 0, "H-"},
        {"ButtonFullScrMonitor2", K::Button, QRect(), true, false, false, 0, "M2"},
        {"ButtonSnapShot", K::Button, QRect(), true, false, false, 0, "FOTO"},
        {"RemoteCode", K::Edit, QRect(), true, false, false, 0, "RemoteCode"},
    };
    return table;
}

const QStringList &skinnableOrder()
{
    static const QStringList order{
        "BPlay", "BPause", "BStop", "BBack", "BStep", "ButtonOpenTXT", "ButtonFullScreen",
        "ButtonPanScan", "ButtonDown", "ButtonUp", "ButtonOpen", "Border", "StatusFileName",
        "StatusRoz", "LFunction", "ProgName", "BNext", "BPrev", "BFunction", "CaptionClose",
        "CaptionMin", "CaptionSzpilka", "FullScreenResize", "ButtonSetup", "BRepeat",
        "ButtonPlayList", "ButtonVolume", "BFiltry", "StatusTime", "NapisyCheck", "Button16x9",
        "Button4x3", "ButtonNormalSize", "ButtonFullScrMonitor2", "ButtonSnapShot",
        "ButtonHeightUp", "ButtonHeightDown", "SliderPos", "SliderFUN"};
    return order;
}

const Control *find(const QString &name)
{
    for (const Control &c : controls())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString programTitle()
{
    return QStringLiteral("%1 %2").arg(QLatin1String(Brivara::ProgramName),
                                        QLatin1String(Brivara::VersionText));
}

} // namespace PanelLayout
