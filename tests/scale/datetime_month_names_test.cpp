#include "scale/datetime_month_names.h"

#include <gtest/gtest.h>

namespace nox {
namespace {

TEST(DateTimeMonthNames, TheCLocaleGivesTheEnglishAbbreviations) {
  const std::optional<TMonthNames> names = LocaleShortMonthNames("C");
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, EnglishShortMonthNames());
  EXPECT_EQ(EnglishShortMonthNames()[0], "Jan");
  EXPECT_EQ(EnglishShortMonthNames()[8], "Sep");
  EXPECT_EQ(EnglishShortMonthNames()[11], "Dec");
}

TEST(DateTimeMonthNames, AnUnknownLocaleGivesNothing) {
  EXPECT_FALSE(LocaleShortMonthNames("xx_NOWHERE.UTF-8").has_value());
}

TEST(DateTimeMonthNames, TheScalesTableCanBeReplaced) {
  const TMonthNames saved = ShortMonthNames();
  TMonthNames dutch = EnglishShortMonthNames();
  dutch[2] = "mrt";
  SetShortMonthNames(dutch);
  EXPECT_EQ(ShortMonthNames()[2], "mrt");
  SetShortMonthNames(saved);
  EXPECT_EQ(ShortMonthNames(), saved);
}

}  // namespace
}  // namespace nox
