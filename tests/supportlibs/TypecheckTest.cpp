#include <gtest/gtest.h>

#include "runtime/rtl.h"
#include "support/typecheck.h"
#include "tests/support/Localized.h"

namespace {

using testsupport::Localized;
using typecheck::DottedField;
using typecheck::IsFloat;
using typecheck::IsInteger;

TEST(IsInteger, AcceptsDecimalAndHexadecimalWithBlanksAndSign) {
  for (const char* text : {"42", "  42", "+42", "-42", "0", "007", "$1F", "x1F", "X1f", "0x1F",
                           "0X1f", "-0x10", "+$ff", "$7FFFFFFF", "2147483647", "-2147483648",
                           "-$80000000", "00000000000000000000042"}) {
    EXPECT_TRUE(IsInteger(text)) << '"' << text << '"';
  }
}

TEST(IsInteger, RefusesTrailingTextEmptyDigitsAndValuesBeyondThirtyTwoBits) {
  for (const char* text :
       {"",           " ",           "-",         "+",         "$",
        "0x",         "x",           "42 ",       "4 2",       "- 42",
        "--1",        "1.0",         "1e3",       "$1G",       "0x-1",
        "2147483648", "-2147483649", "$80000000", "$FFFFFFFF", "99999999999999999999999",
        "\t42",       "٤٢"}) {
    EXPECT_FALSE(IsInteger(text)) << '"' << text << '"';
  }
}

TEST(IsFloat, AcceptsNumbersWithTheCurrentSeparator) {
  for (const char* text : {"3.5", "-3.5", "+3.5", "3", "3.", ".5", "  2.5e10  ", "1E-3", "1e+3",
                           "0.000", "1e-99999", "1.18e4932"}) {
    EXPECT_TRUE(IsFloat(Localized(text))) << '"' << text << '"';
  }
}

TEST(IsFloat, RefusesOtherTextAndValuesBeyondTheExtendedRange) {
  for (const char* text : {"", " ", "abc", ".", "-", "e5", "1e", "1e+", "1.5.2", "1 5", "0x10",
                           "inf", "nan", "1e99999", "-1.2e4933", "3.5x"}) {
    EXPECT_FALSE(IsFloat(Localized(text))) << '"' << text << '"';
  }
}

TEST(IsFloat, ReadsOnlyTheCurrentDecimalSeparator) {
  const char saved = rtl::DecimalSeparator();
  rtl::SetDecimalSeparator(',');
  EXPECT_TRUE(IsFloat("3,5"));
  EXPECT_FALSE(IsFloat("3.5"));
  rtl::SetDecimalSeparator('.');
  EXPECT_TRUE(IsFloat("3.5"));
  EXPECT_FALSE(IsFloat("3,5"));
  rtl::SetDecimalSeparator(saved);
}

TEST(DottedField, GivesTheFirstThreeFieldsAndThenTheRemainder) {
  EXPECT_EQ(DottedField(1, "10.0.0.7"), "10");
  EXPECT_EQ(DottedField(2, "10.0.0.7"), "0");
  EXPECT_EQ(DottedField(3, "10.0.0.7"), "0");
  EXPECT_EQ(DottedField(4, "10.0.0.7"), "7");
  EXPECT_EQ(DottedField(9, "10.0.0.7"), "7");
  EXPECT_EQ(DottedField(0, "10.0.0.7"), "7");
  EXPECT_EQ(DottedField(-1, "10.0.0.7"), "7");
  EXPECT_EQ(DottedField(4, "1.2.3.4.5"), "4.5");
  EXPECT_EQ(DottedField(2, "192.168.0.1"), "168");
}

TEST(DottedField, MissingDotsGiveEmptyFields) {
  EXPECT_EQ(DottedField(1, "localhost"), "");
  EXPECT_EQ(DottedField(2, "localhost"), "");
  EXPECT_EQ(DottedField(4, "localhost"), "localhost");  // nothing was cut off
  EXPECT_EQ(DottedField(1, ".5"), "");
  EXPECT_EQ(DottedField(2, "1..3"), "");
  EXPECT_EQ(DottedField(3, "1.2"), "");
  EXPECT_EQ(DottedField(4, "1.2.3"), "3");
  EXPECT_EQ(DottedField(1, ""), "");
  EXPECT_EQ(DottedField(4, "..."), "");
}

}  // namespace
