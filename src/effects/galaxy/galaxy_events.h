// The particle events beside a galaxy's own stars: star bursts, comets with tails blown
// away from the world centre, and ambient background stars flying toward the eye. Each
// erases its previous pixel before drawing the next, in star-palette colours by age.
#pragma once

#include "effects/galaxy/galaxy_world.h"

namespace pyxora {

// One frame of the bursts: perhaps start one in a free slot, then move every live one.
// `tilt` is the angle after this frame's increment.
void BurstStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, float tilt);
// One frame of the comets: perhaps start one, then move heads and tails and let
// emitting comets fall silent by chance.
void CometStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, float tilt);
// One frame of the ambient stars: fly on, or respawn in front of the galaxy.
void AmbientStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam);
// A random point in the ball of radius rho (blend 0) or on its surface (blend 1).
void RandomShellPoint(float rho, float blend, float& x, float& y, float& z);

}  // namespace pyxora
