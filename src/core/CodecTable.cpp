#include "core/CodecTable.h"

#include <QRegularExpression>

namespace CodecTable {

namespace {

// Where Debian ships the GStreamer decoders for these codecs.
#define PACKAGES "https://packages.debian.org/bookworm/"
const char *const Libav = PACKAGES "gstreamer1.0-libav";
const char *const Good = PACKAGES "gstreamer1.0-plugins-good";
const char *const Ugly = PACKAGES "gstreamer1.0-plugins-ugly";
const char *const Base = PACKAGES "gstreamer1.0-plugins-base";
#undef PACKAGES

QString Row(const char *codeAndName, const char *address)
{
    return QString::fromLatin1(codeAndName) + QString::fromLatin1(address);
}

QStringList build()
{
    return {
        Row("ABYR Kensington - Low Resolution       ", Libav),
        Row("AEMI Array VideoONE - MPEG1-I Capture  ", Ugly),
        Row("AFLI Autodesk Animator - FLI           ", Libav),
        Row("AFLC Autodesk Animator - FLC           ", Libav),
        Row("AMPG Array VideoONE - MPEG             ", Ugly),
        Row("ANIM Intel - RDX\t\t", Libav),
        Row("ASV1 Asus Video 1\t\t", Libav),
        Row("ASV2 Asus Video 2\t\t", Libav),
        Row("ASVX Asus Video 2.0                    ", Libav),
        Row("AUR2 AuraVision - Aura 2 - YUV 422     ", "BRAK"),
        Row("AURA AuraVision - Aura 1 - YUV 411     ", "BRAK"),
        Row("BINK RAD Game Tools - Bink Video       ", Libav),
        Row("BT20 Brooktree - MediaStream           ", "BRAK"),
        Row("BTCV Brooktree - Composite Video       ", "BRAK"),
        Row("CC12 Intel - YUV12                     ", "BRAK"),
        Row("CDVC Canopus - DV                      ", Good),
        Row("CFCC DPS - Perception Motion JPEG      ", Good),
        Row("CHAM Winnov - Caviara Champagne        ", Libav),
        Row("CJEP Creative - WebCam JPEG            ", Good),
        Row("CPLA Weitek - YUV 4:2:0 Planar         ", "BRAK"),
        Row("CRAM Microsoft Video 1\t\t", Libav),
        Row("CVID Supermac - Cinepak\t\t", Libav),
        Row("CYUV Creative Labs - YUV               ", Libav),
        Row("CYUY ATI - YUV                         ", Base),
        Row("DMB1 Matrox - Rainbow Runner MJPEG     ", Good),
        Row("DUCK Duck - TrueMotion 1               ", Libav),
        Row("DVE2 InSoft - DVE-2 Videoconferencing  ", Libav),
        Row("DVSD Sony - Digital Video              ", Good),
        Row("DVX1 Lucent - DVX1000SP                ", Libav),
        Row("DXT1-DirectX - Texture Compression 1   ", Libav),
        Row("DXT2 DirectX - Texture Compression 2   ", Libav),
        Row("DXT3-DirectX - Texture Compression 3   ", Libav),
        Row("DXT4 DirectX - Texture Compression 4   ", Libav),
        Row("DXT5-DirectX - Texture Compression 5   ", Libav),
        Row("DXTC DirectX - Texture Compression     ", Libav),
        Row("ESCP Eidos - Escape                    ", Libav),
        Row("FLJP D-Vision - Field Encoded MJPEG    ", "BRAK"),
        Row("FRWA SoftLab-Nsk - Forward JPEG+alpha  ", Good),
        Row("FRWD SoftLab-Nsk - Forward Motion JPEG ", Good),
        Row("FVF1 Iterated Systems - Fractal Video  ", Libav),
        Row("H260 Intel - ITU H.260                 ", Libav),
        Row("H261 Intel - ITU H.261\t\t", Libav),
        Row("H262 Intel - ITU H.262                 ", Libav),
        Row("H263 Intel - ITU H.263\t\t", Libav),
        Row("H264 Intel - ITU H.264                 ", Libav),
        Row("H265 Intel - ITU H.265                 ", Libav),
        Row("H266 Intel - ITU H.266                 ", Libav),
        Row("H267 Intel - ITU H.267                 ", Libav),
        Row("H268 Intel - ITU H.268                 ", Libav),
        Row("H269 Intel - ITU H.269                 ", Libav),
        Row("HFYU Huffyuv - Lossless Codec          ", Libav),
        Row("HMCR Rendition - Motion Compensation   ", Libav),
        Row("HMRR Rendition - Motion Compensation   ", Libav),
        Row("I263 Intel - ITU H.263                 ", Libav),
        Row("I420 Intel - Indeo 4 YUV 4:2:0         ", Base),
        Row("IAN  Intel - Indeo 4                   ", Libav),
        Row("ICLB InSoft - CellB Videoconferencing  ", Libav),
        Row("IF09 Intel - Intermediate YVU9         ", Base),
        Row("IGOR Power DVD                         ", Libav),
        Row("IJPG Intergraph - JPEG                 ", "BRAK"),
        Row("ILVC Intel - Layered Video             ", Libav),
        Row("ILVR Intel - ITU H.263+                ", Libav),
        Row("IPDV Giga - Digital Video              ", Good),
        Row("IRAW Intel - YUV Uncompressed          ", Base),
        Row("IV30 Intel - Indeo 3.0                 ", Libav),
        Row("IV31 Intel - Indeo 3.1                 ", Libav),
        Row("IV32 Intel - Indeo 3.2                 ", Libav),
        Row("IV33 Intel - Indeo 3.3                 ", Libav),
        Row("IV34 Intel - Indeo 3.4                 ", Libav),
        Row("IV35 Intel - Indeo 3.5                 ", Libav),
        Row("IV36 Intel - Indeo 3.6                 ", Libav),
        Row("IV37 Intel - Indeo 3.7                 ", Libav),
        Row("IV38 Intel - Indeo 3.8                 ", Libav),
        Row("IV39 Intel - Indeo 3.9                 ", Libav),
        Row("IV40 Intel - Indeo 4.0                 ", Libav),
        Row("IV41 Intel - Indeo 4.1                 ", Libav),
        Row("IV42 Intel - Indeo 4.2                 ", Libav),
        Row("IV43 Intel - Indeo 4.3                 ", Libav),
        Row("IV44 Intel - Indeo 4.4                 ", Libav),
        Row("IV45 Intel - Indeo 4.5                 ", Libav),
        Row("IV46 Intel - Indeo 4.6                 ", Libav),
        Row("IV47 Intel - Indeo 4.7                 ", Libav),
        Row("IV48 Intel - Indeo 4.8                 ", Libav),
        Row("IV49 Intel - Indeo 4.9                 ", Libav),
        Row("IV50 Intel - Indeo 5.0                 ", Libav),
        Row("JPGL DIVIO - JPEG Light                ", Good),
        Row("JPEG Microsoft - Still Image JPEG\t\t", Good),
        Row("LEAD LEAD Technologies - Video         ", Libav),
        Row("LJPG LEAD Technologies - Lossless JPEG ", Good),
        Row("MC12 ATI - Motion Compensation         ", Libav),
        Row("MCAM ATI - Motion Compensation         ", Libav),
        Row("MJEP Motion JPEG                       ", Good),
        Row("MPG4 Microsoft Netshow Codec           ", Libav),
        Row("MJPG Motion JEPG\t\t", Good),
        Row("MP42 Microsoft - MPEG-4 Video Codec V2 ", Libav),
        Row("MP43 Microsoft - MPEG-4 Video Codec V3 ", Libav),
        Row("MPEG Chromatic - MPEG-1 Video I Frame  ", Ugly),
        Row("MPGI Sigma Designs - MPEG              ", Ugly),
        Row("MRCA FAST Multimedia - MR Codec        ", Libav),
        Row("MRLE Microsoft - Run Length Encoding   ", Libav),
        Row("MSVC Microsoft - Video 1               ", Libav),
        Row("MTX1 Matrox - Motion JPEG              ", Good),
        Row("MWV1 Aware - Motion Wavelets           ", Libav),
        Row("NTN1 Nogatech - Video Compression 1    ", Libav),
        Row("PDVC Panasonic - Digital Video         ", Good),
        Row("PGVV Radius - Video Vision             ", Libav),
        Row("PHMO IBM - Photomotion                 ", Libav),
        Row("PIMJ Pegasus - Lossless JPEG           ", Good),
        Row("PVMM PacketVideo - MPEG-4              ", Libav),
        Row("PVW2 Pegasus - Wavelet 2000            ", Libav),
        Row("qpeq Q-Team - QPEG 1.1                 ", Libav),
        Row("RV20 RealNetworks - RealVideo G2       ", Libav),
        Row("RV30 RealNetworks - RealVideo 8        ", Libav),
        Row("RVX  Intel - RDX                       ", Libav),
        Row("RGBT Computer Concepts - 32 bit RGB    ", Base),
        Row("RT21 Intel - Indeo 2.1                 ", Libav),
        Row("RVX  Intel - RDX (second entry)        ", Libav),
        Row("S422 Tekram - VideoCap C210 YUV 4:2:2  ", Base),
        Row("SDCC Sun - Digital Camera Codec        ", "BRAK"),
        Row("SFMC Crystal Net - SFM Codec           ", Libav),
        Row("SMSC Radius - SMSC                     ", Libav),
        Row("SMSD Radius - SMSD                     ", Libav),
        Row("SMSV WorldConnect - Wavelet Video      ", Libav),
        Row("SPIG Radius - Spigot                   ", Libav),
        Row("SPLC Splash Studios - ACM Audio Codec  ", "BRAK"),
        Row("SQZ2 Microsoft - VXTreme Video V2      ", Libav),
        Row("SVTA SoftVideo - Video Codec           ", Libav),
        Row("SV10 Sorenson - Video R1               ", Libav),
        Row("SVQ1 Sorenson - Video 1                ", Libav),
        Row("TLMS TeraLogic - Motion Intraframe     ", Libav),
        Row("TLST TeraLogic - Motion Intraframe     ", Libav),
        Row("TM20 Duck - TrueMotion 2.0             ", Libav),
        Row("TMIC TeraLogic - Motion Intraframe     ", Libav),
        Row("TMOT Horizons - TrueMotion S           ", "BRAK"),
        Row("TSCC TechSmith - Screen Capture Codec\t\t", Libav),
        Row("TR20 Duck - TrueMotion RT 2.0          ", Libav),
        Row("TV10 Tecomac - Low-Bit Rate Codec      ", Libav),
        Row("TY2C Trident - Decompression           ", Libav),
        Row("TY2N Trident - Decompression           ", Libav),
        Row("TY0N Trident - Decompression           ", Libav),
        Row("UCOD eMajix - ClearVideo               ", Libav),
        Row("ULTI IBM - Ultimotion\t\t", Libav),
        Row("V261 Lucent - VX2000S                  ", Libav),
        Row("V422 Vitec - 24 bit YUV 4:2:2          ", Base),
        Row("V655 Vitec - 16 bit YUV 4:2:2          ", Base),
        Row("VCR1 ATI - Video Codec 1               ", Libav),
        Row("VCR2 ATI - Video Codec 2               ", Libav),
        Row("VDCT Vitec - Video Maker Pro DIB       ", Base),
        Row("VDOM VDOnet - VDOWave                  ", Libav),
        Row("VDOW VDOnet - VDOLive                  ", Libav),
        Row("VDTZ Darim Vision - VideoTizer YUV     ", Base),
        Row("VIDS Vitec - YUV 4:2:2 CCIR 601        ", Base),
        Row("VIVO Vivo - H.263 Video Codec          ", Libav),
        Row("VIXL Miro - Video XL                   ", Libav),
        Row("VLV1 VideoLogic - Video Codec          ", Libav),
        Row("VP30 On2 - VP3\t\t", Libav),
        Row("VP31 On2 - VP3.1                       ", Libav),
        Row("VX1K Lucent - VX1000S Video Codec      ", Libav),
        Row("VX2K Lucent - VX2000S Video Codec      ", Libav),
        Row("VXSP Lucent - VX1000SP Video Codec     ", Libav),
        Row("WBVC Winbond - W9960                   ", Libav),
        Row("WHAM Microsoft - Video 1               ", Libav),
        Row("WINX Winnov - Software Compression     ", Libav),
        Row("WJPG Winbond - JPEG                    ", Good),
        Row("WNV1 Winnov - Hardware Compression     ", Libav),
        Row("XLV0 NetXL - XL Video Decoder          ", Libav),
        Row("XMPG Xing - MPEG                       ", Ugly),
        Row("YC12 Intel - YUV12                     ", Base),
        Row("YU92 Intel - YUV                       ", Base),
        Row("YUV8 Winnov - Caviar YUV8              ", Base),
        Row("YUV9 Intel - YUV9                      ", Base),
        Row("YUYV Canopus - YUYV                    ", Base),
        Row("ZPEG Metheus - Video Zipper            ", Libav),
        Row("3ivx DivX Version 3 alpha              ", Libav),
        Row("DIV3 DivX Version 3 alpha              ", Libav),
        Row("DIV4 DivX Version 4                    ", Libav),
        Row("DIV5 DivX Version 5                    ", Libav),
        Row("DIVX DivX wszystkie wersje             ", Libav),
    };
}

constexpr int NameStart = 5;  // 0-based: character 6
constexpr int NameShown = 31; // characters 6 to 36

} // namespace

const QStringList &rows()
{
    static const QStringList table = build();
    return table;
}

Codec columns(const QString &row)
{
    Codec codec;
    codec.code = row.left(4);
    QString name = row.mid(NameStart, NameShown);
    const qsizetype tab = name.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        name.truncate(tab);
    codec.name = name.trimmed();
    // The address is the row's last word: in its column normally, earlier in a tab row
    // (addresses hold no blanks).
    const QString address = row.section(QRegularExpression(QStringLiteral("\\s+")), -1);
    codec.address = address == QLatin1String("BRAK") ? QString() : address;
    return codec;
}

std::optional<Codec> find(const QString &code)
{
    const QString wanted = code.toUpper();
    for (const QString &row : rows())
        if (row.left(4).toUpper() == wanted)
            return columns(row);
    return std::nullopt;
}

} // namespace CodecTable
