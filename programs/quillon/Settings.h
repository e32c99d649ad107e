// What the quillon window keeps between runs, and where.
//
//   $XDG_CONFIG_HOME/quillon/window.conf   the choices: category, each
//                                          category's pair of units, the
//                                          display options, the amount and
//                                          the window's geometry;
//   $XDG_STATE_HOME/quillon/window-history.conf   the recent conversions.
//
// Without those variables the XDG defaults apply (~/.config, ~/.local/state).
// Both files are QSettings INI files. Units are stored by category name and
// symbol, values in the exact property-text form of the entry field, so a
// file reads back the same whatever the decimal separator and however the
// catalogue has grown. Whatever cannot be read is left at its default.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "programs/quillon/History.h"
#include "runtime/rtl.h"

namespace quillon {

// The captions of the quick calc's fields, by the numbers that
// TDataEdit::SetUnits takes.
enum class CaptionUnits : int32_t { English = 1, SI = 2, Codes = 3 };

struct UnitPair {
  std::string category;
  std::string from;  // symbols
  std::string to;
};

struct WindowState {
  std::optional<std::string> category;  // name of the category shown
  std::vector<UnitPair> pairs;          // one per category
  std::optional<bool> hexadecimal;
  std::optional<CaptionUnits> captionUnits;
  std::optional<rtl::Extended> amount;
  QByteArray geometry;  // QWidget::saveGeometry
};

// The two files, from the environment at the time of the call.
QString WindowSettingsFile();
QString HistoryFile();

WindowState LoadWindowState();
void SaveWindowState(const WindowState& state);

// Entries that lack a category or a unit symbol, or whose values cannot be
// read, are skipped; at most `history`'s capacity are kept.
void LoadHistory(History& history);
void SaveHistory(const History& history);

}  // namespace quillon
