#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

// Load of one processor between the last two refreshes, from the kernel's jiffy counters
// (/proc/stat). Failures come back as texts, never as exceptions: the information line
// simply goes without the load.
class CpuLoad
{
public:
    // Counters of one processor, in jiffies since boot.
    struct Times
    {
        quint64 busy = 0;
        quint64 total = 0;
        bool operator==(const Times &) const = default;
    };
    // Processor number ("cpu3" is 3) to its counters. Offline processors have no line,
    // so the numbers need not be contiguous.
    using Sample = QMap<int, Times>;

    // Reads the text of /proc/stat. Empty (and `error` set) when there is no processor
    // line or a processor line is not a row of counters.
    static std::optional<Sample> parse(const QByteArray &text, QString *error = nullptr);

    explicit CpuLoad(QString statPath = QStringLiteral("/proc/stat"));

    // Takes a new sample; the one before becomes the base of `usage`. On failure the
    // samples stay as they were.
    bool refresh(QString *error = nullptr);
    // 0..1 for the given processor (0 = the first) between the last two refreshes; after
    // only one refresh, since the machine started.
    std::optional<double> usage(int processor, QString *error = nullptr) const;

private:
    QString m_path;
    Sample m_previous;
    Sample m_current;
    bool m_sampled = false;
};
