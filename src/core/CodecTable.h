#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The four-character codes of video codecs as files store them, each with the codec's
// name and where a decoder for it can be had.
namespace CodecTable {

inline constexpr int Rows = 178;

// The table as text rows, in order. Columns by character (1-based): 1-4 the code (case as
// stored in files; two codes end with a blank), 5 a blank or "-", 6-39 the name filled
// with blanks (a few rows have a tab there, which shifts what follows), then the address
// of the decoder's package, or "BRAK" when none is known.
const QStringList &rows();

struct Codec
{
    QString code;
    QString name;    // as a message shows it: at most 31 characters
    QString address; // empty: no download known
};

// Columns of one row. The name stops at a tab or the end of its column, and the address
// is the row's last word, so tab rows lose neither.
Codec columns(const QString &row);

// The first row whose code equals `code`, both in upper case ("qpeq" matches QPEQ; of the
// two "RVX " rows the first).
std::optional<Codec> find(const QString &code);

} // namespace CodecTable
