// Both windows in German and in French, as their programs start them. Each
// language runs in a child process (TranslatedWindowsChild.cpp) whose
// environment names the locale (LANG and LC_ALL, with the locale built by
// localedef into a temporary folder that LOCPATH names): Qt and the C
// library take it at start-up, as they do in the programs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Builds the locale with localedef into `folder`; false when it cannot.
bool MakeLocale(const QString& folder, const char* locale, QString& why) {
  QProcess localedef;
  localedef.start(
      QStringLiteral("localedef"),
      {QStringLiteral("-i"), QString::fromLatin1(locale), QStringLiteral("-f"),
       QStringLiteral("UTF-8"),
       folder + QStringLiteral("/") + QString::fromLatin1(locale) + QStringLiteral(".UTF-8")});
  if (!localedef.waitForFinished(60000) || localedef.exitStatus() != QProcess::NormalExit ||
      localedef.exitCode() != 0) {
    why = QStringLiteral("localedef -i %1 failed: %2%3")
              .arg(QString::fromLatin1(locale), localedef.errorString(),
                   QString::fromLocal8Bit(localedef.readAllStandardError()));
    return false;
  }
  return true;
}

TEST(Translations, BothWindowsInGermanAndFrench) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  struct Language {
    const char* language;
    const char* locale;
  };
  for (const Language& expected : {Language{"de", "de_DE"}, Language{"fr", "fr_FR"}}) {
    SCOPED_TRACE(expected.locale);
    QString why;
    if (!MakeLocale(folder.path(), expected.locale, why)) {
      if (qgetenv("TESSERA_REQUIRE_PEERS") == "1") FAIL() << why.toStdString();
      GTEST_SKIP() << why.toStdString();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString locale = QString::fromLatin1(expected.locale) + QStringLiteral(".UTF-8");
    environment.insert(QStringLiteral("LOCPATH"), folder.path());
    environment.insert(QStringLiteral("LANG"), locale);
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path() + "/config");
    environment.insert(QStringLiteral("XDG_STATE_HOME"), folder.path() + "/state");
    environment.insert(QStringLiteral("TEST_TRANSLATION_LANGUAGE"),
                       QString::fromLatin1(expected.language));
    // glibc keeps the LOCPATH it splits for setlocale until the process
    // ends; under LeakSanitizer that is no fault of the child's.
    QFile suppressions(folder.path() + QStringLiteral("/lsan.supp"));
    ASSERT_TRUE(suppressions.open(QIODevice::WriteOnly));
    suppressions.write("leak:__argz_add_sep\n");
    suppressions.close();
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=") + suppressions.fileName());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral(TRANSLATED_WINDOWS_CHILD), {});
    ASSERT_TRUE(child.waitForFinished(120000)) << "the child did not end";
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 3 tests"))) << output.toStdString();
  }
}

}  // namespace
