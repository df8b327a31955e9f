#include "host/saver_input.h"

#include <vector>

#include "support/test_support.h"

namespace pyxora {
namespace {

// Feeds moves at the given times (seconds since midnight); returns the 1-based number
// of the move that closed the saver, or 0 when none did.
int MoveThatCloses(const std::vector<double>& times, bool background = false) {
  MouseMoveSeries series;
  for (size_t i = 0; i < times.size(); ++i)
    if (CountMouseMove(series, background, times[i])) return static_cast<int>(i) + 1;
  return 0;
}

TEST(MouseMoveRule, TheFourthMoveOfASeriesEndsTheSaver) {
  EXPECT_EQ(MoveThatCloses({3600, 3600.1, 3600.2}), 0);
  EXPECT_EQ(MoveThatCloses({3600, 3600.1, 3600.2, 3600.3, 3600.4}), 4);
  // The threshold is tested before the series' age: a late fourth move still ends it.
  EXPECT_EQ(MoveThatCloses({3600, 3601, 3602, 3650}), 4);
}

TEST(MouseMoveRule, AMoveMoreThanTenSecondsAfterTheSeriesBeganRestartsIt) {
  // 0 s, 2 s, 15 s: the third move is counted, then the series restarts, so four
  // more moves are needed, the first of them starting the new series.
  const double t0 = 40000;
  EXPECT_EQ(MoveThatCloses({t0, t0 + 2, t0 + 15, t0 + 16, t0 + 17, t0 + 18}), 0);
  EXPECT_EQ(MoveThatCloses({t0, t0 + 2, t0 + 15, t0 + 16, t0 + 17, t0 + 18, t0 + 19}), 7);
  // Exactly ten seconds is not "more than ten".
  EXPECT_EQ(MoveThatCloses({t0, t0 + 10, t0 + 10, t0 + 10}), 4);
  // The stamp is the nearest whole second, halves to even: 40000.5 stamps 40000,
  // so 40010.4 is more than ten seconds later and restarts the series.
  EXPECT_EQ(MoveThatCloses({40000.5, 40010.4, 40010.5, 40010.6}), 0);
}

TEST(MouseMoveRule, ResetCountsTheMoveThatFoundTheGap) {
  MouseMoveSeries series;
  CountMouseMove(series, false, 500);
  CountMouseMove(series, false, 520);
  EXPECT_EQ(series.count, 0);
  EXPECT_EQ(series.stamp, 0);
  CountMouseMove(series, false, 521);
  EXPECT_EQ(series.count, 1);
  EXPECT_EQ(series.stamp, 521);
}

TEST(MouseMoveRule, OnTheDesktopBackgroundMovesNeverEndTheSaver) {
  MouseMoveSeries series;
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(CountMouseMove(series, true, 7000 + i * 0.01));
  EXPECT_EQ(series.count, 50);
}

TEST(MouseMoveRule, ClockGivesTheTimeOfDay) {
  const double now = SecondsSinceMidnight();
  EXPECT_GE(now, 0.0);
  EXPECT_LT(now, 86401.0);
}

class CloseQuery : public testing::CoreTest {};

TEST_F(CloseQuery, AcceptedCloseLeavesTheStopRequested) {
  EXPECT_TRUE(QueryClose());
  EXPECT_TRUE(gState.StopRequested);
}

TEST_F(CloseQuery, ARefusedPasswordKeepsTheAnimationRunning) {
  bool asked = false;
  EXPECT_FALSE(QueryClose([&] {
    asked = true;
    EXPECT_TRUE(gState.StopRequested);  // the stop is requested before the password is asked
    return false;
  }));
  EXPECT_TRUE(asked);
  EXPECT_FALSE(gState.StopRequested);
}

}  // namespace
}  // namespace pyxora
