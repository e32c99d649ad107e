// line-client: one-line transactions with a line-oriented TCP service.
//   line-client HOST PORT COMMAND...
// Reads the server's greeting line, then sends each command and prints the
// reply and its number. Gives up after 5 seconds of silence.
#include <QCoreApplication>
#include <iostream>
#include <string>

#include "socket/Psock.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc < 3) {
    std::cerr << "usage: line-client HOST PORT COMMAND...\n";
    return 2;
  }
  try {
    Psock::TPowersock sock(nullptr);
    sock.Host = argv[1];
    sock.Port = std::stoi(argv[2]);
    sock.TimeOut = 5000;
    sock.Connect();
    std::cout << "greeting: " << sock.ReadLn();
    for (int i = 3; i < argc; ++i) {
      sock.Transaction(argv[i]);
      std::cout << argv[i] << " -> " << sock.ReplyNumber << ": " << sock.Reply;
    }
    sock.Disconnect();
  } catch (const std::exception& error) {
    std::cerr << "line-client: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
