// Frame cost of the gravity wells at 1920 x 1080: the factory settings, the most stars
// and attractors the ring holds (9999 x 3 slots), and long trails by eraser stars
// (9999 stars, trail 50: twice the physics instead of stored pixels).
#include "bench_support.h"
#include "effects/gravity/gravity_settings.h"

namespace {

using pyxora::SaveSettingStr;
using pyxora::kGravitySection;

constexpr int16_t kGravity = 4;

void GravityDefaults(benchmark::State& state) { pyxora::bench::EffectFrames(state, kGravity, nullptr); }

void GravityRing9999Stars9Attractors(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kGravity, [] {
    SaveSettingStr(kGravitySection, "Grav_Pixels", 9999);
    SaveSettingStr(kGravitySection, "Grav_Attractors", 9);
    SaveSettingStr(kGravitySection, "Grav_TrailLength", 3);
  });
}

void GravityEraser9999StarsTrail50(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kGravity, [] {
    SaveSettingStr(kGravitySection, "Grav_Pixels", 9999);
    SaveSettingStr(kGravitySection, "Grav_TrailLength", 50);
  });
}

}  // namespace

BENCHMARK(GravityDefaults)->Apply(pyxora::bench::Steady);
BENCHMARK(GravityRing9999Stars9Attractors)->Apply(pyxora::bench::Steady);
BENCHMARK(GravityEraser9999StarsTrail50)->Apply(pyxora::bench::Steady);
