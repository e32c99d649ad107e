/// \file
/// A program's translations: its own catalogue and Qt's, in the user's
/// language.
#pragma once

#include <QString>
#include <QStringList>

namespace toolkit {

/// Installs into the running application the translations of Qt's own texts
/// (dialog buttons, file dialogs, system error texts) and the program's
/// catalogue `name`_LANGUAGE.qm, for the user's languages in their order of
/// preference (the default QLocale, which follows LANGUAGE, LC_ALL,
/// LC_MESSAGES and LANG). The catalogue is looked for in `folders`, in order;
/// the first one that holds a catalogue for a preferred language wins.
/// Needs a QCoreApplication; the translators belong to it. Returns the file
/// name of the program's catalogue that was installed, or an empty text
/// when none matches (the program's own texts then stay as written).
QString InstallTranslations(const QString& name, const QStringList& folders);

/// InstallTranslations() for a program's own catalogues as they lie: in
/// translations/ beside the executable in a build tree, or in
/// `installedFolder` (relative to the executable's folder) once installed.
QString InstallProgramTranslations(const QString& name, const QString& installedFolder);

}  // namespace toolkit
