// Display modes through XRandR 1.2: the modes and CRTC of the primary output (or the first
// one lit), the screen resized with the CRTC so that the desktop is exactly the new mode.
#include "platform/DisplayModes.h"

#include "platform/XlibSupport.h"

#include <X11/extensions/Xrandr.h>

#include <QtGlobal>
#include <cmath>

namespace {

struct ResourcesFree
{
    void operator()(XRRScreenResources *r) const { XRRFreeScreenResources(r); }
};
struct OutputFree
{
    void operator()(XRROutputInfo *o) const { XRRFreeOutputInfo(o); }
};
struct CrtcFree
{
    void operator()(XRRCrtcInfo *c) const { XRRFreeCrtcInfo(c); }
};
using Resources = std::unique_ptr<XRRScreenResources, ResourcesFree>;
using OutputInfo = std::unique_ptr<XRROutputInfo, OutputFree>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, CrtcFree>;

int refreshOf(const XRRModeInfo &m)
{
    double lines = m.vTotal;
    if (m.modeFlags & RR_DoubleScan)
        lines *= 2;
    if (m.modeFlags & RR_Interlace)
        lines /= 2;
    if (m.hTotal == 0 || lines == 0)
        return 0;
    return int(std::lround(double(m.dotClock) / (double(m.hTotal) * lines)));
}

// What one CRTC shows and where: enough to put it back.
struct CrtcSetting
{
    RRCrtc crtc = 0;
    RRMode mode = 0;
    int x = 0, y = 0;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
    unsigned width = 0, height = 0;
};

struct ScreenSize
{
    int width = 0, height = 0, mmWidth = 0, mmHeight = 0;
};

class XRandrDisplayModes final : public DisplayModes
{
public:
    bool available() override { return open(); }

    QList<DisplayMode> modes() override
    {
        QList<DisplayMode> list;
        for (const Entry &e : entries())
            list << e.mode;
        return list;
    }

    std::optional<DisplayMode> current() override
    {
        if (!open())
            return std::nullopt;
        const Resources res(XRRGetScreenResourcesCurrent(m_display.get(), root()));
        const auto setting = res ? crtcSetting(res.get()) : std::nullopt;
        if (!setting)
            return std::nullopt;
        for (int i = 0; i < res->nmode; ++i)
            if (res->modes[i].id == setting->mode)
                return DisplayMode{int(res->modes[i].width), int(res->modes[i].height), bitsPerPixel(),
                                   refreshOf(res->modes[i])};
        return std::nullopt;
    }

    bool setMode(const DisplayMode &wanted) override
    {
        const QList<Entry> list = entries();
        QList<DisplayMode> plain;
        for (const Entry &e : list)
            plain << e.mode;
        const auto index = DisplayMode::bestMatch(plain, wanted);
        if (!index)
            return fail(QStringLiteral("The display has no mode %1x%2").arg(wanted.width).arg(wanted.height));
        const Resources res(XRRGetScreenResourcesCurrent(m_display.get(), root()));
        auto before = res ? crtcSetting(res.get()) : std::nullopt;
        if (!before)
            return fail(QStringLiteral("The display shows no picture on any output"));
        const ScreenSize screenBefore = screenSize();
        CrtcSetting after = *before;
        after.mode = list[*index].id;
        after.width = unsigned(list[*index].mode.width);
        after.height = unsigned(list[*index].mode.height);
        if (!apply(res.get(), after, screenBefore)) {
            // Whatever half took is undone.
            apply(res.get(), *before, screenBefore);
            return false;
        }
        if (!m_saved) {
            m_saved = before;
            m_savedScreen = screenBefore;
        }
        return true;
    }

    bool restore() override
    {
        if (!m_saved)
            return true;
        if (!open())
            return fail(QStringLiteral("No X display"));
        const Resources res(XRRGetScreenResourcesCurrent(m_display.get(), root()));
        const bool ok = res && apply(res.get(), *m_saved, m_savedScreen);
        if (ok)
            m_saved.reset();
        return ok;
    }

    QString lastError() const override { return m_error; }

private:
    struct Entry
    {
        DisplayMode mode;
        RRMode id = 0;
    };

    bool open()
    {
        if (m_display)
            return true;
        if (m_triedOpen)
            return false;
        m_triedOpen = true;
        Xlib::DisplayPtr display(XOpenDisplay(nullptr));
        if (!display)
            return fail(QStringLiteral("No X display"));
        int eventBase = 0, errorBase = 0, major = 0, minor = 0;
        if (!XRRQueryExtension(display.get(), &eventBase, &errorBase)
            || !XRRQueryVersion(display.get(), &major, &minor) || major < 1 || (major == 1 && minor < 2))
            return fail(QStringLiteral("The display cannot change modes (no XRandR 1.2)"));
        m_display = std::move(display);
        return true;
    }

    Window root() const { return DefaultRootWindow(m_display.get()); }

    bool fail(const QString &why)
    {
        m_error = why;
        return false;
    }

    int bitsPerPixel() const
    {
        const int depth = DefaultDepth(m_display.get(), DefaultScreen(m_display.get()));
        int count = 0;
        XPixmapFormatValues *formats = XListPixmapFormats(m_display.get(), &count);
        int bits = depth;
        for (int i = 0; i < count; ++i)
            if (formats[i].depth == depth)
                bits = formats[i].bits_per_pixel;
        if (formats)
            XFree(formats);
        return bits;
    }

    // The output that full screen changes: the primary one, else the first that is lit.
    RROutput chosenOutput(XRRScreenResources *res) const
    {
        const RROutput primary = XRRGetOutputPrimary(m_display.get(), root());
        if (primary) {
            const OutputInfo info(XRRGetOutputInfo(m_display.get(), res, primary));
            if (info && info->crtc)
                return primary;
        }
        for (int i = 0; i < res->noutput; ++i) {
            const OutputInfo info(XRRGetOutputInfo(m_display.get(), res, res->outputs[i]));
            if (info && info->crtc && info->connection == RR_Connected)
                return res->outputs[i];
        }
        return 0;
    }

    std::optional<CrtcSetting> crtcSetting(XRRScreenResources *res) const
    {
        const RROutput output = chosenOutput(res);
        if (!output)
            return std::nullopt;
        const OutputInfo info(XRRGetOutputInfo(m_display.get(), res, output));
        const CrtcInfo crtc(XRRGetCrtcInfo(m_display.get(), res, info->crtc));
        if (!crtc || !crtc->mode)
            return std::nullopt;
        CrtcSetting s;
        s.crtc = info->crtc;
        s.mode = crtc->mode;
        s.x = crtc->x;
        s.y = crtc->y;
        s.rotation = crtc->rotation;
        s.outputs.assign(crtc->outputs, crtc->outputs + crtc->noutput);
        s.width = crtc->width;
        s.height = crtc->height;
        return s;
    }

    QList<Entry> entries()
    {
        QList<Entry> list;
        if (!open())
            return list;
        const Resources res(XRRGetScreenResourcesCurrent(m_display.get(), root()));
        const RROutput output = res ? chosenOutput(res.get()) : 0;
        if (!output)
            return list;
        const OutputInfo info(XRRGetOutputInfo(m_display.get(), res.get(), output));
        const int bits = bitsPerPixel();
        for (int i = 0; i < info->nmode; ++i)
            for (int j = 0; j < res->nmode; ++j)
                if (res->modes[j].id == info->modes[i])
                    list << Entry{{int(res->modes[j].width), int(res->modes[j].height), bits,
                                   refreshOf(res->modes[j])},
                                  info->modes[i]};
        return list;
    }

    ScreenSize screenSize() const
    {
        // Xlib's DisplayWidth is what the server said at connection time; the root
        // window's geometry is what it is now.
        const int s = DefaultScreen(m_display.get());
        Window rootReturn = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(m_display.get(), root(), &rootReturn, &x, &y, &width, &height, &border, &depth);
        const int mmWidth = DisplayWidthMM(m_display.get(), s), mmHeight = DisplayHeightMM(m_display.get(), s);
        const int oldWidth = DisplayWidth(m_display.get(), s), oldHeight = DisplayHeight(m_display.get(), s);
        // The millimetres come from the same stale record: scale them to the pixels.
        return {int(width), int(height), oldWidth > 0 ? int(std::lround(double(mmWidth) * width / oldWidth)) : mmWidth,
                oldHeight > 0 ? int(std::lround(double(mmHeight) * height / oldHeight)) : mmHeight};
    }

    // The desktop just large enough for every lit CRTC, with `changed` in place of its own.
    ScreenSize neededScreen(XRRScreenResources *res, const CrtcSetting &changed, const ScreenSize &dpiFrom) const
    {
        int width = int(changed.x + changed.width), height = int(changed.y + changed.height);
        for (int i = 0; i < res->ncrtc; ++i) {
            if (res->crtcs[i] == changed.crtc)
                continue;
            const CrtcInfo c(XRRGetCrtcInfo(m_display.get(), res, res->crtcs[i]));
            if (c && c->mode) {
                width = qMax(width, int(c->x + c->width));
                height = qMax(height, int(c->y + c->height));
            }
        }
        // The physical size keeps the desktop's dots per millimetre.
        const double mmPerX = dpiFrom.width > 0 ? double(dpiFrom.mmWidth) / dpiFrom.width : 0.26;
        const double mmPerY = dpiFrom.height > 0 ? double(dpiFrom.mmHeight) / dpiFrom.height : 0.26;
        return {width, height, qMax(1, int(std::lround(width * mmPerX))), qMax(1, int(std::lround(height * mmPerY)))};
    }

    bool apply(XRRScreenResources *res, const CrtcSetting &s, const ScreenSize &dpiFrom)
    {
        Display *d = m_display.get();
        const ScreenSize now = screenSize();
        const ScreenSize need = neededScreen(res, s, dpiFrom);
        Xlib::ErrorTrap trap;
        XGrabServer(d);
        // Grow first so the CRTC fits, shrink after so the desktop is the mode exactly.
        if (need.width > now.width || need.height > now.height)
            XRRSetScreenSize(d, root(), qMax(need.width, now.width), qMax(need.height, now.height),
                             qMax(need.mmWidth, now.mmWidth), qMax(need.mmHeight, now.mmHeight));
        const Status status = XRRSetCrtcConfig(d, res, s.crtc, CurrentTime, s.x, s.y, s.mode, s.rotation,
                                               const_cast<RROutput *>(s.outputs.data()), int(s.outputs.size()));
        if (status == RRSetConfigSuccess && (need.width != now.width || need.height != now.height))
            XRRSetScreenSize(d, root(), need.width, need.height, need.mmWidth, need.mmHeight);
        XUngrabServer(d);
        XSync(d, False);
        if (status != RRSetConfigSuccess)
            return fail(QStringLiteral("The display refused the mode (status %1)").arg(status));
        if (trap.lastError() != 0)
            return fail(QStringLiteral("The display refused the mode (X error %1)").arg(trap.lastError()));
        return true;
    }

    Xlib::DisplayPtr m_display;
    bool m_triedOpen = false;
    std::optional<CrtcSetting> m_saved;
    ScreenSize m_savedScreen;
    QString m_error;
};

} // namespace

std::unique_ptr<DisplayModes> makeXRandrDisplayModes() { return std::make_unique<XRandrDisplayModes>(); }
