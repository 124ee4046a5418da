#include "core/CharsetGuess.h"

#include <QList>
#include <algorithm>
#include <QStringDecoder>
#include <QStringView>
#include <memory>
#include <uchardet/uchardet.h>

namespace CharsetGuess {

namespace {

struct DetectorDeleter
{
    void operator()(uchardet *detector) const { uchardet_delete(detector); }
};
using Detector = std::unique_ptr<uchardet, DetectorDeleter>;

const QByteArray Windows1250 = QByteArrayLiteral("windows-1250");
const QByteArray Iso8859_2 = QByteArrayLiteral("ISO-8859-2");
const QByteArray Windows1251 = QByteArrayLiteral("windows-1251");

bool rareSymbol(char16_t c)
{
    switch (c) {
    case 0x00A2: case 0x00A4: case 0x00A5: case 0x00A6: case 0x00A8: case 0x00AC: case 0x00AF:
    case 0x00B1: case 0x00B2: case 0x00B3: case 0x00B5: case 0x00B6: case 0x00B8: case 0x00B9:
    case 0x00BC: case 0x00BD: case 0x00BE: case 0x0192: case 0x02C6: case 0x02C7: case 0x02D8:
    case 0x02D9: case 0x02DB: case 0x02DC: case 0x02DD: case 0x2020: case 0x2021: case 0x2030:
        return true;
    default:
        return c >= 0x2500 && c <= 0x25FF; // box drawing, blocks, geometric shapes
    }
}

bool scriptsClash(QChar a, QChar b)
{
    if (!a.isLetter() || !b.isLetter())
        return false;
    const QChar::Script sa = a.script();
    const QChar::Script sb = b.script();
    const auto neutral = [](QChar::Script s) { return s == QChar::Script_Common || s == QChar::Script_Inherited; };
    return sa != sb && !neutral(sa) && !neutral(sb);
}

constexpr qsizetype LongAccentedRun = 5;

bool isSymbol(QChar::Category category)
{
    return category == QChar::Symbol_Math || category == QChar::Symbol_Currency || category == QChar::Symbol_Modifier
           || category == QChar::Symbol_Other;
}

bool caseBreak(QChar first, QChar second)
{
    return first.isLower() && second.isUpper();
}

// The script most letters of a single-byte encoding's upper half belong to.
QChar::Script upperHalfScript(const QByteArray &name)
{
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return QChar::Script_Unknown;
    QByteArray upper(128, '\0');
    for (int i = 0; i < 128; ++i)
        upper[i] = char(0x80 + i);
    const QString text = decoder.decode(upper);
    int latin = 0;
    int cyrillic = 0;
    int other = 0;
    for (QChar c : text) {
        if (!c.isLetter())
            continue;
        const QChar::Script script = c.script();
        (script == QChar::Script_Latin ? latin : script == QChar::Script_Cyrillic ? cyrillic : other) += 1;
    }
    if (latin > cyrillic + other)
        return QChar::Script_Latin;
    return cyrillic > other ? QChar::Script_Cyrillic : QChar::Script_Unknown;
}

// Single-byte encodings whose upper half is mostly Latin letters compete with Windows-1250
// and ISO-8859-2 on equal terms; a Greek or Thai guess keeps its ties.
bool latinFamily(const QByteArray &name)
{
    return upperHalfScript(name) == QChar::Script_Latin;
}

// A Cyrillic reading stands when its letters keep to their own script: a Latin file read
// in a Cyrillic code page puts Cyrillic letters inside Latin words at nearly every one.
bool coherentCyrillic(const QString &text)
{
    int letters = 0;
    int clashes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80 || !c.isLetter())
            continue;
        ++letters;
        if ((i > 0 && scriptsClash(text[i - 1], c)) || (i + 1 < text.size() && scriptsClash(c, text[i + 1])))
            ++clashes;
    }
    return letters > 0 && clashes * 4 < letters;
}

// uchardet's names for encodings the decoder knows by another name, or only as a wider
// superset (every EUC-KR file is valid Windows-949).
QByteArray decoderName(const QByteArray &upperName)
{
    if (upperName == "UHC" || upperName == "CP949" || upperName == "EUC-KR")
        return QByteArrayLiteral("windows-949");
    return upperName;
}

// Encodings where one character may take several bytes (or uchardet found a structure,
// not letter statistics): their guess stands.
bool multiByte(const QByteArray &upperName)
{
    static const char *const prefixes[] = {"UTF-", "UCS-", "SHIFT_JIS", "EUC-", "GB", "BIG5", "ISO-2022", "HZ", "CP949", "UHC", "JOHAB"};
    for (const char *prefix : prefixes)
        if (upperName.startsWith(prefix))
            return true;
    return false;
}

int nonAscii(const QByteArray &bytes)
{
    int count = 0;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            ++count;
    return count;
}

} // namespace

QByteArray evidence(const QByteArray &bytes, qsizetype limit)
{
    QByteArray out;
    qsizetype start = 0;
    while (start < bytes.size() && out.size() < limit) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            out += line;
            out += '\n';
        }
        start = end + 1;
    }
    return out;
}

QByteArray detect(const QByteArray &bytes)
{
    Detector detector(uchardet_new());
    if (!detector)
        return {};
    if (uchardet_handle_data(detector.get(), bytes.constData(), size_t(bytes.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    const char *name = uchardet_get_charset(detector.get());
    return name ? QByteArray(name) : QByteArray();
}

int implausibility(QStringView text)
{
    int score = 0;
    const qsizetype n = text.size();
    // Latin words hold a few accented letters in a row at most; Cyrillic text read in a
    // Latin code page is nothing but them.
    qsizetype accentedRun = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        const bool accented = i < n && text[i].unicode() >= 0x80 && text[i].isLetter()
                              && text[i].script() == QChar::Script_Latin;
        if (accented) {
            ++accentedRun;
            continue;
        }
        if (accentedRun >= LongAccentedRun)
            score += int(accentedRun);
        accentedRun = 0;
    }
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80)
            continue;
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_NotAssigned
            || category == QChar::Other_PrivateUse || c == QChar::ReplacementCharacter) {
            score += 2;
            continue;
        }
        if (rareSymbol(c.unicode())) {
            ++score;
            continue;
        }
        if (isSymbol(category)) {
            // A symbol stuck to a letter is a letter read in the wrong code page.
            if ((i > 0 && text[i - 1].isLetter()) || (i + 1 < n && text[i + 1].isLetter()))
                ++score;
            continue;
        }
        if (!c.isLetter())
            continue;
        if (i > 0 && (scriptsClash(text[i - 1], c) || caseBreak(text[i - 1], c)))
            ++score;
        if (i + 1 < n && (scriptsClash(c, text[i + 1]) || caseBreak(c, text[i + 1])))
            ++score;
    }
    return score;
}

QByteArray choose(const QByteArray &bytes, const QByteArray &guess)
{
    QByteArray name = guess.toUpper();
    if (name == "ISO-8859-1")
        name = "windows-1252"; // the same letters, and printable characters where 8859-1 has controls
    const bool multi = multiByte(name);
    name = decoderName(name);
    const bool usable = !name.isEmpty() && name != "ASCII" && QStringDecoder(name.constData()).isValid();
    if (usable && multi)
        return name;
    if (usable)
        name = QStringDecoder(name.constData()).name(); // the spelling the candidates below use
    if (usable && upperHalfScript(name) == QChar::Script_Cyrillic) {
        // Among the Cyrillic code pages the detector may pick a cousin of the one meant:
        // Windows-1251, the commonest, is weighed against it and wins the ties; the Latin
        // pages are not weighed at all.
        QByteArray cyrillic = Windows1251;
        QString text = QStringDecoder(Windows1251.constData()).decode(bytes);
        if (name != Windows1251) {
            const QString other = QStringDecoder(name.constData()).decode(bytes);
            if (implausibility(other) < implausibility(text)) {
                cyrillic = name;
                text = other;
            }
        }
        if (coherentCyrillic(text))
            return cyrillic;
    }

    const bool guessFirst = usable && (nonAscii(bytes) >= LittleEvidence || !latinFamily(name));
    QList<QByteArray> candidates;
    if (usable && guessFirst)
        candidates << name;
    // Windows-1250 first: it wins the ties, and is what is left when nothing else is known.
    candidates << Windows1250 << Iso8859_2 << Windows1251;
    if (usable && !guessFirst)
        candidates << name;

    QByteArray best;
    int bestScore = 0;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QByteArray &candidate = candidates[i];
        if (candidates.indexOf(candidate) != i)
            continue; // the guess was one of the two already
        QStringDecoder decoder(candidate.constData());
        const QString text = decoder.decode(bytes);
        const int score = implausibility(text);
        if (best.isEmpty() || score < bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

} // namespace CharsetGuess
