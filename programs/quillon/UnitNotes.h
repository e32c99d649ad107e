// The notes of the units file that ships with quillon on names of several
// meanings ("gallon is taken as the US gallon ..."), in the user's language.
//
// A note is data, written in data/units.txt; its translation is looked up by
// its English text in the context kUnitNotesContext, and ShippedNotes marks
// every one for Qt Linguist (a test keeps the list and the file in step). A
// note of the user's own units file has no translation and stays as written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

inline constexpr std::string_view kUnitNotesContext = "quillon::UnitNotes";

// The notes of data/units.txt, as written there.
const std::vector<std::string_view>& ShippedNotes();

// `note` in the user's language (Texts.h), or as written.
std::string TranslatedNote(std::string_view note);

}  // namespace quillon
