// The question line of quillon's window.
#include <gtest/gtest.h>

#include "programs/quillon/QuestionLine.h"
#include "programs/quillon/Questions.h"
#include "tests/support/Localized.h"

namespace {

const quantity::UnitTable& Table() {
  static quantity::UnitTable table;
  static const bool loaded = [] {
    quillon::LoadUnitDefinitions(table, {QUILLON_DEFINITIONS_FILE, ""});
    return true;
  }();
  (void)loaded;
  return table;
}

TEST(QuestionLine, AnswersAsTheQuestionIsTyped) {
  quillon::QuestionLine line(Table());
  line.Question()->setText(QStringLiteral("60 mph * 2 h to km"));
  EXPECT_EQ(line.AnswerLabel()->text().toStdString(), "= " + testsupport::Localized("193.12128"));
  EXPECT_TRUE(line.NotesLabel()->isHidden());
  line.Question()->setText(QStringLiteral("20 °C to °F"));
  EXPECT_EQ(line.AnswerLabel()->text(), QStringLiteral("= 68"));
  line.Question()->setText(QStringLiteral("2*3"));  // the evaluator's
  EXPECT_EQ(line.AnswerLabel()->text(), QStringLiteral("= 6"));
  line.Question()->setText(QStringLiteral("5 kg to"));  // not finished
  EXPECT_TRUE(line.AnswerLabel()->text().startsWith(QLatin1Char('(')));
}

TEST(QuestionLine, NotesOnMeaningsShowUnderTheAnswer) {
  quillon::QuestionLine line(Table());
  line.Question()->setText(QStringLiteral("1 gallon to L"));
  EXPECT_FALSE(line.NotesLabel()->isHidden());
  EXPECT_TRUE(line.NotesLabel()->text().contains(QStringLiteral("imperial gallon")));
}

TEST(QuestionLine, EnterKeepsAnsweredQuestionsNewestFirst) {
  quillon::QuestionLine line(Table());
  line.Question()->setText(QStringLiteral("1 ft to in"));
  line.Record();
  line.Question()->setText(QStringLiteral("1 ft to kg"));  // refused: not kept
  line.Record();
  line.Question()->setText(QStringLiteral("1 yd to ft"));
  line.Record();
  ASSERT_EQ(line.History()->count(), 2);
  EXPECT_EQ(line.History()->item(0)->text(), QStringLiteral("1 yd to ft = 3"));
  EXPECT_EQ(line.History()->item(1)->text(), QStringLiteral("1 ft to in = 12"));
  emit line.History()->itemActivated(line.History()->item(1));
  EXPECT_EQ(line.Question()->text(), QStringLiteral("1 ft to in"));
}

}  // namespace
