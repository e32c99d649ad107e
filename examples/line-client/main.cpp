// line-client: commands to a line-oriented TCP service through the
// conversation engine.
//   line-client HOST PORT [--protocol NAME] COMMAND...
// NAME is auto (the default), line, smtp, ftp, pop3, imap, redis or
// memcached. Reads the server's greeting when the protocol has one, then
// sends each command, prints its reply lines as they arrive (values byte for
// byte) and, last, the command, the reply number and the reply's last line.
// Gives up after 5 seconds of silence.
#include <QCoreApplication>
#include <iostream>
#include <string>

#include "conversation/Conversation.h"
#include "socket/Psock.h"

namespace {

class Printer : public conversation::Listener {
 public:
  void Received(std::string_view line, bool) override { std::cout << "<- " << line << '\n'; }
  void Value(std::string_view bytes, bool last) override {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (last) std::cout << '\n';
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  int first = 3;
  const conversation::Protocol* protocol = conversation::ProtocolNamed("auto");
  if (argc >= 5 && std::string(argv[3]) == "--protocol") {
    protocol = conversation::ProtocolNamed(argv[4]);
    first = 5;
  }
  if (argc < 3 || protocol == nullptr) {
    std::cerr << "usage: line-client HOST PORT [--protocol NAME] COMMAND...\n";
    return 2;
  }
  try {
    Psock::TPowersock sock(nullptr);
    sock.Host = argv[1];
    sock.Port = std::stoi(argv[2]);
    sock.TimeOut = 5000;
    sock.Connect();
    Printer printer;
    conversation::Conversation talk(sock, *protocol, &printer);
    talk.Greet();
    for (int i = first; i < argc; ++i) {
      const conversation::Reply reply = talk.Run(argv[i]);
      if (reply.closed) break;
      std::cout << argv[i] << " -> " << reply.number << ": " << reply.last << '\n';
    }
    sock.Disconnect();
  } catch (const std::exception& error) {
    std::cerr << "line-client: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
