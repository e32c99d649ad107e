#include "programs/quillon/Beam.h"

namespace quillon {

BeamResult SimplySupportedBeam(rtl::Extended p, rtl::Extended w, rtl::Extended l) {
  using rtl::Add, rtl::Divide, rtl::Multiply;
  return {Add(Divide(Multiply(p, l), 4), Divide(Multiply(w, Multiply(l, l)), 8)),
          Add(Divide(p, 2), Divide(Multiply(w, l), 2))};
}

rtl::Extended EnglishToSi(int force, int length) {
  rtl::Extended factor = 1;
  for (int i = 0; i < force; ++i) factor *= kKilonewtonsPerKip;
  for (int i = 0; i < length; ++i) factor *= kMetresPerFoot;
  for (int i = 0; i > length; --i) factor /= kMetresPerFoot;
  return factor;
}

}  // namespace quillon
