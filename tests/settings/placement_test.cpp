#include "settings/placement.h"

#include "settings/settings.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class Placement : public testing::CoreTest {};

TEST_F(Placement, SavedTextIsFourFiveDigitFieldsInTwips) {
  SavePlacementValues("General", WindowShowState::Normal, {80, 60, 640, 480});
  EXPECT_EQ(GetSettingStr("General", "WindowState", ""), "0");
  EXPECT_EQ(GetSettingStr("General", "WindowSize", ""), "01200009000960007200");

  // Partly off the left or top: stored as 00000. Six-digit values shift the fields.
  SavePlacementValues("General\\Main", WindowShowState::Maximised, {-20, -8, 7000, 100});
  EXPECT_EQ(GetSettingStr("General\\Main", "WindowState", ""), "2");
  EXPECT_EQ(GetSettingStr("General\\Main", "WindowSize", ""), "000000000010500001500");
}

TEST_F(Placement, AMinimisedWindowKeepsItsStoredRectangle) {
  Put("General", "WindowSize", "01200009000960007200");
  SavePlacementValues("General", WindowShowState::Minimised, {0, 0, 10, 10});
  EXPECT_EQ(GetSettingStr("General", "WindowState", ""), "0");
  EXPECT_EQ(GetSettingStr("General", "WindowSize", ""), "01200009000960007200");
}

TEST_F(Placement, FieldsAreReadFiveCharactersAtATime) {
  EXPECT_EQ(ParseWindowSize("01200009000960007200"), (WindowRect{1200, 900, 9600, 7200}));
  EXPECT_EQ(ParseWindowSize("0120000900"), (WindowRect{1200, 900, 0, 0}));
  EXPECT_EQ(ParseWindowSize("012"), (WindowRect{12, 0, 0, 0}));
  EXPECT_EQ(ParseWindowSize("  300abcde00450"), (WindowRect{300, 0, 450, 0}));
  EXPECT_EQ(ParseWindowSize(""), (WindowRect{}));
}

TEST_F(Placement, RestoreFollowsTheStoredState) {
  EXPECT_TRUE(PlanRestorePlacement("General").centre);  // never saved

  Put("General", "WindowState", "abc");
  EXPECT_TRUE(PlanRestorePlacement("General").centre);

  Put("General", "WindowState", "0");
  Put("General", "WindowSize", " 01200009000960007200 ");
  RestorePlan plan = PlanRestorePlacement("General");
  EXPECT_FALSE(plan.centre);
  EXPECT_EQ(plan.state, WindowShowState::Normal);
  EXPECT_EQ(plan.rect, (WindowRect{80, 60, 640, 480}));

  // Maximised: the stored position is not applied.
  Put("General", "WindowState", "2");
  plan = PlanRestorePlacement("General");
  EXPECT_EQ(plan.state, WindowShowState::Maximised);
  EXPECT_FALSE(plan.rect);

  // A state but no rectangle: nothing is moved.
  Put("General", "WindowState", "0");
  Put("General", "WindowSize", "   ");
  plan = PlanRestorePlacement("General");
  EXPECT_FALSE(plan.centre);
  EXPECT_FALSE(plan.rect);
}

TEST_F(Placement, SaveAndRestoreRoundTrip) {
  SavePlacementValues("General\\Template", WindowShowState::Normal, {-300, 25, 333, 211});
  const RestorePlan plan = PlanRestorePlacement("General\\Template");
  EXPECT_EQ(plan.rect, (WindowRect{0, 25, 333, 211}));  // left -300 comes back as 0
}

TEST(PlacementGeometry, OnlyARectangleThatMissesEveryScreenLiesOutside) {
  const std::vector<WindowRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  EXPECT_FALSE(LiesOutsideScreens({100, 100, 640, 480}, screens));
  EXPECT_FALSE(LiesOutsideScreens({3000, 900, 640, 480}, screens));  // on the second screen
  EXPECT_FALSE(LiesOutsideScreens({-600, -400, 640, 480}, screens)); // one corner visible
  EXPECT_TRUE(LiesOutsideScreens({3200, 0, 640, 480}, screens));
  EXPECT_TRUE(LiesOutsideScreens({1920, 1024, 100, 100}, screens));  // below the second screen
  EXPECT_TRUE(LiesOutsideScreens({-640, 0, 640, 480}, screens));
  EXPECT_FALSE(LiesOutsideScreens({10, 10, 0, 0}, screens));  // the minimum size applies
  EXPECT_TRUE(LiesOutsideScreens({10, 10, 5, 5}, {}));
}

TEST(PlacementGeometry, CentredPositionIsHalfTheSpareRoom) {
  EXPECT_EQ(CentredOn({0, 0, 1024, 768}, 640, 480), (WindowRect{192, 144, 640, 480}));
  EXPECT_EQ(CentredOn({1920, 0, 1280, 1024}, 2000, 101), (WindowRect{1560, 462, 2000, 101}));
}

}  // namespace
}  // namespace pyxora
