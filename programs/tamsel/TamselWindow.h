// tamsel's main window: a connection form (host, port, time-out, report
// level), connect, disconnect and cancel, a command line whose transactions
// are listed with their reply numbers, the status trace, and the local
// address.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "programs/tamsel/Session.h"
#include "socket/Psock.h"

class QCheckBox;
class QComboBox;
class QLabel;
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

  // The actions of the buttons. Each returns when its operation has ended;
  // a failure is shown in the error box.
  void ConnectToServer();
  void DisconnectFromServer();
  void SendCommand(const QString& command);
  void CancelWait();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildConnectionBox();
  QWidget* BuildCommandBox();
  QWidget* BuildTraceBox();
  void ApplySettings();
  void AddExchange(const Exchange& exchange);
  void AppendStatus(const std::string& status);
  void SetBusy(bool busy);
  void UpdateState();
  void ShowError(const std::exception& error);

  std::unique_ptr<Psock::TPowersock> sock_;
  bool busy_ = false;
  bool closeWanted_ = false;

  QLineEdit* host_ = nullptr;
  QSpinBox* port_ = nullptr;
  QSpinBox* timeOut_ = nullptr;
  QComboBox* level_ = nullptr;
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
};

}  // namespace tamsel
