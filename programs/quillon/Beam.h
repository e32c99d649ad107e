// The quick calc of quillon's window: the largest bending moment and shear
// of a simply supported beam with a point load at mid-span and a uniform
// load over its span, and the factors between its English units (kips,
// feet) and its SI units (kilonewtons, metres). No Qt: the window only shows
// what these compute.
#pragma once

#include "runtime/rtl.h"

namespace quillon {

// The international definitions: 1 lbf = 0.45359237 kg * 9.80665 m/s^2,
// 1 ft = 0.3048 m.
inline constexpr rtl::Extended kKilonewtonsPerKip = 4.4482216152605L;
inline constexpr rtl::Extended kMetresPerFoot = 0.3048L;

struct BeamResult {
  rtl::Extended moment;  // P L / 4 + w L^2 / 8
  rtl::Extended shear;   // P / 2 + w L / 2
};

// Point load `p` at mid-span, uniform load `w` per length, span `l`, in any
// one consistent system of units. Raises the checked arithmetic's errors
// (rtl::EOverflow and the like).
BeamResult SimplySupportedBeam(rtl::Extended p, rtl::Extended w, rtl::Extended l);

// The factor that turns a value of dimension force^force * length^length
// from English (kip, ft) to SI (kN, m) units.
rtl::Extended EnglishToSi(int force, int length);

}  // namespace quillon
