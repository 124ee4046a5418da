#include "core/SettingsSchema.h"

namespace SettingsSchema {

namespace {
using T = SettingsStore::Type;
constexpr int S = BySave, C = ByClose;
} // namespace

const QList<Setting> &all()
{
    static const QList<Setting> table{
        {"LastDir", T::String, QVariant(), 0, 0, "LastDir", "LastDir", C},
        {"SkinName", T::String, QString(), 0, 0, "EDSkinSelect", "SkinName", S},
        {"DirPlayList", T::String, QVariant(), 0, 0, "DirPlayList", "DirPlayList", S | C},
        {"ButtonRepeatPlayList", T::Boolean, false, 0, 0, "PlayListBRepeat", "DirPlayList", S | C},
        {"ButtonRepeat", T::Boolean, false, 0, 0, "BRepeat", "DirPlayList", S | C},
        {"Volume", T::Integer, 0, -5, 5, "VolumeLevel", "DirPlayList", S | C},
        {"PlayListStart", T::Boolean, true, 0, 0, "PlayListStart", "PlayListStart", S},
        {"WindowSize", T::Boolean, false, 0, 0, "WindowSize", "PlayListStart", S},
        {"FullScreenPanelLeft", T::Integer, 0, 0, 0, "FullScreenPanelLeft", "PlayListStart", C},
        {"FullScreenPanelTop", T::Integer, 0, 0, 0, "FullScreenPanelTop", "PlayListStart", C},
        {"FilePlayList", T::String, QVariant(), 0, 0, "FilePlayList", "FilePlayList", C},
        {"OSDAutoInfoTime", T::Float, 20.0, 1, 999, "OSDAutoInfoTime", "OSDAutoInfoTime", S},
        {"OSDMovieTime", T::Boolean, true, 0, 0, "OSDMovieTime", "OSDCPUUsage", S},
        {"OSDFrames", T::Boolean, true, 0, 0, "OSDFrames", "OSDCPUUsage", S},
        {"OSDCPUUsage", T::Boolean, true, 0, 0, "OSDCpuUsage", "OSDCPUUsage", S},
        {"FWidth", T::Float, 99.0, 50, 99, "FWidth", "OSDCPUUsage", S},
        {"AudioOutFilter", T::Boolean, false, 0, 0, "AudioOutFilter", "AudioOutFilter", C},
        {"FilterAudioOut", T::String, QString(), 0, 0, "FilterAudioOut", "AudioOutFilter", C},
        {"StopAfterMin", T::Boolean, true, 0, 0, "StopAfterMin", "StopAfterMin", S},
        {"WaveOutIfDolby", T::Boolean, false, 0, 0, "WaveOutIfDolby", "StopAfterMin", S},
        {"FullScreenOn2", T::Boolean, false, 0, 0, "FullScreenonMonitor2", "FullScreenOn2", C},
        {"OSDOn", T::Boolean, true, 0, 0, "OSDOn", "OSDFontName", S},
        {"OSDTime", T::Float, 4.0, 1, 9, "OSDTime", "OSDFontName", S},
        {"OSDLeft", T::Boolean, true, 0, 0, "OSDLeft", "OSDFontName", S},
        {"OSDFontName", T::String, QStringLiteral("Arial"), 0, 0, "OSDFontName", "OSDFontName", S},
        {"OSDFontSize", T::Float, 20.0, 6, 99, "OSDFontSize", "OSDFontName", S},
        {"OSDFontColor", T::Integer, 0x0000FF00, 0, 0, "OSDWzorKolor", "OSDFontName", S},
        {"OSDFontStyle", T::FontStyle, int(SettingsStore::Bold), 0, 0, "OSDPanelWzor", "OSDFontName", S},
        {"OSDFontCharset", T::Integer, 1, 0, 255, "OSDPanelWzor", "OSDFontName", S},
        {"OSDPanorama", T::Boolean, false, 0, 0, "OSDPanorama", "OSDFontName", S},
        {"IQTime", T::Integer, 4000, 2500, 5500, "IQTime", "OSDFontName", S},
        {"IQDziel", T::Boolean, true, 0, 0, "IQDziel", "OSDFontName", S},
        {"IQZmniejsz", T::Boolean, true, 0, 0, "IQZmniejsz", "OSDFontName", S},
        {"AutoResume", T::Boolean, false, 0, 0, "AutoResume", "OSDFontName", C},
        {"AutoResumeFile", T::String, QString(), 0, 0, "CurrentFile", "OSDFontName", C},
        {"AutoResumePos", T::Float, 0.0, 0, 0, "ResumePos", "OSDFontName", C},
        {"EFontName", T::String, QStringLiteral("Arial"), 0, 0, "EFontName", "OSDFontName", S},
        {"EFontSize", T::Float, 20.0, 6, 99, "EFontSize", "OSDFontName", S},
        {"FontColor", T::Integer, 0x00C0C0C0, 0, 0, "WzorKolor", "OSDFontName", S},
        {"FontStyle", T::FontStyle, int(SettingsStore::Bold), 0, 0, "PanelWzor", "OSDFontName", S},
        {"FontCharset", T::Integer, 1, 0, 255, "PanelWzor", "OSDFontName", S},
        {"EObwodka", T::Float, 3.0, 1, 6, "EObwodka", "OSDFontName", S},
        {"IQNapisow", T::Boolean, true, 0, 0, "IQNapisow", "OSDFontName", S},
        {"NapisPod", T::Boolean, false, 0, 0, "NapisPod", "OSDFontName", S},
        {"FontAutoHeight", T::Boolean, true, 0, 0, "FontAutoHeight", "OSDFontName", S},
        {"FontVol", T::Float, 8.0, 3, 30, "FontVol", "OSDFontName", S},
        {"NapisyCzas", T::Float, 4.0, 1, 10, "NapisyCzas", "OSDFontName", S},
        {"DokladnyCzas", T::Boolean, false, 0, 0, "DokladnyCzas", "OSDFontName", S},
        {"NapisBottom", T::Float, 0.0, 0, 99, "NapisBottom", "OSDFontName", S | C},
        {"FontType", T::Integer, 0, 0, 2, "FontType", "OSDFontName", S},
        {"PanScan", T::Float, 15.0, 5, 50, "PanScan", "OSDFontName", S},
        {"PanScanUpDown", T::Float, 5.0, 5, 25, "PanScanUpDown", "OSDFontName", S},
        {"ButtonUPDown", T::Float, 20.0, 5, 50, "ButtonUpDown", "OSDFontName", S},
        {"ButtonSkipBack", T::Float, 20.0, 1, 999, "ButtonSkipBack", "OSDFontName", S},
        {"MouseHide", T::Boolean, true, 0, 0, "MouseHide", "OSDFontName", S},
        {"Proporcional", T::Boolean, true, 0, 0, "Proporcional", "OSDFontName", S},
        {"CLoadTXT", T::Boolean, true, 0, 0, "CLoadTXT", "OSDFontName", S},
        {"DirectoryTXT", T::String, QString(), 0, 0, "DirectoryTXT", "OSDFontName", S},
        {"AllTXTToMenu", T::Boolean, false, 0, 0, "AllTXTToMenu", "OSDFontName", S},
        {"DisplayModeBox", T::String, QStringLiteral("640x480 32bit 60Hz"), 0, 0, "DisplayModeBox", "OSDFontName", S},
        {"FULLWidth", T::Integer, 640, 0, 0, "FULLWidth", "OSDFontName", S},
        {"FULLHeight", T::Integer, 480, 0, 0, "FULLHeight", "OSDFontName", S},
        {"FULLBitCount", T::Integer, 32, 0, 0, "FULLBitCount", "OSDFontName", S},
        {"FULLHz", T::Integer, 60, 0, 0, "FULLHz", "OSDFontName", S},
        {"AntiFreeze", T::Boolean, false, 0, 0, "AntiFreeze", "AntiFreeze", S},
        {"Movie2Part", T::Boolean, true, 0, 0, "Movie2Part", "AntiFreeze", S},
        {"FullScreenStart", T::Boolean, false, 0, 0, "FullScreenStart", "AntiFreeze", S},
        {"SnapShotSubtitle", T::Boolean, false, 0, 0, "SnapShotSubtitle", "AntiFreeze", S},
        {"MenuStopMovie", T::Boolean, true, 0, 0, "MenuStopMovie", "AntiFreeze", S},
        {"MenuStart", T::Boolean, true, 0, 0, "MenuStart", "AntiFreeze", S},
        {"MenuOnClick", T::Boolean, true, 0, 0, "MenuOnClick", "AntiFreeze", S},
        {"DesktopRecentFiles", T::Boolean, true, 0, 0, "DesktopRecentFiles", "DesktopRecentFiles", S},
        {"First", T::Boolean, QVariant(), 0, 0, "First", "First", ByStartUp},
        {"OSDObwodka", T::Float, 3.0, 1, 6, "OSDObwodka", "", S},
        {"GroupOSDInfo", T::Integer, 0, 0, 0, "GroupOSDInfo", "", S},
        {"NewFile", T::String, QVariant(), 0, 0, "NewFile", "", BySecondInstance},
    };
    return table;
}

const Setting *find(const QString &name)
{
    for (const Setting &s : all())
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

QStringList loadGroups()
{
    return {"DirPlayList", "PlayListStart", "FilePlayList", "OSDAutoInfoTime", "OSDCPUUsage",
            "AudioOutFilter", "StopAfterMin", "FullScreenOn2", "OSDFontName", "AntiFreeze",
            "DesktopRecentFiles"};
}

QList<const Setting *> group(const QString &guard)
{
    QList<const Setting *> members;
    for (const Setting &s : all())
        if (guard == QLatin1String(s.group))
            members << &s;
    return members;
}

QStringList saveOrder()
{
    return {"SkinName",
            "OSDOn", "OSDTime", "OSDLeft", "OSDFontCharset", "OSDFontColor", "OSDFontName",
            "OSDFontSize", "OSDFontStyle", "OSDObwodka", "GroupOSDInfo", "OSDAutoInfoTime",
            "OSDPanorama", "OSDMovieTime", "OSDFrames", "OSDCPUUsage",
            "FWidth",
            "FontCharset", "FontColor", "EFontName", "EFontSize", "FontStyle", "EObwodka",
            "IQNapisow", "NapisPod", "FontAutoHeight", "FontVol", "NapisyCzas", "DokladnyCzas", "NapisBottom",
            "FontType",
            "PanScan", "PanScanUpDown", "ButtonUPDown", "ButtonSkipBack", "MouseHide",
            "Proporcional", "CLoadTXT", "DirectoryTXT", "AllTXTToMenu", "DisplayModeBox",
            "FULLWidth", "FULLHeight", "FULLBitCount", "FULLHz",
            "DirPlayList", "ButtonRepeatPlayList", "ButtonRepeat", "Volume", "PlayListStart",
            "WindowSize", "IQTime", "IQDziel", "IQZmniejsz", "PlayListStart", "AntiFreeze",
            "Movie2Part", "FullScreenStart", "SnapShotSubtitle", "MenuStopMovie", "MenuStart", "MenuOnClick",
            "StopAfterMin", "WaveOutIfDolby", "DesktopRecentFiles"};
}

QStringList closeOrder()
{
    return {"DirPlayList", "FilePlayList", "LastDir", "ButtonRepeatPlayList", "ButtonRepeat",
            "Volume", "FullScreenPanelLeft", "FullScreenPanelTop", "AutoResume",
            "AutoResumeFile", "AutoResumePos", "NapisBottom", "FullScreenOn2", "AudioOutFilter",
            "FilterAudioOut"};
}

} // namespace SettingsSchema
