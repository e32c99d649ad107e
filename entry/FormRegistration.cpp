// Compiled into every program and library that links the CMake target
// Tessera::entry (an interface source of that target), not into the entry
// library itself. Its initialiser calls into the library, so neither a
// static archive nor a shared library linked "as needed" can be left out by
// the linker, and a form description naming TDataEdit loads even when the
// program never names the class.
#include "entry/DataEdit.h"

namespace {

[[maybe_unused]] const bool kDataEditRegistered = (DataEdit::RegisterFormClass(), true);

}  // namespace
