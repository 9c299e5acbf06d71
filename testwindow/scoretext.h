#pragma once

#include <QString>
#include <QStringView>

// The leading decimal number of a score text ("." as decimal point whatever
// the locale); an empty text, or one that starts with no number, reads as 0.
double ScoreTextNumber(QStringView text);

// A whole number as a score text: plain decimal, no padding.
QString ScoreText(qint64 value);
