#include "programs/tamsel/TamselWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "toolkit/Application.h"
#include "toolkit/Text.h"

namespace tamsel {

namespace {

struct LevelChoice {
  int level;
  const char* label;
};

constexpr LevelChoice kLevels[] = {
    {0, "0: nothing"},
    {1, "1: reply lines"},
    {4, "4: also sending and closing"},
    {8, "8: every step"},
};

QString Number(int value) { return QString::number(value); }

}  // namespace

TamselWindow::TamselWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("tamsel"));
  sock_ = std::make_unique<Psock::TPowersock>(nullptr);
  sock_->OnStatus = [this](toolkit::Component*, const std::string& status) {
    AppendStatus(status);
  };
  sock_->OnDisconnect = [this](Psock::TPowersock*) {
    // Also reached from a close notification while the window is idle.
    QTimer::singleShot(0, this, [this] { UpdateState(); });
  };

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(BuildConnectionBox());
  layout->addWidget(BuildCommandBox());
  auto* splitter = new QSplitter(Qt::Vertical, central);
  splitter->addWidget(transactions_);
  splitter->addWidget(BuildTraceBox());
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter, 1);
  setCentralWidget(central);

  state_ = new QLabel(this);
  statusBar()->addWidget(state_, 1);
  localAddress_ = new QLabel(this);
  statusBar()->addPermanentWidget(localAddress_);
  const std::string local = sock_->GetLocalIP();
  localAddress_->setText(QStringLiteral("Local address: ") +
                         (local.empty() ? QStringLiteral("unknown") : toolkit::ToQString(local)));
  resize(760, 620);
  UpdateState();
}

TamselWindow::~TamselWindow() = default;

QWidget* TamselWindow::BuildConnectionBox() {
  auto* box = new QGroupBox(QStringLiteral("Server"));
  auto* form = new QFormLayout;
  host_ = new QLineEdit(QStringLiteral("127.0.0.1"));
  host_->setPlaceholderText(QStringLiteral("name or dotted address"));
  port_ = new QSpinBox;
  port_->setRange(1, 65535);
  port_->setValue(25);
  timeOut_ = new QSpinBox;
  timeOut_->setRange(0, 3600000);
  timeOut_->setSingleStep(1000);
  timeOut_->setValue(10000);
  timeOut_->setSuffix(QStringLiteral(" ms"));
  timeOut_->setSpecialValueText(QStringLiteral("no limit"));
  level_ = new QComboBox;
  for (const LevelChoice& choice : kLevels) {
    level_->addItem(QString::fromLatin1(choice.label), choice.level);
  }
  level_->setCurrentIndex(3);
  greeting_ = new QCheckBox(QStringLiteral("Read the greeting after connecting"));
  greeting_->setChecked(true);

  auto* address = new QHBoxLayout;
  address->addWidget(host_, 3);
  address->addWidget(new QLabel(QStringLiteral("Port")));
  address->addWidget(port_, 1);
  form->addRow(QStringLiteral("Host"), address);
  auto* limits = new QHBoxLayout;
  limits->addWidget(timeOut_, 1);
  limits->addWidget(new QLabel(QStringLiteral("Report level")));
  limits->addWidget(level_, 1);
  form->addRow(QStringLiteral("Time-out"), limits);

  connect_ = new QPushButton(QStringLiteral("Connect"));
  connect_->setDefault(true);
  disconnect_ = new QPushButton(QStringLiteral("Disconnect"));
  cancel_ = new QPushButton(QStringLiteral("Cancel"));
  cancel_->setToolTip(QStringLiteral("Ends the operation that is waiting"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(greeting_);
  buttons->addStretch(1);
  buttons->addWidget(connect_);
  buttons->addWidget(disconnect_);
  buttons->addWidget(cancel_);
  form->addRow(buttons);
  box->setLayout(form);

  QObject::connect(connect_, &QPushButton::clicked, this, [this] { ConnectToServer(); });
  QObject::connect(disconnect_, &QPushButton::clicked, this, [this] { DisconnectFromServer(); });
  QObject::connect(cancel_, &QPushButton::clicked, this, [this] { CancelWait(); });
  QObject::connect(host_, &QLineEdit::returnPressed, this, [this] { ConnectToServer(); });
  return box;
}

QWidget* TamselWindow::BuildCommandBox() {
  auto* box = new QGroupBox(QStringLiteral("Command"));
  auto* row = new QHBoxLayout(box);
  command_ = new QLineEdit;
  command_->setPlaceholderText(QStringLiteral("a line to send, for instance HELO or NOOP"));
  command_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  send_ = new QPushButton(QStringLiteral("Send"));
  row->addWidget(command_, 1);
  row->addWidget(send_);
  const auto send = [this] {
    const QString command = command_->text();
    if (command.isEmpty()) return;
    SendCommand(command);
  };
  QObject::connect(send_, &QPushButton::clicked, this, send);
  QObject::connect(command_, &QLineEdit::returnPressed, this, send);

  transactions_ = new QTreeWidget;
  transactions_->setColumnCount(3);
  transactions_->setHeaderLabels(
      {QStringLiteral("Command"), QStringLiteral("Reply no."), QStringLiteral("Reply")});
  transactions_->setRootIsDecorated(true);
  transactions_->setAlternatingRowColors(true);
  transactions_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  transactions_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  transactions_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  transactions_->header()->setStretchLastSection(true);
  return box;
}

QWidget* TamselWindow::BuildTraceBox() {
  auto* box = new QGroupBox(QStringLiteral("Status trace"));
  auto* column = new QVBoxLayout(box);
  trace_ = new QPlainTextEdit;
  trace_->setReadOnly(true);
  trace_->setMaximumBlockCount(5000);
  trace_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  column->addWidget(trace_);
  return box;
}

void TamselWindow::SetHost(const QString& host) { host_->setText(host); }
void TamselWindow::SetPort(int port) { port_->setValue(port); }
void TamselWindow::SetTimeOut(int milliseconds) { timeOut_->setValue(milliseconds); }

void TamselWindow::SetReportLevel(int level) {
  const int index = level_->findData(level);
  if (index >= 0) level_->setCurrentIndex(index);
}

void TamselWindow::ApplySettings() {
  sock_->Host = toolkit::ToBytes(host_->text().trimmed());
  sock_->Port = port_->value();
  sock_->TimeOut = timeOut_->value();
  sock_->ReportLevel = level_->currentData().toInt();
}

void TamselWindow::ConnectToServer() {
  if (busy_ || sock_->Connected) return;
  ApplySettings();
  SetBusy(true);
  try {
    sock_->Connect();
    if (greeting_->isChecked()) AddExchange(ReadGreeting(*sock_));
  } catch (const std::exception& error) {
    ShowError(error);
  }
  SetBusy(false);
  if (sock_->Connected) command_->setFocus();
}

void TamselWindow::DisconnectFromServer() {
  if (busy_) return;
  try {
    sock_->Disconnect();
  } catch (const std::exception& error) {
    ShowError(error);
  }
  UpdateState();
}

void TamselWindow::SendCommand(const QString& command) {
  if (busy_ || !sock_->Connected) return;
  sock_->ReportLevel = level_->currentData().toInt();
  sock_->TimeOut = timeOut_->value();
  SetBusy(true);
  try {
    AddExchange(RunTransaction(*sock_, toolkit::ToBytes(command)));
    command_->clear();
    command_->setFocus();
  } catch (const std::exception& error) {
    ShowError(error);
  }
  SetBusy(false);
}

void TamselWindow::CancelWait() {
  if (busy_) sock_->Cancel();
}

void TamselWindow::AddExchange(const Exchange& exchange) {
  auto* item = new QTreeWidgetItem(transactions_);
  item->setText(0, exchange.command.empty() ? QStringLiteral("(greeting)")
                                            : toolkit::ToQString(exchange.command));
  item->setText(1, exchange.lines.empty() ? QString() : Number(exchange.number));
  item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  if (exchange.lines.empty()) {
    item->setText(2, QStringLiteral("(connection closed)"));
  } else {
    item->setText(2, toolkit::ToQString(exchange.lines.front()));
    for (size_t i = 1; i < exchange.lines.size(); ++i) {
      auto* more = new QTreeWidgetItem(item);
      more->setText(2, toolkit::ToQString(exchange.lines[i]));
    }
    item->setExpanded(true);
  }
  transactions_->scrollToItem(item);
}

void TamselWindow::AppendStatus(const std::string& status) {
  trace_->appendPlainText(toolkit::ToQString(WithoutLineEnd(status)));
}

void TamselWindow::SetBusy(bool busy) {
  busy_ = busy;
  UpdateState();
  if (!busy && closeWanted_) QTimer::singleShot(0, this, &QWidget::close);
}

void TamselWindow::UpdateState() {
  const bool connected = sock_->Connected;
  connect_->setEnabled(!busy_ && !connected);
  disconnect_->setEnabled(!busy_ && connected);
  cancel_->setEnabled(busy_);
  send_->setEnabled(!busy_ && connected);
  command_->setEnabled(connected);
  host_->setEnabled(!busy_ && !connected);
  port_->setEnabled(!busy_ && !connected);
  if (busy_) {
    state_->setText(QStringLiteral("Waiting..."));
  } else if (connected) {
    state_->setText(QStringLiteral("Connected to ") + host_->text() + QStringLiteral(":") +
                    Number(port_->value()));
  } else {
    state_->setText(QStringLiteral("Not connected"));
  }
}

void TamselWindow::ShowError(const std::exception& error) {
  UpdateState();
  toolkit::ShowErrorBox(Explain(*sock_, error));
}

void TamselWindow::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // The socket is in the middle of a wait: end it, close afterwards.
    closeWanted_ = true;
    sock_->Cancel();
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tamsel
