#include "toolkit/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace toolkit {

namespace {

// Loads `name` for the default locale's languages from `folder` and installs
// it; the translator belongs to the application.
QString Install(const QString& name, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QLocale(), name, QStringLiteral("_"), folder) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return QString();
  }
  return translator->filePath();
}

}  // namespace

QString InstallTranslations(const QString& name, const QStringList& folders) {
  if (QCoreApplication::instance() == nullptr) return QString();
  // Qt's own texts first; the program's catalogue, installed last, is
  // searched first.
  Install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  for (const QString& folder : folders) {
    const QString installed = Install(name, folder);
    if (!installed.isEmpty()) return installed;
  }
  return QString();
}

QString InstallProgramTranslations(const QString& name, const QString& installedFolder) {
  const QString here = QCoreApplication::applicationDirPath();
  return InstallTranslations(
      name, {here + QStringLiteral("/translations"), here + QLatin1Char('/') + installedFolder});
}

}  // namespace toolkit
