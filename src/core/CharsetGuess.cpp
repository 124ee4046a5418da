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

bool caseBreak(QChar first, QChar second)
{
    return first.isLower() && second.isUpper();
}

// Single-byte encodings whose upper half is mostly Latin letters compete with Windows-1250
// and ISO-8859-2 on equal terms; a Cyrillic, Greek or Thai guess keeps its ties.
bool latinFamily(const QByteArray &name)
{
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return false;
    QByteArray upper(128, '\0');
    for (int i = 0; i < 128; ++i)
        upper[i] = char(0x80 + i);
    const QString text = decoder.decode(upper);
    int latin = 0;
    int other = 0;
    for (QChar c : text) {
        if (!c.isLetter())
            continue;
        (c.script() == QChar::Script_Latin ? latin : other) += 1;
    }
    return latin > other;
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
    const bool usable = !name.isEmpty() && name != "ASCII" && QStringDecoder(name.constData()).isValid();
    if (usable && multiByte(name))
        return name;
    if (usable)
        name = QStringDecoder(name.constData()).name(); // the spelling the candidates below use

    const bool guessFirst = usable && (nonAscii(bytes) >= LittleEvidence || !latinFamily(name));
    QList<QByteArray> candidates;
    if (usable && guessFirst)
        candidates << name;
    candidates << Windows1250 << Iso8859_2;
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
