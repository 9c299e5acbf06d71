#include "testwindow/scoretext.h"

#include <QLocale>

namespace {

// Advances past a run of ASCII digits; returns how many were passed.
qsizetype SkipDigits(QStringView text, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        ++pos;
    }
    return pos - start;
}

} // namespace

double ScoreTextNumber(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    const qsizetype start = pos;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        ++pos;
    }
    qsizetype digits = SkipDigits(text, pos);
    if (pos < text.size() && text[pos] == u'.') {
        ++pos;
        digits += SkipDigits(text, pos);
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when digits follow it.
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        qsizetype exp = pos + 1;
        if (exp < text.size() && (text[exp] == u'+' || text[exp] == u'-')) {
            ++exp;
        }
        if (SkipDigits(text, exp) > 0) {
            pos = exp;
        }
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(text.mid(start, pos - start), &ok);
    return ok ? value : 0.0;
}

QString ScoreText(qint64 value)
{
    return QString::number(value);
}
