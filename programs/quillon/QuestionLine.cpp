#include "programs/quillon/QuestionLine.h"

#include <QGridLayout>
#include <QRegularExpression>

#include "evaluation/PMisc.h"
#include "programs/quillon/Questions.h"

namespace quillon {

QuestionLine::QuestionLine(const quantity::UnitTable& table, QWidget* parent)
    : QWidget(parent),
      table_(table),
      question_(new QLineEdit(this)),
      answer_(new QLabel(this)),
      notes_(new QLabel(this)),
      history_(new QListWidget(this)) {
  setObjectName(QStringLiteral("questionLine"));
  question_->setObjectName(QStringLiteral("questionEdit"));
  question_->setPlaceholderText(tr("Ask: 60 mph * 2 h to km, 5 ft 3 in to cm, 20 °C to °F"));
  question_->setClearButtonEnabled(true);
  auto* label = new QLabel(tr("&Question:"), this);
  label->setBuddy(question_);
  // Heard as the label's words, without the accelerator and the colon.
  QString name = label->text();
  name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  question_->setAccessibleName(name.left(name.indexOf(QLatin1Char(':'))).trimmed());
  answer_->setObjectName(QStringLiteral("answerLabel"));
  answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  answer_->setAccessibleName(tr("Answer"));
  notes_->setObjectName(QStringLiteral("notesLabel"));
  notes_->setWordWrap(true);
  notes_->setAccessibleName(tr("Notes on the units"));
  QFont small = notes_->font();
  small.setItalic(true);
  notes_->setFont(small);
  notes_->hide();
  history_->setObjectName(QStringLiteral("questionHistory"));
  history_->setAccessibleName(tr("Questions asked"));
  history_->setMaximumHeight(history_->fontMetrics().height() * 4 + 8);
  history_->hide();

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label, 0, 0);
  layout->addWidget(question_, 0, 1);
  layout->addWidget(answer_, 1, 1);
  layout->addWidget(notes_, 2, 1);
  layout->addWidget(history_, 3, 1);
  layout->setColumnStretch(1, 1);

  connect(question_, &QLineEdit::textChanged, this, &QuestionLine::UpdateAnswer);
  connect(question_, &QLineEdit::returnPressed, this, &QuestionLine::Record);
  connect(history_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    question_->setText(item->data(Qt::UserRole).toString());
  });
}

void QuestionLine::UpdateAnswer() {
  // Questions are UTF-8, as on the command line: °C, µs, km².
  const std::string text = question_->text().toStdString();
  answered_ = false;
  notes_->clear();
  notes_->hide();
  if (text.find_first_not_of(" \t") == std::string::npos) {
    answer_->clear();
    return;
  }
  try {
    if (MentionsUnits(text)) {
      const QuestionAnswer answer = AnswerQuestion(table_, text);
      answer_->setText(QStringLiteral("= ") + QString::fromStdString(answer.text));
      QStringList notes;
      for (const std::string& note : answer.notes) notes << QString::fromStdString(note);
      if (!notes.isEmpty()) {
        notes_->setText(notes.join(QLatin1Char('\n')));
        notes_->show();
      }
    } else {
      answer_->setText(QStringLiteral("= ") +
                       QString::fromStdString(rtl::FormatGeneral(PMisc::EvaluateExpression(text))));
    }
    answered_ = true;
  } catch (const rtl::Exception& error) {
    // While a question is being typed it is often incomplete: the reason
    // shows greyed, in place of the answer.
    answer_->setText(tr("(%1)").arg(QString::fromStdString(error.Message()).simplified()));
  }
}

void QuestionLine::Record() {
  UpdateAnswer();
  if (!answered_) return;
  auto* item = new QListWidgetItem(question_->text() + QLatin1Char(' ') + answer_->text());
  item->setData(Qt::UserRole, question_->text());
  history_->insertItem(0, item);
  while (history_->count() > kHistorySize) delete history_->takeItem(history_->count() - 1);
  history_->show();
}

}  // namespace quillon
