// tamsel's main window: a connection form (host, port, time-out, report
// level, protocol, TLS, log-in), connect, disconnect and cancel, a command
// line whose transactions are listed with their replies and reply numbers
// as they arrive (message data after SMTP's 354 and memcached data lines
// included), the status trace, and the local address while connected. The
// session can be saved as text, copied and cleared. The conversation itself
// is the engine's (conversation/Conversation.h); the window presents it.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "conversation/Conversation.h"
#include "programs/tamsel/Session.h"
#include "socket/Psock.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace tamsel {

class TamselWindow : public QMainWindow, private conversation::Listener {
  Q_OBJECT

 public:
  explicit TamselWindow(QWidget* parent = nullptr);
  ~TamselWindow() override;

  void SetHost(const QString& host);
  void SetPort(int port);
  void SetTimeOut(int milliseconds);
  void SetReportLevel(int level);
  void SetProtocol(const conversation::Protocol& protocol);

  // How the connection is encrypted: not at all, TLS from the start, or
  // STARTTLS after the request of `how` (a protocol with a negotiation).
  enum class TlsMode { None, Implicit, StartTls };
  void SetTls(TlsMode mode, const conversation::Protocol* how = nullptr);
  // The log-in after the greeting and any TLS upgrade: empty user for none.
  // The password is kept in its field only, never saved or shown.
  void SetLogin(const QString& user, const QString& password, const QString& mechanism = {},
                bool allowPlainText = false);
  void SetCaFile(const QString& path);
  // Lets any certificate pass; the window warns while this is set.
  void SetInsecure(bool insecure);
  // The certificate summary shown beside the padlock: subject, issuer,
  // expiry, and verified or why not; empty for a plain connection.
  QString CertificateSummary() const;
  // Whether the padlock shows a connection encrypted with TLS.
  bool PadlockClosed() const { return padlockClosed_; }

  // The session as text: commands marked "-> ", replies "<- ".
  QString SessionText() const;
  // Writes SessionText to `path`; false (and an error box) when it cannot.
  bool SaveSession(const QString& path);
  void CopySession();
  void ClearSession();

  // The actions of the buttons. Each returns when its operation has ended;
  // a failure is shown in the error box.
  void ConnectToServer();
  void DisconnectFromServer();
  void SendCommand(const QString& command);
  void CancelWait();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildConnectionBox();
  QWidget* BuildCommandBox();
  QWidget* BuildTraceBox();
  void BuildMenus();
  void ApplySettings();
  QLayout* BuildTlsRow();
  QWidget* BuildLoginRow();
  void LogInIfWanted();
  void ShowTlsState();
  void RunAndList(const QString& command);
  void EndReply(const conversation::Reply& reply);
  void AddRow(const std::string& text);
  void AddFailure(const QString& command, const std::exception& error);
  // What the engine sends and receives, listed as it happens.
  void Sent(std::string_view line) override;
  void Received(std::string_view line, bool first) override;
  void Value(std::string_view bytes, bool last) override;
  void AppendStatus(const std::string& status);
  void Announce(const QString& text);
  void SetBusy(bool busy);
  void UpdateState();
  void ShowError(const std::exception& error);
  Target Where() const;

  // What the next line typed is: a command, SMTP message data (after 354,
  // up to "."), or the data line of a memcached storage command.
  enum class Expecting { Command, MessageData, DataLine };

  std::unique_ptr<Psock::TPowersock> sock_;
  std::unique_ptr<conversation::Conversation> talk_;
  QTreeWidgetItem* current_ = nullptr;  // the transaction being listed
  bool currentHasReply_ = false;
  std::string value_;  // the value being received, as shown
  size_t valueBytes_ = 0;
  bool busy_ = false;
  bool closeWanted_ = false;
  Expecting expecting_ = Expecting::Command;
  std::string storageCommand_;  // waiting for its data line
  size_t messageLines_ = 0;     // data lines sent since the 354
  std::vector<std::string> sessionLines_;

  QLineEdit* host_ = nullptr;
  QSpinBox* port_ = nullptr;
  QSpinBox* timeOut_ = nullptr;
  QComboBox* level_ = nullptr;
  QComboBox* protocol_ = nullptr;
  QCheckBox* greeting_ = nullptr;
  QPushButton* connect_ = nullptr;
  QPushButton* disconnect_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLabel* localAddress_ = nullptr;
  QLineEdit* command_ = nullptr;
  QPushButton* send_ = nullptr;
  QTreeWidget* transactions_ = nullptr;
  QPlainTextEdit* trace_ = nullptr;
  QLabel* state_ = nullptr;
  QComboBox* tls_ = nullptr;
  QLineEdit* caFile_ = nullptr;
  QPushButton* browse_ = nullptr;
  QCheckBox* insecure_ = nullptr;
  QLabel* padlock_ = nullptr;
  QLabel* certificate_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QComboBox* mechanism_ = nullptr;
  QCheckBox* plainText_ = nullptr;
  bool padlockClosed_ = false;
};

// The window program: the application, the translations of the window's
// texts and Qt's for the user's language, the window. Returns the exit
// status.
int RunWindow(int argc, char** argv);

}  // namespace tamsel
