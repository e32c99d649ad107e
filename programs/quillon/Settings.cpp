#include "programs/quillon/Settings.h"

#include <QDir>
#include <QSettings>

#include "entry/DataEdit.h"
#include "toolkit/Text.h"

namespace quillon {

using toolkit::ToBytes;
using toolkit::ToQString;

namespace {

// $variable, or $HOME/fallback when it is unset, empty or not absolute (as
// the XDG base directory rules say).
QString XdgFolder(const char* variable, const char* fallback) {
  const QString folder = qEnvironmentVariable(variable);
  if (!folder.isEmpty() && QDir::isAbsolutePath(folder)) return folder;
  return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
}

QString ValueText(rtl::Extended value) {
  return QString::fromStdString(DataEdit::ValueToPropertyText(value));
}

std::optional<rtl::Extended> ReadValue(const QSettings& settings, const QString& key) {
  rtl::Extended value = 0;
  if (!settings.contains(key)) return std::nullopt;
  if (!DataEdit::ValueFromPropertyText(settings.value(key).toString().toStdString(), value)) {
    return std::nullopt;
  }
  return value;
}

std::string ReadText(const QSettings& settings, const QString& key) {
  return ToBytes(settings.value(key).toString());
}

}  // namespace

QString WindowSettingsFile() {
  return XdgFolder("XDG_CONFIG_HOME", ".config") + QStringLiteral("/quillon/window.conf");
}

QString HistoryFile() {
  return XdgFolder("XDG_STATE_HOME", ".local/state") +
         QStringLiteral("/quillon/window-history.conf");
}

WindowState LoadWindowState() {
  QSettings settings(WindowSettingsFile(), QSettings::IniFormat);
  WindowState state;
  if (settings.contains(QStringLiteral("conversion/category"))) {
    state.category = ReadText(settings, QStringLiteral("conversion/category"));
  }
  state.amount = ReadValue(settings, QStringLiteral("conversion/amount"));
  const int pairs = settings.beginReadArray(QStringLiteral("pairs"));
  for (int i = 0; i < pairs; ++i) {
    settings.setArrayIndex(i);
    UnitPair pair{ReadText(settings, QStringLiteral("category")),
                  ReadText(settings, QStringLiteral("from")),
                  ReadText(settings, QStringLiteral("to"))};
    if (!pair.category.empty()) state.pairs.push_back(pair);
  }
  settings.endArray();
  if (settings.contains(QStringLiteral("display/hexadecimal"))) {
    state.hexadecimal = settings.value(QStringLiteral("display/hexadecimal")).toBool();
  }
  bool isNumber = false;
  const int captions = settings.value(QStringLiteral("display/captions")).toInt(&isNumber);
  if (isNumber && captions >= 1 && captions <= 3)
    state.captionUnits = static_cast<CaptionUnits>(captions);
  state.geometry = settings.value(QStringLiteral("window/geometry")).toByteArray();
  return state;
}

void SaveWindowState(const WindowState& state) {
  QSettings settings(WindowSettingsFile(), QSettings::IniFormat);
  settings.clear();
  if (state.category)
    settings.setValue(QStringLiteral("conversion/category"), ToQString(*state.category));
  if (state.amount)
    settings.setValue(QStringLiteral("conversion/amount"), ValueText(*state.amount));
  settings.beginWriteArray(QStringLiteral("pairs"), static_cast<int>(state.pairs.size()));
  for (std::size_t i = 0; i < state.pairs.size(); ++i) {
    settings.setArrayIndex(static_cast<int>(i));
    settings.setValue(QStringLiteral("category"), ToQString(state.pairs[i].category));
    settings.setValue(QStringLiteral("from"), ToQString(state.pairs[i].from));
    settings.setValue(QStringLiteral("to"), ToQString(state.pairs[i].to));
  }
  settings.endArray();
  if (state.hexadecimal)
    settings.setValue(QStringLiteral("display/hexadecimal"), *state.hexadecimal);
  if (state.captionUnits)
    settings.setValue(QStringLiteral("display/captions"), static_cast<int>(*state.captionUnits));
  if (!state.geometry.isEmpty())
    settings.setValue(QStringLiteral("window/geometry"), state.geometry);
}

void LoadHistory(History& history) {
  QSettings settings(HistoryFile(), QSettings::IniFormat);
  const int count = settings.beginReadArray(QStringLiteral("conversions"));
  std::vector<HistoryEntry> entries;
  for (int i = 0; i < count && entries.size() < history.Capacity(); ++i) {
    settings.setArrayIndex(i);
    HistoryEntry entry{ReadText(settings, QStringLiteral("category")),
                       ReadText(settings, QStringLiteral("from")),
                       ReadText(settings, QStringLiteral("to"))};
    const auto amount = ReadValue(settings, QStringLiteral("amount"));
    const auto result = ReadValue(settings, QStringLiteral("result"));
    if (entry.category.empty() || entry.from.empty() || entry.to.empty() || !amount || !result) {
      continue;
    }
    entry.amount = *amount;
    entry.result = *result;
    entries.push_back(entry);
  }
  settings.endArray();
  // The file lists the newest first; adding the oldest first rebuilds it.
  history.Clear();
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) history.Add(*entry);
}

void SaveHistory(const History& history) {
  QSettings settings(HistoryFile(), QSettings::IniFormat);
  settings.clear();
  const auto& entries = history.Entries();
  settings.beginWriteArray(QStringLiteral("conversions"), static_cast<int>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    settings.setArrayIndex(static_cast<int>(i));
    settings.setValue(QStringLiteral("category"), ToQString(entries[i].category));
    settings.setValue(QStringLiteral("from"), ToQString(entries[i].from));
    settings.setValue(QStringLiteral("to"), ToQString(entries[i].to));
    settings.setValue(QStringLiteral("amount"), ValueText(entries[i].amount));
    settings.setValue(QStringLiteral("result"), ValueText(entries[i].result));
  }
  settings.endArray();
}

}  // namespace quillon
