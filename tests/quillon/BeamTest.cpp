// The quick calc's formulas, without the window.
#include <gtest/gtest.h>

#include "programs/quillon/Beam.h"

namespace {

TEST(Beam, MomentAndShearOfAPointAndAUniformLoad) {
  // P = 10, w = 2, L = 6: M = 10*6/4 + 2*36/8 = 24, V = 5 + 6 = 11.
  const quillon::BeamResult beam = quillon::SimplySupportedBeam(10, 2, 6);
  EXPECT_EQ(beam.moment, 24);
  EXPECT_EQ(beam.shear, 11);
  const quillon::BeamResult unloaded = quillon::SimplySupportedBeam(0, 0, 6);
  EXPECT_EQ(unloaded.moment, 0);
  EXPECT_EQ(unloaded.shear, 0);
  EXPECT_THROW(quillon::SimplySupportedBeam(1e4000L, 1e4000L, 1e4000L), rtl::Exception);
}

TEST(Beam, EnglishToSiFollowsTheDimension) {
  EXPECT_EQ(quillon::EnglishToSi(0, 0), 1);
  EXPECT_EQ(quillon::EnglishToSi(1, 0), quillon::kKilonewtonsPerKip);
  EXPECT_EQ(quillon::EnglishToSi(0, 1), quillon::kMetresPerFoot);
  // kip/ft to kN/m: a uniform load.
  EXPECT_EQ(quillon::EnglishToSi(1, -1), quillon::kKilonewtonsPerKip / quillon::kMetresPerFoot);
  // A kip is 1000 lbf of 0.45359237 kg * 9.80665 m/s^2, in kN.
  EXPECT_NEAR(static_cast<double>(quillon::kKilonewtonsPerKip), 4.4482216152605, 1e-15);
}

}  // namespace
