#include "results/timetext.h"

#include <QCoreApplication>
#include <QLocale>

namespace nlt {

namespace {

// Divides and rounds to the nearest whole unit, halves up.
std::int64_t Rounded(std::int64_t value, std::int64_t unit) { return (value + unit / 2) / unit; }

QString Tr(const char *text) { return QCoreApplication::translate("TimeText", text); }

} // namespace

QString DurationText(std::int64_t ms)
{
    ms = std::max<std::int64_t>(ms, 0);
    if (const std::int64_t tenths = Rounded(ms, 100); tenths < 100)
        return Tr("%1 s").arg(QLocale().toString(tenths / 10.0, 'f', 1));
    if (const std::int64_t seconds = Rounded(ms, 1000); seconds < 60)
        return Tr("%1 s").arg(seconds);
    else if (seconds < 3600)
        return Tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    const std::int64_t minutes = Rounded(ms, 60'000);
    return Tr("%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

QString RunTimeText(const RunTimes &times)
{
    const auto count = static_cast<std::int64_t>(times.Count());
    const std::int64_t pace = count ? (times.TotalMs() + count / 2) / count : 0;
    return Tr("Time: %1, %2 a question").arg(DurationText(times.TotalMs()), DurationText(pace));
}

QString FailedTimeText(const RunTimes &times) { return Tr("Question you got wrong: %1").arg(DurationText(times.LastMs())); }

} // namespace nlt
