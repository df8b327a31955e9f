#include <cstring>
#include <string>
#include <vector>

#include "effects/splines/sparklers.h"
#include "effects/splines/warp.h"
#include "host/render_run.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class SplineRender : public testing::CoreTest {
 protected:
  std::vector<uint32_t> Render(const char* effect, uint32_t seed, int32_t frames = 120, int width = 320,
                               int height = 240) {
    RenderRequest request;
    request.effect = FindEffectByRenderName(effect);
    request.frames = frames;
    request.width = width;
    request.height = height;
    request.seed = seed;
    Canvas canvas;
    const auto problem = RenderEffect(request, canvas);
    EXPECT_FALSE(problem) << *problem;
    lit_ = canvas.CountLitPixels();
    return std::vector<uint32_t>(canvas.Data(), canvas.Data() + size_t(canvas.Width()) * size_t(canvas.Height()));
  }
  size_t lit_ = 0;
};

TEST_F(SplineRender, BothEffectsDrawTheSameFrameForTheSameSeed) {
  for (const char* effect : {"sparklers", "warp"}) {
    const auto first = Render(effect, 5);
    EXPECT_GT(lit_, 100u) << effect;
    EXPECT_LT(lit_, first.size() / 4) << effect;
    EXPECT_EQ(Render(effect, 5), first) << effect;
    EXPECT_NE(Render(effect, 6), first) << effect;
  }
}

TEST_F(SplineRender, AStoredWarpTypeOutsideTheListRunsAsTheNearestType) {
  Put(kWarpSection, "Warp_Type", "4");
  const auto extended = Render("warp", 3, 40);
  Put(kWarpSection, "Warp_Type", "99");
  EXPECT_EQ(Render("warp", 3, 40), extended);
  Put(kWarpSection, "Warp_Type", "0");
  const auto central = Render("warp", 3, 40);
  Put(kWarpSection, "Warp_Type", "-7");
  EXPECT_EQ(Render("warp", 3, 40), central);
  EXPECT_NE(central, extended);
}

TEST_F(SplineRender, AbsurdStoredValuesAreClampedAtRunEntry) {
  const char* absurd[] = {"-32768", "32767", "0", "1e30", "-1e30", "0.0000001", "nonsense"};
  for (const char* value : absurd) {
    for (const auto& field : kSparklerFields) Put(kSparklerSection, field.key, value);
    for (const auto& field : kWarpFields) Put(kWarpSection, field.key, value);
    Render("sparklers", 1, 4, 64, 48);
    Render("warp", 1, 4, 64, 48);
  }
}

TEST_F(SplineRender, TheLargestCountsFitAndRun) {
  Put(kSparklerSection, "B_Spline_Splines", "999");
  Put(kSparklerSection, "B_Spline_Pixels", "9999");
  Put(kWarpSection, "Warp_Works", "999");
  Put(kWarpSection, "Warp_Sparks", "999");
  Put(kWarpSection, "Warp_Type", "0");  // 999 independent heads, not the symmetric 970
  Render("sparklers", 2, 3, 640, 480);
  EXPECT_GT(lit_, 1000u);
  Render("warp", 2, 3, 640, 480);
  EXPECT_GT(lit_, 300u);
}

}  // namespace
}  // namespace pyxora
