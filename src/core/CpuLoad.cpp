#include "core/CpuLoad.h"

#include <QFile>
#include <QList>

namespace {

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// user nice system idle iowait irq softirq steal [guest guest_nice]: guest time is
// already counted in user and nice, so only the first eight make up the total.
constexpr int CountedFields = 8;
constexpr int IdleField = 3;
constexpr int IoWaitField = 4;

} // namespace

std::optional<CpuLoad::Sample> CpuLoad::parse(const QByteArray &text, QString *error)
{
    Sample sample;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const QByteArray &name = fields.first();
        // "cpu" alone is the sum of all processors; "cpuN" is processor N.
        if (!name.startsWith("cpu") || name.size() == 3)
            continue;
        bool ok = false;
        const int number = name.mid(3).toInt(&ok);
        if (!ok || number < 0) {
            fail(error, QStringLiteral("Malformed processor line: %1").arg(QString::fromLatin1(line)));
            return std::nullopt;
        }
        // The four oldest fields are present on every kernel.
        if (fields.size() < 1 + 4) {
            fail(error, QStringLiteral("Too few counters for processor %1").arg(number));
            return std::nullopt;
        }
        Times times;
        quint64 idle = 0;
        for (int i = 0; i < CountedFields && 1 + i < fields.size(); ++i) {
            const quint64 value = fields.at(1 + i).toULongLong(&ok);
            if (!ok) {
                fail(error, QStringLiteral("Malformed counter for processor %1").arg(number));
                return std::nullopt;
            }
            times.total += value;
            if (i == IdleField || i == IoWaitField)
                idle += value;
        }
        times.busy = times.total - idle;
        sample.insert(number, times);
    }
    if (sample.isEmpty()) {
        fail(error, QStringLiteral("Unable to locate the processor counters"));
        return std::nullopt;
    }
    return sample;
}

CpuLoad::CpuLoad(QString statPath) : m_path(std::move(statPath)) {}

bool CpuLoad::refresh(QString *error)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("Unable to read %1: %2").arg(m_path, file.errorString()));
        return false;
    }
    // /proc files report no size: read until the end.
    const std::optional<Sample> sample = parse(file.readAll(), error);
    if (!sample)
        return false;
    m_previous = m_sampled ? m_current : Sample();
    m_current = *sample;
    m_sampled = true;
    return true;
}

std::optional<double> CpuLoad::usage(int processor, QString *error) const
{
    if (!m_sampled) {
        fail(error, QStringLiteral("No processor data read yet"));
        return std::nullopt;
    }
    if (!m_current.contains(processor)) {
        fail(error, QStringLiteral("CPU index out of bounds"));
        return std::nullopt;
    }
    const Times now = m_current.value(processor);
    // A processor that came online between the samples counts from zero.
    const Times before = m_previous.value(processor);
    // Counters that went backwards (a processor replugged) say nothing about the load.
    if (now.total <= before.total || now.busy < before.busy)
        return 0.0;
    const double fraction = double(now.busy - before.busy) / double(now.total - before.total);
    return qBound(0.0, fraction, 1.0);
}
