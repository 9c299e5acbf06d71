#include <QLocale>
#include <gtest/gtest.h>

#include "qtprinters.h"
#include "testwindow/scoretext.h"

namespace {

struct NumberCase {
    const char16_t *text;
    double number;
};

void PrintTo(const NumberCase &c, std::ostream *out)
{
    PrintTo(QString::fromUtf16(c.text), out);
}

class ScoreTextNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ScoreTextNumberTest, ReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(ScoreTextNumber(QStringView(GetParam().text)), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Texts, ScoreTextNumberTest,
                         ::testing::Values(NumberCase{u"120", 120}, NumberCase{u"", 0}, NumberCase{u"0", 0},
                                           NumberCase{u"830", 830}, NumberCase{u"12.5", 12.5},
                                           NumberCase{u"7 points", 7}, NumberCase{u"45abc", 45},
                                           NumberCase{u"  36", 36}, NumberCase{u"-15", -15},
                                           NumberCase{u"1e3", 1000}, NumberCase{u"2e", 2},
                                           NumberCase{u"5.", 5}, NumberCase{u".5", 0.5},
                                           NumberCase{u"9007199254740992", 9007199254740992.0}));

// Texts with no number in front read as 0.
INSTANTIATE_TEST_SUITE_P(NoNumber, ScoreTextNumberTest,
                         ::testing::Values(NumberCase{u"abc", 0}, NumberCase{u"-", 0}, NumberCase{u".", 0},
                                           NumberCase{u"+", 0}, NumberCase{u"e5", 0}, NumberCase{u"1,5", 1}));

TEST(ScoreTextNumberLocale, UsesThePointWhateverTheLocale)
{
    const QLocale previous;
    for (const char *name : {"de_DE", "fr_FR", "en_US"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_DOUBLE_EQ(ScoreTextNumber(u"1234.5"), 1234.5) << name;
        EXPECT_DOUBLE_EQ(ScoreTextNumber(u"1,5"), 1.0) << name;
    }
    QLocale::setDefault(previous);
}

TEST(ScoreText, WritesPlainDecimalThatReadsBack)
{
    const struct {
        qint64 value;
        const char16_t *text;
    } cases[] = {{0, u"0"}, {120, u"120"}, {-7, u"-7"}, {32767, u"32767"}, {1234567890123, u"1234567890123"}};
    for (const auto &c : cases) {
        EXPECT_EQ(ScoreText(c.value), QString::fromUtf16(c.text));
        EXPECT_DOUBLE_EQ(ScoreTextNumber(ScoreText(c.value)), static_cast<double>(c.value));
    }
}

} // namespace
