#include <gtest/gtest.h>

#include "base/Nox_noxbase.h"

namespace nox {
namespace {

struct ChangeCounter {
  int calls = 0;
  TObject* sender = nullptr;
  TNotifyEvent Handler() {
    return [this](TObject* s) {
      ++calls;
      sender = s;
    };
  }
};

TEST(DTLabel, NewObjectHasEveryFieldZero) {
  TDTLabel d;
  EXPECT_EQ(d.TimeFormat(), tfHHMMSS);
  EXPECT_EQ(d.DateSeparator(), '\0');
  EXPECT_EQ(d.TimeSeparator(), '\0');
  EXPECT_EQ(d.YearLength(), ylNone);
  EXPECT_FALSE(d.MonthName());
  EXPECT_EQ(d.DateOrder(), doMMDDYY);
  EXPECT_EQ(d.DateForTime(), dtNone);
}

TEST(DTLabel, ScaleDefaultsAreSetWithoutNotifying) {
  TDTLabel d;
  ChangeCounter counter;
  d.OnChange = counter.Handler();
  d.SetScaleDefaults();
  EXPECT_EQ(counter.calls, 0);
  EXPECT_EQ(d.TimeFormat(), tfHHMMSS);
  EXPECT_EQ(d.DateSeparator(), '-');
  EXPECT_EQ(d.TimeSeparator(), ':');
  EXPECT_EQ(d.YearLength(), ylYYYY);
  EXPECT_TRUE(d.MonthName());
  EXPECT_EQ(d.DateOrder(), doDDMMYY);
  EXPECT_EQ(d.DateForTime(), dtOnePerDay);
}

TEST(DTLabel, TimeFormatAndDateOrderAlwaysNotify) {
  TDTLabel d;
  ChangeCounter counter;
  d.OnChange = counter.Handler();
  d.SetTimeFormat(tfHHMMSS);
  d.SetDateOrder(doMMDDYY);
  EXPECT_EQ(counter.calls, 2);
  d.SetTimeFormat(tfAMPM);
  d.SetDateOrder(doYYMMDD);
  EXPECT_EQ(counter.calls, 4);
  EXPECT_EQ(counter.sender, &d);
  EXPECT_EQ(d.TimeFormat(), tfAMPM);
  EXPECT_EQ(d.DateOrder(), doYYMMDD);
}

TEST(DTLabel, OtherSettersNotifyOnlyOnAChange) {
  TDTLabel d;
  ChangeCounter counter;
  d.OnChange = counter.Handler();
  d.SetDateSeparator('\0');
  d.SetTimeSeparator('\0');
  d.SetYearLength(ylNone);
  d.SetMonthName(false);
  d.SetDateForTime(dtNone);
  EXPECT_EQ(counter.calls, 0);
  d.SetDateSeparator('/');
  d.SetTimeSeparator('.');
  d.SetYearLength(ylYY);
  d.SetMonthName(true);
  d.SetDateForTime(dtAllTicks);
  EXPECT_EQ(counter.calls, 5);
  d.SetDateSeparator('/');
  d.SetMonthName(true);
  EXPECT_EQ(counter.calls, 5);
  EXPECT_EQ(d.DateSeparator(), '/');
  EXPECT_EQ(d.TimeSeparator(), '.');
  EXPECT_EQ(d.YearLength(), ylYY);
  EXPECT_EQ(d.DateForTime(), dtAllTicks);
}

TEST(DTLabel, AssignCopiesTheSevenSettingsAndHandlerWithoutNotifying) {
  TDTLabel source;
  ChangeCounter sourceCounter;
  source.SetScaleDefaults();
  source.SetTimeFormat(tfHHhMM);
  source.OnChange = sourceCounter.Handler();
  TDTLabel target;
  ChangeCounter targetCounter;
  target.OnChange = targetCounter.Handler();
  target.Assign(source);
  EXPECT_EQ(targetCounter.calls, 0);
  EXPECT_EQ(sourceCounter.calls, 0);
  EXPECT_EQ(target.TimeFormat(), tfHHhMM);
  EXPECT_EQ(target.DateSeparator(), '-');
  EXPECT_EQ(target.TimeSeparator(), ':');
  EXPECT_EQ(target.YearLength(), ylYYYY);
  EXPECT_TRUE(target.MonthName());
  EXPECT_EQ(target.DateOrder(), doDDMMYY);
  EXPECT_EQ(target.DateForTime(), dtOnePerDay);
  target.SetTimeFormat(tfAMPM);
  EXPECT_EQ(sourceCounter.calls, 1);
  EXPECT_EQ(sourceCounter.sender, &target);
}

TEST(DTLabel, AssignFromAnotherClassRaisesTheAssignmentError) {
  TDTLabel d;
  TCustomTextLabel l;
  try {
    d.Assign(l);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCustomTextLabel to a TDTLabel.");
  }
  EXPECT_THROW(d.AssignTo(l), EConvertError);
}

}  // namespace
}  // namespace nox
