#include "programs/quillon/ExtraUnits.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "measure/UnitsFile.h"
#include "programs/quillon/Paths.h"

namespace quillon {

namespace {

void Load(units::TCategories& catalogue, const std::string& path,
          std::vector<std::string>& problems) {
  for (const units::UnitsFileProblem& problem : units::LoadUnitsFile(catalogue, path).problems) {
    problems.push_back(problem.Text());
  }
}

}  // namespace

UnitsFiles DefaultUnitsFiles() { return {ShippedUnitsFile(), UserUnitsFile()}; }

std::vector<std::string> LoadExtraUnits(units::TCategories& catalogue, const UnitsFiles& files) {
  std::vector<std::string> problems;
  if (files.shipped.empty()) {
    problems.push_back("the units file that ships with quillon was not found");
  } else {
    Load(catalogue, files.shipped, problems);
  }
  std::error_code error;
  if (!files.user.empty() && std::filesystem::exists(files.user, error)) {
    Load(catalogue, files.user, problems);
  }
  return problems;
}

void LoadExtraUnits(std::ostream& err) {
  for (const std::string& problem : LoadExtraUnits(units::UnitCategories(), DefaultUnitsFiles())) {
    err << "quillon: " << problem << '\n';
  }
}

}  // namespace quillon
