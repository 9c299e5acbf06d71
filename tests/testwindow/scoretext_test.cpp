#include <QLocale>
#include <gtest/gtest.h>

#include "testwindow/scoretext.h"

namespace {

// The leading number of a score text; no number in front reads as 0; "." is
// the decimal point whatever the locale.
TEST(ScoreTextNumber, ReadsTheLeadingNumber)
{
    const struct { const char16_t *text; double number; } cases[] = {
        {u"120", 120}, {u"", 0}, {u"  36", 36}, {u"7 points", 7}, {u"12.5", 12.5}, {u"-15", -15}, {u"1e3", 1000},
        {u"2e", 2}, {u".5", 0.5}, {u"1,5", 1}, {u"abc", 0}, {u"-", 0}, {u".", 0}, {u"e5", 0},
        {u"9007199254740992", 9007199254740992.0}, {u"1234.5", 1234.5}};
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(ScoreTextNumber(QStringView(c.text)), c.number) << QString::fromUtf16(c.text).toStdString();
    QLocale::setDefault(previous);
}

} // namespace
