// TLS peers for the socket tests: a certificate authority and server
// certificates made at run time with the openssl command in a temporary
// folder, and `openssl s_server` processes on 127.0.0.1 that use them.
// Every wait is bounded, and each server process is ended with its object.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/socket/Peer.h"

extern char** environ;

namespace sockettest {

// A folder under the system's temporary folder, removed with everything in
// it when the object goes.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessera-tls-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The test certificate authority ("ca") and the server certificates it
// signs, each a NAME.pem with its NAME.key:
//   good        localhost, 127.0.0.1 and ::1, valid for two days
//   wronghost   only the name wrong.example
//   expired     as good, but valid only on the first day of 2020
//   selfsigned  as good, but signed by itself
// Made once per test program; Ready() is false when openssl failed.
class TestCertificates {
 public:
  static const TestCertificates& Get() {
    static const TestCertificates certificates;
    return certificates;
  }

  bool Ready() const { return ready_; }
  // What the openssl commands printed.
  std::string Log() const {
    std::ifstream in(folder_.File("openssl.log"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string CaFile() const { return folder_.File("ca.pem"); }
  std::string Cert(const std::string& name) const { return folder_.File(name + ".pem"); }
  std::string Key(const std::string& name) const { return folder_.File(name + ".key"); }

 private:
  TestCertificates() {
    const std::string dir = folder_.Path();
    const std::string newKey = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    const std::string localNames = "subjectAltName=DNS:localhost,IP:127.0.0.1,IP:::1";
    const auto sign = [&](const std::string& name, const std::string& names, int days) {
      std::ofstream(dir + "/" + name + ".ext") << names << "\n";
      return Openssl("req" + newKey + " -keyout " + name + ".key -out " + name +
                     ".csr -subj /CN=localhost") &&
             Openssl("x509 -req -in " + name + ".csr -CA ca.pem -CAkey ca.key -CAcreateserial" +
                     " -days " + std::to_string(days) + " -extfile " + name + ".ext -out " + name +
                     ".pem");
    };
    // `x509 -days` takes no negative count since OpenSSL 3.2, and its
    // -not_before/-not_after are newer than 3.0: `openssl ca` sets past dates
    // on both, with a configuration and a database of its own.
    const auto signExpired = [&] {
      std::ofstream(dir + "/ca.cnf") << "[ca]\ndefault_ca = test\n"
                                     << "[test]\ndatabase = index.txt\nnew_certs_dir = .\n"
                                     << "serial = serial\ndefault_md = sha256\npolicy = any\n"
                                     << "unique_subject = no\n[any]\ncommonName = supplied\n";
      std::ofstream(dir + "/index.txt");
      std::ofstream(dir + "/serial") << "1000\n";
      std::ofstream(dir + "/expired.ext") << localNames << "\n";
      return Openssl("req" + newKey +
                     " -keyout expired.key -out expired.csr -subj /CN=localhost") &&
             Openssl(
                 "ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -notext"
                 " -in expired.csr -out expired.pem -extfile expired.ext"
                 " -startdate 20200101000000Z -enddate 20200102000000Z");
    };
    ready_ = !dir.empty() &&
             Openssl("req -x509" + newKey +
                     " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Tessera Test CA'"
                     " -addext basicConstraints=critical,CA:TRUE"
                     " -addext keyUsage=critical,keyCertSign,cRLSign") &&
             sign("good", localNames, 2) &&
             sign("wronghost", "subjectAltName=DNS:wrong.example", 2) && signExpired() &&
             Openssl("req -x509" + newKey +
                     " -keyout selfsigned.key -out selfsigned.pem -days 2 -subj /CN=localhost"
                     " -addext " +
                     localNames);
  }

  bool Openssl(const std::string& arguments) const {
    const std::string command =
        "cd '" + folder_.Path() + "' && openssl " + arguments + " >>openssl.log 2>&1";
    return std::system(command.c_str()) == 0;
  }

  TempFolder folder_;
  bool ready_ = false;
};

// `openssl s_server` on 127.0.0.1 (or `address`, such as "[::1]"), on a
// port the system chooses, with a
// certificate of TestCertificates and further options, for instance
//   {"-rev"}   answers each line with the line reversed
//   {"-WWW"}   serves the files of `folder` to "GET /name HTTP/1.0"
// Its output goes to a log file in its own temporary folder.
class TlsServer {
 public:
  explicit TlsServer(const std::string& certificate, std::vector<std::string> options = {"-rev"},
                     const std::string& folder = {}, const std::string& address = "127.0.0.1")
      : address_(address) {
    const TestCertificates& certificates = TestCertificates::Get();
    std::vector<std::string> arguments = {"openssl", "s_server",
                                          "-accept", address + ":0",
                                          "-cert",   certificates.Cert(certificate),
                                          "-key",    certificates.Key(certificate)};
    arguments.insert(arguments.end(), options.begin(), options.end());
    Start(arguments, folder.empty() ? logFolder_.Path() : folder);
    WaitUntilListening();
  }
  ~TlsServer() { Stop(); }
  TlsServer(const TlsServer&) = delete;
  TlsServer& operator=(const TlsServer&) = delete;

  // 0 when the server did not come up.
  uint16_t Port() const { return port_; }
  std::string Log() const {
    std::ifstream in(logFolder_.File("s_server.log"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Ends the process: SIGTERM, then SIGKILL when it has not gone within 2 s.
  void Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    if (!Reaped(std::chrono::seconds(2))) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }

 private:
  void Start(const std::vector<std::string>& arguments, const std::string& folder) {
    const std::string log = logFolder_.File("s_server.log");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (::posix_spawnp(&pid_, "openssl", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }

  // Reads the port from the "ACCEPT ADDRESS:PORT" line, at most 10 s.
  void WaitUntilListening() {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pid_ > 0 && std::chrono::steady_clock::now() < limit) {
      const std::string log = Log();
      const std::string mark = "ACCEPT " + address_ + ":";
      if (const size_t at = log.find(mark); at != std::string::npos) {
        const size_t end = log.find('\n', at);
        if (end != std::string::npos) {
          port_ = static_cast<uint16_t>(std::stoi(log.substr(at + mark.size())));
          return;
        }
      }
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {  // it has ended already
        pid_ = -1;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  bool Reaped(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  std::string address_;
  TempFolder logFolder_;
  pid_t pid_ = -1;
  uint16_t port_ = 0;
};

#ifdef TESSERA_TEST_PEERS_DIR  // where tests/peers is known (the test programs)
// Dovecot's POP3 server on 127.0.0.1 with the "good" test certificate for
// STLS, run in the foreground with a configuration of its own in a
// temporary folder (its base, state and log files there too), written by
// tests/peers/dovecot.py for the dovecot version installed. Its user is
// "tester" with the password "secret" and an empty mailbox; logins (and the
// SASL mechanisms) are offered only over TLS.
class Pop3Server {
 public:
  Pop3Server() {
    // Dovecot's login processes run as an unprivileged user and need to
    // reach the base folder.
    std::filesystem::permissions(folder_.Path(), std::filesystem::perms(0755));
    for (int attempt = 0; attempt < 5 && port_ == 0; ++attempt) {
      const uint16_t port = FreePort();
      if (!WriteConfiguration(port)) break;
      const std::string config = folder_.File("dovecot.conf");
      const std::vector<std::string> arguments = {"dovecot", "-F", "-c", config};
      std::vector<char*> argv;
      for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
      const std::string output = folder_.File("dovecot.out");
      posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                       0600);
      posix_spawn_file_actions_adddup2(&actions, 1, 2);
      if (::posix_spawn(&pid_, "/usr/sbin/dovecot", &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
      }
      posix_spawn_file_actions_destroy(&actions);
      if (pid_ > 0 && WaitForGreeting(port)) {
        port_ = port;
      } else {
        Stop();
      }
    }
  }
  ~Pop3Server() { Stop(); }
  Pop3Server(const Pop3Server&) = delete;
  Pop3Server& operator=(const Pop3Server&) = delete;

  // 0 when the server did not come up.
  uint16_t Port() const { return port_; }
  // What writing the configuration and dovecot itself reported.
  std::string Log() const {
    std::stringstream text;
    for (const char* name : {"config.log", "dovecot.out", "dovecot.log"}) {
      std::ifstream in(folder_.File(name));
      text << in.rdbuf();
    }
    return text.str();
  }

 private:
  static uint16_t FreePort() {
    Listener probe;
    return probe.Port();
  }

  // The configuration for the installed dovecot's version, written by the
  // peer module that the Python tests use too.
  bool WriteConfiguration(uint16_t port) const {
    const TestCertificates& certificates = TestCertificates::Get();
    const std::string command = std::string("/usr/bin/python3 '") + TESSERA_TEST_PEERS_DIR +
                                "/dovecot.py' config '" + folder_.Path() + "' --pop3 " +
                                std::to_string(port) + " --cert '" + certificates.Cert("good") +
                                "' --key '" + certificates.Key("good") + "' --tls-only-auth >>'" +
                                folder_.File("config.log") + "' 2>&1";
    return std::system(command.c_str()) == 0;
  }

  // Waits for the "+OK" greeting on the port, at most 10 s.
  bool WaitForGreeting(uint16_t port) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < limit) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
      }
      const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      const sockaddr_in address = Loopback(port);
      bool greeted = false;
      if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        greeted = RecvLine(fd).rfind("+OK", 0) == 0;
      }
      ::close(fd);
      if (greeted) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  void Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (::waitpid(pid_, nullptr, WNOHANG) != pid_) {
      if (std::chrono::steady_clock::now() > limit) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
  }

  TempFolder folder_;
  pid_t pid_ = -1;
  uint16_t port_ = 0;
};

#endif  // TESSERA_TEST_PEERS_DIR

}  // namespace sockettest
