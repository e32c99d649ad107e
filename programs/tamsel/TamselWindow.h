// tamsel's main window: a connection form (host, port, time-out, report
// level, protocol), connect, disconnect and cancel, a command line whose
// transactions are listed with their whole replies and reply numbers
// (message data after SMTP's 354 and memcached data lines included), the
// status trace, and the local address while connected. The session can be
// saved as text, copied and cleared.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "programs/tamsel/Session.h"
#include "programs/tamsel/StartTls.h"
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

namespace tamsel {

class TamselWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit TamselWindow(QWidget* parent = nullptr);
  ~TamselWindow() override;

  void SetHost(const QString& host);
  void SetPort(int port);
  void SetTimeOut(int milliseconds);
  void SetReportLevel(int level);
  void SetProtocol(Protocol protocol);

  // How the connection is encrypted: not at all, TLS from the start, or
  // STARTTLS after the protocol's own request.
  enum class TlsChoice { None, Implicit, StartSmtp, StartPop3, StartFtp, StartImap };
  void SetTls(TlsChoice choice);
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
  void ReadGreetingIfWanted();
  QLayout* BuildTlsRow();
  void UpgradeIfWanted();
  void ShowTlsState();
  void RunAndList(const QString& command);
  void AddExchange(const Exchange& exchange);
  void AddFailure(const QString& command, const std::exception& error);
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
  ReplyFramer framer_{Protocol::Auto};
  bool busy_ = false;
  bool closeWanted_ = false;
  Expecting expecting_ = Expecting::Command;
  std::string storageCommand_;            // waiting for its data line
  std::vector<std::string> messageData_;  // data lines sent since the 354
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
  bool padlockClosed_ = false;
};

}  // namespace tamsel
