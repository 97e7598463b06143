#include "platform/NumberText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace psm {
namespace {

// Every format test runs under both separators the program meets.
class NumberToTextBoth : public ::testing::TestWithParam<char> {
  protected:
    // The expected text written with a point, adapted to the parameter.
    static std::string With(std::string text) {
        for (char& c : text) {
            if (c == '.') {
                c = GetParam();
            }
        }
        return text;
    }
    static std::string Print(double value) { return NumberToText(value, GetParam()); }
};

TEST_P(NumberToTextBoth, PlainValuesOfAValueFile) {
    EXPECT_EQ(Print(1.5), With("1.5"));
    EXPECT_EQ(Print(0.0015 * 1000), With("1.5"));
    EXPECT_EQ(Print(3.0 / 2.0), With("1.5"));
    EXPECT_EQ(Print(0.33), With("0.33"));
    EXPECT_EQ(Print(0.44), With("0.44"));
    EXPECT_EQ(Print(2), "2");
    EXPECT_EQ(Print(2.0000000000000004), "2");
    EXPECT_EQ(Print(1000), "1000");
    EXPECT_EQ(Print(1000.0 / 25.4), With("39.3700787401575"));
}

TEST_P(NumberToTextBoth, RoundsToFifteenSignificantDigits) {
    EXPECT_EQ(Print(1.0 / 3.0), With("0.333333333333333"));
    EXPECT_EQ(Print(2.0 / 3.0), With("0.666666666666667"));
    EXPECT_EQ(Print(0.1 + 0.2), With("0.3"));
    EXPECT_EQ(Print(123456789.123456789), With("123456789.123457"));
    EXPECT_EQ(Print(0.0015), With("0.0015"));
}

TEST_P(NumberToTextBoth, FixedNotationFromOneTenThousandthToBelow1E15) {
    EXPECT_EQ(Print(999999999999999.0), "999999999999999");
    EXPECT_EQ(Print(1e15), "1E+15");
    EXPECT_EQ(Print(0.0001), With("0.0001"));
    EXPECT_EQ(Print(0.00012345), With("0.00012345"));
    EXPECT_EQ(Print(0.00001), "1E-05");
    EXPECT_EQ(Print(0.000015), With("1.5E-05"));
    EXPECT_EQ(Print(9.99999999999999999e-5), With("0.0001"));
    EXPECT_EQ(Print(999999999999999.9), "1E+15");
    EXPECT_EQ(Print(1.5e100), With("1.5E+100"));
    EXPECT_EQ(Print(2.5e-300), With("2.5E-300"));
}

TEST_P(NumberToTextBoth, NegativeValuesAndZero) {
    EXPECT_EQ(Print(-1.5), With("-1.5"));
    EXPECT_EQ(Print(-0.25), With("-0.25"));
    EXPECT_EQ(Print(-2), "-2");
    EXPECT_EQ(Print(-2.5e20), With("-2.5E+20"));
    EXPECT_EQ(Print(-0.00001), "-1E-05");
    EXPECT_EQ(Print(0.0), "0");
    EXPECT_EQ(Print(-0.0), "0");
}

TEST_P(NumberToTextBoth, TextOfAValueFileSurvivesTheRoundTrip) {
    for (const char* text : {"1", "1.5", "0.44", "0.4", "2.5", "3", "0.45", "12.75", "0.0015",
                             "-3.2", "1000", "39.37", "0.333333333333333", "1E-05"}) {
        const std::string local = With(text);
        const std::optional<double> value = TextToNumber(local, GetParam());
        ASSERT_TRUE(value.has_value()) << local;
        EXPECT_EQ(Print(*value), local);
    }
}

TEST_P(NumberToTextBoth, NumberSurvivesTheRoundTripToFifteenDigits) {
    for (const double value : {1.5, 1.0 / 3.0, 1000.0 / 25.4, -7.25e-7, 6.02214076e23, 0.1}) {
        const std::optional<double> back = TextToNumber(Print(value), GetParam());
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_NEAR(*back, value, std::fabs(value) * 1e-14);
    }
}

// The rounding a write applies is the number text's, to the bit: a value
// rounded and the same value written as its text and read back are one double.
TEST(RoundedTo15Digits, IsTheNumberTextReadBackToTheBit) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::vector<double> values{0.0,     -0.0,   1.5,       0.0015, 0.44,
                               1.0 / 3, 2.5e-3, 0.1 + 0.2, -1e-5,  9.99999999999999999e-5};
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(mantissa(random), exponent(random));
        values.push_back(i % 2 == 0 ? value : -value);
    }
    for (const double value : values) {
        const double viaText = TextToNumber(NumberToText(value, '.'), '.').value_or(value);
        const double rounded = RoundedTo15Digits(value);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(rounded), std::bit_cast<std::uint64_t>(viaText))
            << NumberToText(value, '.');
    }
}

std::string SeparatorName(const ::testing::TestParamInfo<char>& param) {
    return param.param == '.' ? "Point" : "Comma";
}

INSTANTIATE_TEST_SUITE_P(Separators, NumberToTextBoth, ::testing::Values('.', ','), SeparatorName);

TEST(TextToNumber, ReadsTheLocaleForm) {
    EXPECT_EQ(TextToNumber("1,5", ','), 1.5);
    EXPECT_EQ(TextToNumber("1.5", '.'), 1.5);
    EXPECT_EQ(TextToNumber("  -0,25 ", ','), -0.25);
    EXPECT_EQ(TextToNumber("+3", '.'), 3.0);
    EXPECT_EQ(TextToNumber(",5", ','), 0.5);
    EXPECT_EQ(TextToNumber("5,", ','), 5.0);
    EXPECT_EQ(TextToNumber("1E-05", '.'), 1e-5);
    EXPECT_EQ(TextToNumber("2,5e+3", ','), 2500.0);
    EXPECT_EQ(TextToNumber("007", '.'), 7.0);
}

TEST(TextToNumber, RejectsWhatIsNotANumberOfThisLocale) {
    EXPECT_FALSE(TextToNumber("", '.'));
    EXPECT_FALSE(TextToNumber("   ", '.'));
    EXPECT_FALSE(TextToNumber("1.5", ','));
    EXPECT_FALSE(TextToNumber("1,5", '.'));
    EXPECT_FALSE(TextToNumber("1.000,5", ','));
    EXPECT_FALSE(TextToNumber("abc", '.'));
    EXPECT_FALSE(TextToNumber("1.5mm", '.'));
    EXPECT_FALSE(TextToNumber("-", '.'));
    EXPECT_FALSE(TextToNumber(".", '.'));
    EXPECT_FALSE(TextToNumber("1e", '.'));
    EXPECT_FALSE(TextToNumber("1e+", '.'));
    EXPECT_FALSE(TextToNumber("--1", '.'));
    EXPECT_FALSE(TextToNumber("1 5", '.'));
    EXPECT_FALSE(TextToNumber("\t1", '.'));
    EXPECT_FALSE(TextToNumber("inf", '.'));
    EXPECT_FALSE(TextToNumber("nan", '.'));
    EXPECT_FALSE(TextToNumber("0x10", '.'));
}

TEST(TextToNumber, TooLargeIsRejectedAndTooSmallIsZero) {
    EXPECT_FALSE(TextToNumber("1e400", '.'));
    EXPECT_FALSE(TextToNumber("-1e400", '.'));
    EXPECT_FALSE(TextToNumber("1" + std::string(400, '0'), '.'));
    EXPECT_FALSE(TextToNumber("1e99999999999", '.'));
    EXPECT_EQ(TextToNumber("1e-400", '.'), 0.0);
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1", '.'), 0.0);
    EXPECT_EQ(TextToNumber("0e99999", '.'), 0.0);
    EXPECT_EQ(TextToNumber("1e-99999999999", '.'), 0.0);
    EXPECT_EQ(TextToNumber("1.7976931348623157e308", '.'), std::numeric_limits<double>::max());
}

TEST(FormatFixed3, ThreeDecimalsAtLeastOneIntegerDigit) {
    EXPECT_EQ(FormatFixed3(1.5, '.'), "1.500");
    EXPECT_EQ(FormatFixed3(1.5, ','), "1,500");
    EXPECT_EQ(FormatFixed3(0.44, '.'), "0.440");
    EXPECT_EQ(FormatFixed3(0.0004, '.'), "0.000");
    EXPECT_EQ(FormatFixed3(2, ','), "2,000");
    EXPECT_EQ(FormatFixed3(1234567.8916, '.'), "1234567.892");
    EXPECT_EQ(FormatFixed3(1000.0 / 25.4, ','), "39,370");
    EXPECT_EQ(FormatFixed3(0.9996, '.'), "1.000");
}

TEST(FormatFixed3, NegativeValuesButNoNegativeZero) {
    EXPECT_EQ(FormatFixed3(-1.25, '.'), "-1.250");
    EXPECT_EQ(FormatFixed3(-0.0004, ','), "0,000");
    EXPECT_EQ(FormatFixed3(-0.0, '.'), "0.000");
    EXPECT_EQ(FormatFixed3(-0.0006, '.'), "-0.001");
}

TEST(DecimalSeparatorFromLocaleText, TakesTheUsersSeparatorOrFallsBackToPoint) {
    EXPECT_EQ(DecimalSeparatorFromLocaleText(","), ',');
    EXPECT_EQ(DecimalSeparatorFromLocaleText("."), '.');
    EXPECT_EQ(DecimalSeparatorFromLocaleText("/"), '/');
    EXPECT_EQ(DecimalSeparatorFromLocaleText(",,"), ',');
    EXPECT_EQ(DecimalSeparatorFromLocaleText(""), '.');
    EXPECT_EQ(DecimalSeparatorFromLocaleText("\xD9\xAB"), '.'); // Arabic decimal separator
    EXPECT_EQ(DecimalSeparatorFromLocaleText(" "), '.');
    EXPECT_EQ(DecimalSeparatorFromLocaleText("5"), '.');
    EXPECT_EQ(DecimalSeparatorFromLocaleText("-"), '.');
}

} // namespace
} // namespace psm
