#include "programs/tamsel/TamselWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Text.h"
#include "toolkit/Translation.h"

namespace tamsel {

namespace {

struct LevelChoice {
  int level;
  const char* label;
};

constexpr LevelChoice kLevels[] = {
    {0, QT_TRANSLATE_NOOP("tamsel::TamselWindow", "0: nothing")},
    {1, QT_TRANSLATE_NOOP("tamsel::TamselWindow", "1: reply lines")},
    {4, QT_TRANSLATE_NOOP("tamsel::TamselWindow", "4: also sending and closing")},
    {8, QT_TRANSLATE_NOOP("tamsel::TamselWindow", "8: every step")},
};

QString Number(int value) { return QString::number(value); }

// Screen readers name a text field after the label whose buddy it is, but
// not a spin box or a choice list: those get the label's text as their name.
// A text field whose label is no sibling of it (it stands in another widget)
// is named by `force`: Qt looks for a field's label among its siblings only.
void NameAfter(QLabel* label, bool force = false) {
  QWidget* buddy = label->buddy();
  if (buddy == nullptr || (!force && qobject_cast<QLineEdit*>(buddy) != nullptr)) return;
  QString text = label->text();
  text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  buddy->setAccessibleName(text);
}

// The longest part of a value that the list shows.
constexpr size_t kShownValue = 4096;

// A padlock drawn in `colour`: closed with its shackle down, or open with
// the shackle lifted to one side.
QPixmap Padlock(bool closed, const QColor& colour) {
  const qreal ratio = qApp->devicePixelRatio();
  QPixmap pixmap(QSize(18, 18) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 2));
  painter.setBrush(Qt::NoBrush);
  const QRectF shackle = closed ? QRectF(5, 2, 8, 10) : QRectF(9, 0, 8, 10);
  painter.drawArc(shackle, 0, 180 * 16);
  painter.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), 9));
  if (closed) {
    painter.drawLine(QPointF(shackle.left(), shackle.center().y()), QPointF(shackle.left(), 9));
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRoundedRect(QRectF(3, 8, 12, 9), 2, 2);
  return pixmap;
}

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
  BuildMenus();
  resize(760, 620);
  UpdateState();
}

TamselWindow::~TamselWindow() = default;

QWidget* TamselWindow::BuildConnectionBox() {
  auto* box = new QGroupBox(tr("Server"));
  auto* form = new QFormLayout;
  host_ = new QLineEdit(QStringLiteral("127.0.0.1"));
  host_->setPlaceholderText(tr("name, IPv4 or IPv6 address"));
  port_ = new QSpinBox;
  port_->setRange(1, 65535);
  port_->setValue(25);
  timeOut_ = new QSpinBox;
  timeOut_->setRange(0, 3600000);
  timeOut_->setSingleStep(1000);
  timeOut_->setValue(10000);
  timeOut_->setSuffix(tr(" ms"));
  timeOut_->setSpecialValueText(tr("no limit"));
  level_ = new QComboBox;
  for (const LevelChoice& choice : kLevels) {
    level_->addItem(tr(choice.label), choice.level);
  }
  level_->setCurrentIndex(3);
  protocol_ = new QComboBox;
  for (const conversation::Protocol& protocol : conversation::Protocols()) {
    protocol_->addItem(toolkit::ToQString(protocol.name));
  }
  protocol_->setToolTip(tr("How the server's replies end"));
  greeting_ = new QCheckBox(tr("Read the &greeting after connecting"));
  greeting_->setChecked(true);

  // Labels with an accelerator move the focus to their field (Alt+letter).
  const auto label = [](const QString& text, QWidget* buddy) {
    auto* caption = new QLabel(text);
    caption->setBuddy(buddy);
    NameAfter(caption);
    return caption;
  };
  auto* address = new QHBoxLayout;
  address->addWidget(host_, 3);
  address->addWidget(label(tr("&Port"), port_));
  address->addWidget(port_, 1);
  address->addWidget(label(tr("P&rotocol"), protocol_));
  address->addWidget(protocol_, 1);
  form->addRow(label(tr("&Host"), host_), address);
  auto* limits = new QHBoxLayout;
  limits->addWidget(timeOut_, 1);
  limits->addWidget(label(tr("Report &level"), level_));
  limits->addWidget(level_, 1);
  form->addRow(label(tr("&Time-out"), timeOut_), limits);
  // The row first: its choice list must exist before its label names it.
  QLayout* tlsRow = BuildTlsRow();
  form->addRow(label(tr("T&LS"), tls_), tlsRow);
  QWidget* login = BuildLoginRow();
  auto* userCaption = new QLabel(tr("&User"));
  userCaption->setBuddy(user_);
  NameAfter(userCaption, true);  // the field is inside the log-in row's widget
  form->addRow(userCaption, login);

  connect_ = new QPushButton(tr("&Connect"));
  connect_->setDefault(true);
  disconnect_ = new QPushButton(tr("&Disconnect"));
  cancel_ = new QPushButton(tr("C&ancel"));
  cancel_->setShortcut(QKeySequence(Qt::Key_Escape));
  cancel_->setToolTip(tr("Ends the operation that is waiting (Esc)"));
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
  // Return in the port or time-out field connects too (a spin box has no
  // returnPressed of its own).
  port_->installEventFilter(this);
  timeOut_->installEventFilter(this);
  QObject::connect(timeOut_, &QSpinBox::valueChanged, this, [this](int value) {
    if (!busy_) sock_->TimeOut = value;
  });
  QObject::connect(protocol_, &QComboBox::currentIndexChanged, this, [this] {
    expecting_ = Expecting::Command;
    UpdateState();
  });
  return box;
}

QWidget* TamselWindow::BuildCommandBox() {
  auto* box = new QGroupBox(tr("Command"));
  auto* row = new QHBoxLayout(box);
  command_ = new QLineEdit;
  command_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  send_ = new QPushButton(tr("&Send"));
  auto* caption = new QLabel(tr("Co&mmand"));
  caption->setBuddy(command_);
  command_->setAccessibleDescription(
      tr("Each line is sent as a command; the reply is listed below"));
  row->addWidget(caption);
  row->addWidget(command_, 1);
  row->addWidget(send_);
  const auto send = [this] { SendCommand(command_->text()); };
  QObject::connect(send_, &QPushButton::clicked, this, send);
  QObject::connect(command_, &QLineEdit::returnPressed, this, send);

  transactions_ = new QTreeWidget;
  transactions_->setAccessibleName(tr("Commands and replies"));
  transactions_->setColumnCount(3);
  transactions_->setHeaderLabels({tr("Command"), tr("Reply no."), tr("Reply")});
  transactions_->setRootIsDecorated(true);
  transactions_->setAlternatingRowColors(true);
  transactions_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Commands and reply numbers get room for the usual widths; a long
  // command does not push the replies out of sight. The user can drag.
  transactions_->header()->setSectionResizeMode(QHeaderView::Interactive);
  const int digit = transactions_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  transactions_->setColumnWidth(0, 28 * digit);
  // At least as wide as its header, in any language and font size.
  transactions_->setColumnWidth(1,
                                std::max(10 * digit, transactions_->header()->sectionSizeHint(1)));
  transactions_->header()->setStretchLastSection(true);
  return box;
}

QWidget* TamselWindow::BuildTraceBox() {
  auto* box = new QGroupBox(tr("Status trace"));
  auto* column = new QVBoxLayout(box);
  trace_ = new QPlainTextEdit;
  trace_->setAccessibleName(box->title());
  trace_->setReadOnly(true);
  trace_->setMaximumBlockCount(5000);
  trace_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  column->addWidget(trace_);
  return box;
}

void TamselWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Save session as text..."), QKeySequence::Save, this, [this] {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save session"), QStringLiteral("session.txt"));
    if (!path.isEmpty()) SaveSession(path);
  });
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Copy session"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                  [this] { CopySession(); });
  edit->addAction(tr("C&lear session"), QKeySequence(Qt::CTRL | Qt::Key_L), this,
                  [this] { ClearSession(); });
}

void TamselWindow::SetHost(const QString& host) { host_->setText(host); }
void TamselWindow::SetPort(int port) { port_->setValue(port); }
void TamselWindow::SetTimeOut(int milliseconds) { timeOut_->setValue(milliseconds); }
void TamselWindow::SetProtocol(const conversation::Protocol& protocol) {
  protocol_->setCurrentIndex(protocol_->findText(toolkit::ToQString(protocol.name)));
}

void TamselWindow::SetTls(TlsMode mode, const conversation::Protocol* how) {
  if (mode != TlsMode::StartTls || how == nullptr) {
    tls_->setCurrentIndex(mode == TlsMode::Implicit ? 1 : 0);
    return;
  }
  tls_->setCurrentIndex(tls_->findData(toolkit::ToQString(how->name)));
}

void TamselWindow::SetLogin(const QString& user, const QString& password, const QString& mechanism,
                            bool allowPlainText) {
  user_->setText(user);
  password_->setText(password);
  const int index = mechanism_->findData(mechanism.toUpper());
  mechanism_->setCurrentIndex(index >= 0 ? index : 0);
  plainText_->setChecked(allowPlainText);
}
void TamselWindow::SetCaFile(const QString& path) { caFile_->setText(path); }
void TamselWindow::SetInsecure(bool insecure) { insecure_->setChecked(insecure); }
QString TamselWindow::CertificateSummary() const { return certificate_->text(); }

QLayout* TamselWindow::BuildTlsRow() {
  tls_ = new QComboBox;
  tls_->addItem(tr("None"));
  tls_->addItem(tr("TLS from the start"));
  for (const conversation::Protocol* how : conversation::StartTlsProtocols()) {
    tls_->addItem(tr("STARTTLS (%1)").arg(toolkit::ToQString(how->displayName)),
                  toolkit::ToQString(how->name));
  }
  tls_->setToolTip(
      tr("STARTTLS: tamsel asks for the upgrade after the greeting (EHLO and "
         "STARTTLS, STLS, AUTH TLS, a001 STARTTLS); with SMTP, send EHLO again"));
  caFile_ = new QLineEdit;
  caFile_->setPlaceholderText(tr("extra CA file (PEM), optional"));
  // No label stands beside it: its name says what the placeholder says.
  caFile_->setAccessibleName(tr("CA file"));
  caFile_->setAccessibleDescription(caFile_->placeholderText());
  browse_ = new QPushButton(tr("&Browse..."));
  insecure_ = new QCheckBox(tr("Do &not check the certificate"));
  insecure_->setToolTip(
      tr("Any certificate passes: the connection is encrypted, "
         "but the server may not be who it claims to be"));
  padlock_ = new QLabel;
  certificate_ = new QLabel;
  certificate_->setWordWrap(true);
  certificate_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // A layout, not a widget of its own: the choice list stays a sibling of
  // its label, which is how the label names it to a screen reader.
  auto* column = new QVBoxLayout;
  auto* settings = new QHBoxLayout;
  settings->addWidget(tls_, 1);
  settings->addWidget(caFile_, 2);
  settings->addWidget(browse_);
  settings->addWidget(insecure_);
  column->addLayout(settings);
  auto* state = new QHBoxLayout;
  state->addWidget(padlock_);
  state->addWidget(certificate_, 1);
  column->addLayout(state);

  QObject::connect(browse_, &QPushButton::clicked, this, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("CA certificates"), caFile_->text(),
                                     tr("PEM certificates (*.pem *.crt);;All files (*)"));
    if (!path.isEmpty()) caFile_->setText(path);
  });
  QObject::connect(tls_, &QComboBox::currentIndexChanged, this, [this] { ShowTlsState(); });
  QObject::connect(insecure_, &QCheckBox::toggled, this, [this] { ShowTlsState(); });
  return column;
}

// User, password (never stored: it stays in its field), the mechanism and
// whether the password may go without TLS.
QWidget* TamselWindow::BuildLoginRow() {
  user_ = new QLineEdit;
  user_->setPlaceholderText(tr("none: no log-in"));
  password_ = new QLineEdit;
  password_->setEchoMode(QLineEdit::Password);
  password_->setPlaceholderText(tr("never stored"));
  mechanism_ = new QComboBox;
  mechanism_->addItem(tr("Best offered"), QString());
  for (const std::string& mechanism : conversation::SaslMechanisms()) {
    mechanism_->addItem(toolkit::ToQString(mechanism), toolkit::ToQString(mechanism));
  }
  mechanism_->addItem(tr("The protocol's own command"), QStringLiteral("NATIVE"));
  // Room for a usual name and password, whatever the mechanisms' texts.
  const int letter = user_->fontMetrics().horizontalAdvance(QLatin1Char('x'));
  user_->setMinimumWidth(14 * letter);
  password_->setMinimumWidth(14 * letter);
  mechanism_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  mechanism_->setMinimumContentsLength(12);
  plainText_ = new QCheckBox(tr("Allow the password without TLS"));
  plainText_->setToolTip(
      tr("PLAIN, LOGIN and the protocol's own command send the password itself: "
         "without TLS anyone on the way can read it"));
  auto* passwordCaption = new QLabel(tr("Pass&word"));
  passwordCaption->setBuddy(password_);
  auto* mechanismCaption = new QLabel(tr("&Mechanism"));
  mechanismCaption->setBuddy(mechanism_);
  NameAfter(mechanismCaption);
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(user_, 2);
  layout->addWidget(passwordCaption);
  layout->addWidget(password_, 2);
  layout->addWidget(mechanismCaption);
  layout->addWidget(mechanism_, 1);
  layout->addWidget(plainText_);
  return row;
}

// The padlock and the line beside it: what protects the connection, and
// what the certificate says.
void TamselWindow::ShowTlsState() {
  const bool encrypted = sock_->Connected && sock_->TlsActive();
  const bool verified = encrypted && sock_->TlsVerifyResult() == "ok";
  padlockClosed_ = encrypted;
  const QColor colour = !encrypted ? QColor(Qt::gray)
                        : verified ? QColor(0x2e, 0x7d, 0x32)   // green
                                   : QColor(0xe6, 0x51, 0x00);  // orange
  padlock_->setPixmap(Padlock(encrypted, colour));
  QString text;
  if (encrypted) {
    text = toolkit::ToQString(TlsSummary(*sock_));
  } else if (sock_->Connected) {
    text = tr("Not encrypted");
  } else if (insecure_->isChecked() && tls_->currentIndex() != 0) {
    text = tr("Warning: the certificate will not be checked");
  }
  // The padlock says in words what it shows, to the pointer and to a
  // screen reader.
  const QString shown = encrypted ? (verified ? tr("Encrypted, certificate verified")
                                              : tr("Encrypted, certificate NOT verified"))
                                  : tr("Not encrypted");
  padlock_->setToolTip(shown);
  padlock_->setAccessibleName(tr("Padlock: %1").arg(shown));
  certificate_->setText(text);
}

void TamselWindow::SetReportLevel(int level) {
  const int index = level_->findData(level);
  if (index >= 0) level_->setCurrentIndex(index);
}

void TamselWindow::ApplySettings() {
  sock_->UseTls = tls_->currentIndex() == 1;
  sock_->TlsCaFile = toolkit::ToBytes(caFile_->text().trimmed());
  sock_->TlsVerify = !insecure_->isChecked();
  sock_->Host = toolkit::ToBytes(host_->text().trimmed());
  sock_->Port = port_->value();
  sock_->TimeOut = timeOut_->value();
  sock_->ReportLevel = level_->currentData().toInt();
}

Target TamselWindow::Where() const {
  return {toolkit::ToBytes(host_->text().trimmed()), port_->value(), sock_->TimeOut};
}

void TamselWindow::LogInIfWanted() {
  if (user_->text().isEmpty()) return;
  conversation::LoginSettings settings;
  settings.credentials = {toolkit::ToBytes(user_->text()), toolkit::ToBytes(password_->text())};
  settings.mechanism = toolkit::ToBytes(mechanism_->currentData().toString());
  settings.allowPlainText = plainText_->isChecked();
  talk_->LogIn(settings);
}

void TamselWindow::ConnectToServer() {
  if (busy_ || sock_->Connected) return;
  ApplySettings();
  SetBusy(true);
  expecting_ = Expecting::Command;
  try {
    const conversation::Protocol* protocol =
        conversation::ProtocolNamed(toolkit::ToBytes(protocol_->currentText()));
    talk_ = std::make_unique<conversation::Conversation>(
        *sock_, *protocol, static_cast<conversation::Listener*>(this));
    talk_->SetClientName("tamsel.localdomain");
    sock_->Connect();
    localAddress_->setText(tr("Local address: %1").arg(toolkit::ToQString(sock_->GetLocalIP())));
    const QString how = tls_->currentData().toString();
    if (!how.isEmpty()) {
      talk_->StartTls(*conversation::ProtocolNamed(toolkit::ToBytes(how)));
    } else if (greeting_->isChecked()) {
      const conversation::Reply greeting = talk_->Greet();
      if (greeting.lines > 0 || greeting.closed) EndReply(greeting);
    }
    current_ = nullptr;
    ShowTlsState();
    LogInIfWanted();
    current_ = nullptr;
  } catch (const std::exception& error) {
    if (current_ != nullptr) AddFailure({}, error);
    current_ = nullptr;
    ShowError(error);
    // A failed Connect leaves its socket behind; only Disconnect gives a
    // fresh one for the next attempt.
    if (!sock_->Connected) {
      try {
        sock_->Disconnect();
      } catch (const std::exception& closing) {
        AppendStatus(closing.what());
      }
    }
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
  expecting_ = Expecting::Command;
  UpdateState();
}

void TamselWindow::SendCommand(const QString& command) {
  if (busy_ || !sock_->Connected) return;
  // Blank lines are message data; as commands they mean nothing.
  if (command.isEmpty() && expecting_ == Expecting::Command) return;
  sock_->ReportLevel = level_->currentData().toInt();
  sock_->TimeOut = timeOut_->value();
  SetBusy(true);
  RunAndList(command);
  SetBusy(false);
  UpdateState();
}

void TamselWindow::RunAndList(const QString& text) {
  const std::string line = toolkit::ToBytes(text);
  current_ = nullptr;
  try {
    switch (expecting_) {
      case Expecting::MessageData:
        if (line != ".") {
          talk_->SendDataLine(line);
          command_->clear();
          return;
        }
        {
          const conversation::Reply reply = talk_->EndData();  // listed as the message
          expecting_ = Expecting::Command;
          EndReply(reply);
        }
        messageLines_ = 0;
        break;
      case Expecting::DataLine:
        expecting_ = Expecting::Command;
        EndReply(talk_->RunWithData(storageCommand_, line));
        break;
      case Expecting::Command:
        if (talk_->NeedsDataLine(line)) {
          // The command goes out with its data line, typed next.
          storageCommand_ = line;
          expecting_ = Expecting::DataLine;
          command_->clear();
          return;
        }
        const conversation::Reply reply = talk_->Run(line);
        EndReply(reply);
        if (reply.startsData) expecting_ = Expecting::MessageData;
        break;
    }
    command_->clear();
    command_->setFocus();
  } catch (const std::exception& error) {
    expecting_ = Expecting::Command;
    AddFailure(text, error);
    ShowError(error);
  }
  current_ = nullptr;
}

// A command starts a transaction; lines sent before its reply (a data line,
// a literal, SASL answers) belong to it, and so do message data lines.
void TamselWindow::Sent(std::string_view line) {
  const std::string text(line);
  sessionLines_.push_back("-> " + text);
  if (expecting_ == Expecting::MessageData && text != ".") {
    ++messageLines_;
    return;
  }
  if (current_ != nullptr && !currentHasReply_) return;  // data of the command
  current_ = new QTreeWidgetItem(transactions_);
  currentHasReply_ = false;
  QString command = toolkit::ToQString(text);
  if (expecting_ == Expecting::MessageData) {
    // One line is the only singular in English, German and French alike.
    command =
        messageLines_ == 1 ? tr("(message, 1 line)") : tr("(message, %1 lines)").arg(messageLines_);
  }
  current_->setText(0, command);
  current_->setExpanded(true);
  transactions_->scrollToItem(current_);
}

void TamselWindow::AddRow(const std::string& text) {
  if (current_ == nullptr) {  // what the server says first: its greeting
    current_ = new QTreeWidgetItem(transactions_);
    current_->setText(0, tr("(greeting)"));
    current_->setExpanded(true);
    sessionLines_.push_back(toolkit::ToBytes(current_->text(0)));
  }
  QTreeWidgetItem* row = current_->text(2).isEmpty() && current_->childCount() == 0
                             ? current_
                             : new QTreeWidgetItem(current_);
  row->setText(2, toolkit::ToQString(text));
  currentHasReply_ = true;
  sessionLines_.push_back("<- " + text);
  transactions_->scrollToItem(row);
}

void TamselWindow::Received(std::string_view line, bool) { AddRow(std::string(line)); }

void TamselWindow::Value(std::string_view bytes, bool last) {
  if (value_.size() < kShownValue) value_.append(bytes.substr(0, kShownValue - value_.size()));
  valueBytes_ += bytes.size();
  if (!last) return;
  std::string shown = std::exchange(value_, {});
  if (valueBytes_ > kShownValue) {
    shown += toolkit::ToBytes(tr("... (%1 bytes)").arg(valueBytes_));
  }
  valueBytes_ = 0;
  AddRow(shown);
}

// The reply is complete: its number, and how it ended. The command field
// keeps the focus: the reply is announced to a screen reader (see Announce).
void TamselWindow::EndReply(const conversation::Reply& reply) {
  if (current_ == nullptr) return;
  if (reply.lines > 0) {
    current_->setText(1, toolkit::ToQString(reply.numberText));
    current_->setToolTip(1, tr("The reply number"));
  }
  current_->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  if (reply.closed) AddRow(toolkit::ToBytes(tr("(connection closed)")));
  if (!reply.replyExpected) AddRow(toolkit::ToBytes(tr("(no reply expected)")));
  QStringList lines;
  if (!current_->text(2).isEmpty()) lines << current_->text(2);
  for (int i = 0; i < current_->childCount(); ++i) lines << current_->child(i)->text(2);
  Announce(tr("Reply to %1: %2").arg(current_->text(0), lines.join(QStringLiteral(" / "))));
  current_ = nullptr;
}

// A command whose wait ended without its reply is listed all the same,
// saying why: cancelled, or timed out after how long.
void TamselWindow::AddFailure(const QString& command, const std::exception& error) {
  QString why = tr("(failed: %1)").arg(QString::fromLatin1(error.what()));
  if (dynamic_cast<const Psock::EAbortError*>(&error) != nullptr) {
    why = TimedOut(*sock_, error) ? tr("(timed out after %1 ms)").arg(sock_->TimeOut)
                                  : tr("(cancelled)");
  }
  if (current_ == nullptr) {
    current_ = new QTreeWidgetItem(transactions_);
    current_->setText(0, command);
    sessionLines_.push_back("-> " + toolkit::ToBytes(command));
  }
  AddRow(toolkit::ToBytes(why));
  Announce(tr("%1: %2").arg(current_->text(0), why));
  current_ = nullptr;
}

QString TamselWindow::SessionText() const {
  QString text;
  for (const std::string& line : sessionLines_) text += toolkit::ToQString(line) + '\n';
  return text;
}

bool TamselWindow::SaveSession(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    toolkit::ShowErrorBox(
        toolkit::ToBytes(tr("Could not save the session to %1: %2").arg(path, file.errorString())));
    return false;
  }
  file.write(SessionText().toLatin1());
  return true;
}

void TamselWindow::CopySession() { QApplication::clipboard()->setText(SessionText()); }

void TamselWindow::ClearSession() {
  transactions_->clear();
  trace_->clear();
  sessionLines_.clear();
}

void TamselWindow::CancelWait() {
  if (busy_) sock_->Cancel();
}

// A screen reader stays with the field that has the focus, the command
// field: the outcome of the last command, as that field's description, is
// announced by the event that changing it sends.
void TamselWindow::Announce(const QString& text) {
  if (command_->accessibleDescription() != text) command_->setAccessibleDescription(text);
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
  protocol_->setEnabled(!busy_ && !connected);
  timeOut_->setEnabled(!busy_);
  for (QWidget* tlsSetting :
       {static_cast<QWidget*>(tls_), static_cast<QWidget*>(caFile_), static_cast<QWidget*>(browse_),
        static_cast<QWidget*>(insecure_), static_cast<QWidget*>(user_),
        static_cast<QWidget*>(password_), static_cast<QWidget*>(mechanism_),
        static_cast<QWidget*>(plainText_)}) {
    tlsSetting->setEnabled(!busy_ && !connected);
  }
  ShowTlsState();
  localAddress_->setVisible(connected);
  switch (expecting_) {
    case Expecting::MessageData:
      command_->setPlaceholderText(tr("message data, one line at a time; a line \".\" ends it"));
      break;
    case Expecting::DataLine:
      command_->setPlaceholderText(
          tr("the data line of %1").arg(toolkit::ToQString(storageCommand_)));
      break;
    case Expecting::Command:
      command_->setPlaceholderText(tr("a line to send, for instance HELO or NOOP"));
      break;
  }
  if (busy_) {
    state_->setText(tr("Waiting... (Esc cancels)"));
  } else if (connected) {
    state_->setText(tr("Connected to %1:%2").arg(host_->text(), Number(port_->value())));
  } else {
    state_->setText(tr("Not connected"));
  }
}

void TamselWindow::ShowError(const std::exception& error) {
  // The component's own text stays in the trace; the box says what happened.
  AppendStatus(TraceText(error));
  UpdateState();
  toolkit::ShowErrorBox(PlainMessage(*sock_, error, Where()));
}

bool TamselWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == port_ || watched == timeOut_)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (!sock_->Connected) ConnectToServer();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
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

int RunWindow(int argc, char** argv) {
  toolkit::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tamsel"));
  toolkit::InstallProgramTranslations(QStringLiteral("tamsel"),
                                      QStringLiteral(TAMSEL_TRANSLATIONS_FROM_LIBEXEC));
  std::unique_ptr<TamselWindow> window;
  try {
    window = std::make_unique<TamselWindow>();
  } catch (const std::exception& error) {
    toolkit::ShowErrorBox(error.what());
    return 1;
  }
  window->show();
  return QApplication::exec();
}

}  // namespace tamsel
