/// \file
/// The whole runtime: extended values, exceptions, checked arithmetic and the
/// general number text.
#pragma once

#include "runtime/Arithmetic.h"
#include "runtime/CharClass.h"
#include "runtime/Exceptions.h"
#include "runtime/Extended.h"
#include "runtime/NumberText.h"
#include "runtime/ScopeExit.h"
