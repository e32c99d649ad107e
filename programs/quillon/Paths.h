// Where quillon keeps and finds its files.
//
// The folders follow the XDG base directory rules: a variable that is set to
// an absolute path wins, otherwise the default under $HOME. The files that
// ship with quillon are found relative to the running executable
// (programs/common/ProgramFiles.h).
#pragma once

#include <string>
#include <vector>

namespace quillon {

// $XDG_CONFIG_HOME, or ~/.config; empty when neither is known.
std::string ConfigHome();

// $XDG_STATE_HOME, or ~/.local/state; empty when neither is known.
std::string StateHome();

// The user's units file: ConfigHome()/quillon/units.txt (empty when there is
// no configuration folder).
std::string UserUnitsFile();

// The prompt's history: StateHome()/quillon/history (empty likewise).
std::string HistoryFile();

// The units file that ships with quillon, found beside the executable (build
// tree) or in the installed data folder (share/quillon/units.txt); empty
// when it cannot be found.
std::string ShippedUnitsFile();

}  // namespace quillon
