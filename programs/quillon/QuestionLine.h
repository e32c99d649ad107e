// The line at the top of quillon's window where a whole question is typed
// ("60 mph * 2 h to km"): the answer shows as it is typed, the notes on units
// of several meanings under it, and Enter keeps the question with its answer
// in the list below. Entries without units are the evaluator's, as on the
// command line.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include "quantity/Units.h"

namespace quillon {

class QuestionLine : public QWidget {
  Q_OBJECT

 public:
  // `table` must outlive the widget.
  explicit QuestionLine(const quantity::UnitTable& table, QWidget* parent = nullptr);

  QLineEdit* Question() const { return question_; }
  QLabel* AnswerLabel() const { return answer_; }
  QLabel* NotesLabel() const { return notes_; }
  QListWidget* History() const { return history_; }

  // Answers the question typed so far (called as it is typed).
  void UpdateAnswer();
  // Keeps the question and its answer at the top of the history (Enter).
  void Record();

  static constexpr int kHistorySize = 50;

 private:
  const quantity::UnitTable& table_;
  QLineEdit* question_;
  QLabel* answer_;
  QLabel* notes_;
  QListWidget* history_;
  bool answered_ = false;
};

}  // namespace quillon
