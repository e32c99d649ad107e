// Takes the screenshot of quillon's window that the README shows: a few
// questions asked, a few conversions in the history, a search under way.
// Nothing of it is kept in the user's settings.
#include <QApplication>
#include <QTimer>
#include <iostream>

#include "programs/quillon/MainWindow.h"
#include "programs/quillon/Questions.h"
#include "toolkit/Application.h"

namespace {

void ShowExample(quillon::MainWindow& window, const units::TCategories& catalogue) {
  window.SetPersistent(false);
  const auto convert = [&](const char* amount, const char* category, const char* from,
                           const char* to) {
    for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
      if (catalogue.GetCategory(c).Name != category) continue;
      const units::TCategory& units = catalogue.GetCategory(c);
      int32_t source = -1, target = -1;
      for (int32_t u = 0; u < units.UnitCount(); ++u) {
        if (units.GetUnit(u).Symbol == from) source = u;
        if (units.GetUnit(u).Symbol == to) target = u;
      }
      if (source < 0 || target < 0) return;
      window.SelectCategory(c);
      window.SelectFrom(source);
      window.SelectTo(target);
    }
    window.Amount()->setText(QString::fromLatin1(amount));
    window.RecordConversion();
  };
  convert("100", "Temperature", "C", "F");
  convert("1.5", "Time", "h", "min");
  convert("5", "Mass", "lb", "kg");
  convert("42.195", "Length", "km", "mi");
  window.SetSearchText(QStringLiteral("mile"));
  quillon::QuestionLine* question = window.Question();
  for (const char* asked : {"3 kWh / 2 h to W", "1.8 m to ft;in", "5 ft 3 in to cm"}) {
    question->Question()->setText(QString::fromUtf8(asked));
    question->Record();
  }
  question->Question()->setText(QStringLiteral("10 gallons to L"));
  window.resize(1040, 800);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: quillon-screenshot FILE.png\n";
    return 2;
  }
  const QString file = QString::fromLocal8Bit(argv[1]);
  toolkit::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillon-screenshot"));
  for (const std::string& problem :
       quillon::LoadUnitDefinitions(quillon::UnitDefinitions(), {QUILLON_DEFINITIONS_FILE, ""})) {
    std::cerr << "quillon-screenshot: " << problem << '\n';
  }
  units::TCategories catalogue;
  quillon::AddDefinitionsToCatalogue(catalogue, quillon::UnitDefinitions());
  quillon::MainWindow window(catalogue);
  window.show();
  ShowExample(window, catalogue);
  bool saved = false;
  QTimer::singleShot(800, &window, [&window, &saved, file] {
    saved = window.grab().save(file, "PNG");
    QApplication::quit();
  });
  QApplication::exec();
  if (!saved) std::cerr << "quillon-screenshot: could not write " << argv[1] << '\n';
  return saved ? 0 : 1;
}
