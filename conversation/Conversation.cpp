#include "conversation/Conversation.h"

#include <gsasl.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "runtime/ScopeExit.h"
#include "socket/SocketTypes.h"

namespace conversation {

namespace {

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::vector<std::string> WordsOf(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t begin = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > begin) words.emplace_back(text.substr(begin, i - begin));
  }
  return words;
}

// IMAP's quoted string; nullopt for a text that cannot be one.
std::optional<std::string> Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == '\0') return std::nullopt;
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A RESP array of bulk strings: binary-safe, whatever the words hold.
std::string RespCommand(const std::vector<std::string_view>& words) {
  std::string command = "*" + std::to_string(words.size()) + "\r\n";
  for (const std::string_view word : words) {
    command += "$" + std::to_string(word.size()) + "\r\n";
    command.append(word);
    command += "\r\n";
  }
  return command;
}

// The line without the IMAP literal count that ends it, "{12}" or "{12+}".
std::string_view WithoutLiteralCount(std::string_view line) {
  if (!line.ends_with('}')) return line;
  const size_t open = line.rfind('{');
  if (open == std::string_view::npos) return line;
  std::string_view rest = WithoutLineEnd(line.substr(0, open));
  while (rest.ends_with(' ')) rest.remove_suffix(1);
  return rest;
}

}  // namespace

std::vector<std::string> SaslMechanisms() {
  return {"SCRAM-SHA-256", "SCRAM-SHA-1", "CRAM-MD5", "PLAIN", "LOGIN"};
}

bool SendsPassword(std::string_view mechanism) {
  const std::string upper = Upper(mechanism);
  return upper == "PLAIN" || upper == "LOGIN" || upper == "NATIVE";
}

bool Reply::Fits(const std::vector<std::string>& codes) const {
  return Expected(codes, numberText, first, status);
}

Conversation::Conversation(Psock::TPowersock& sock, const Protocol& protocol, Listener* listener)
    : sock_(sock), protocol_(&protocol), listener_(listener), framer_(protocol.framing) {}

void Conversation::SetProtocol(const Protocol& protocol) {
  protocol_ = &protocol;
  framer_ = ReplyFramer(protocol.framing);
}

std::string Conversation::NextTag() {
  char text[16];
  std::snprintf(text, sizeof text, "a%03d", ++tag_);
  return text;
}

// ---------------------------------------------------------------------------
// Sending

void Conversation::Send(std::string_view line, std::string_view shown) {
  if (listener_ != nullptr) listener_->Sent(shown);
  std::string bytes(line);
  bytes += "\r\n";
  SendBytes(bytes);
}

void Conversation::SendBytes(std::string_view bytes) {
  // SendBuffer takes up to 65,535 bytes at a time; zero bytes pass too.
  constexpr size_t kPiece = 65535;
  while (!bytes.empty()) {
    const size_t piece = std::min(bytes.size(), kPiece);
    sock_.SendBuffer(bytes.data(), static_cast<uint16_t>(piece));
    bytes.remove_prefix(piece);
  }
}

std::string Conversation::Tagged(std::string_view command) {
  if (protocol_->framing != Framing::Imap || !IsUntaggedImapCommand(command)) {
    return std::string(command);
  }
  return NextTag() + " " + std::string(command);
}

// ---------------------------------------------------------------------------
// Reading

void Conversation::NoteCapabilities(std::string_view line) {
  switch (protocol_->framing) {
    case Framing::Numeric: {  // EHLO: "250-AUTH PLAIN LOGIN"
      if (line.size() < 4 || !line.starts_with("250")) return;
      const std::string rest = Upper(line.substr(4));
      if (rest.starts_with("AUTH ") || rest.starts_with("AUTH=")) {
        capabilities_ = WordsOf(rest.substr(5));
      }
      return;
    }
    case Framing::Pop3:  // CAPA: "SASL PLAIN LOGIN"
      if (Upper(line).starts_with("SASL ")) capabilities_ = WordsOf(Upper(line.substr(5)));
      return;
    case Framing::Imap: {  // "* CAPABILITY ..." or "[CAPABILITY ...]"
      const std::string upper = Upper(line);
      const size_t at = upper.find("CAPABILITY ");
      if (at == std::string::npos) return;
      std::string_view list = std::string_view(upper).substr(at + 11);
      if (const size_t close = list.find(']'); close != std::string_view::npos) {
        list = list.substr(0, close);
      }
      capabilities_.clear();
      literalPlus_ = false;
      capabilitiesKnown_ = true;
      for (const std::string& word : WordsOf(list)) {
        if (word.starts_with("AUTH=")) capabilities_.push_back(word.substr(5));
        if (word == "LITERAL+") literalPlus_ = true;
      }
      return;
    }
    default:
      return;
  }
}

Need Conversation::TakeLine(const std::string& line, bool reported) {
  if (!reported) sock_.ReportStatus(1, line);
  const bool first = framer_.LineCount() == 0;
  const Need need = framer_.Feed(line);
  if (framer_.Visible()) {
    NoteCapabilities(framer_.Text());
    if (listener_ != nullptr) listener_->Received(framer_.Text(), first);
  }
  return need;
}

// Reads the rest of one reply from `need` on, and tells the listener each
// line and each piece of a value at once.
Reply Conversation::ReadReply(std::string command, Need need) {
  Reply reply;
  reply.command = std::move(command);
  while (need != Need::Nothing) {
    if (need == Need::Line) {
      const std::string line = sock_.ReadLn();
      if (line.empty()) return Finish(std::move(reply), true);
      need = TakeLine(line);
      continue;
    }
    const size_t count = std::min(framer_.Wanted(), Psock::TPowersock::kMaxRead);
    const std::string bytes = count > 0 ? sock_.ReadBytes(count) : std::string();
    if (bytes.size() < count) {  // the server closed within the value
      if (listener_ != nullptr) listener_->Value(bytes, true);
      return Finish(std::move(reply), true);
    }
    const bool last = framer_.Wanted() == count;
    if (listener_ != nullptr) listener_->Value(bytes, last);
    need = framer_.Passed(count);
  }
  return Finish(std::move(reply), false);
}

Reply Conversation::Finish(Reply reply, bool closed) {
  reply.first = framer_.First();
  reply.last = framer_.Last();
  reply.lines = framer_.LineCount();
  reply.number = framer_.Number();
  reply.numberText = framer_.NumberText();
  reply.status = framer_.Status();
  reply.error = framer_.IsError();
  reply.startsData = protocol_->messageData && reply.numberText == "354";
  reply.closed = closed;
  if (closed) {
    // The unterminated last line that the component kept when the peer
    // closed.
    reply.partialLine = sock_.TakePartialLine();
    if (!reply.partialLine.empty() && listener_ != nullptr) {
      listener_->Received(reply.partialLine, reply.lines == 0);
    }
  }
  return reply;
}

Reply Conversation::Greet(bool force) {
  const Greeting greeting = force ? Greeting::Required : protocol_->greeting;
  if (greeting == Greeting::None) return {};
  framer_.Start({});
  if (greeting == Greeting::Optional) {
    // Only the first line is waited for briefly; whatever happens, the
    // socket's own time-out is back afterwards.
    const int32_t timeOut = sock_.TimeOut;
    rtl::ScopeExit restore([this, timeOut] { sock_.TimeOut = timeOut; });
    sock_.TimeOut = timeOut > 0 ? std::min(timeOut, kOptionalGreetingMs) : kOptionalGreetingMs;
    std::string line;
    try {
      line = sock_.ReadLn();
    } catch (const Psock::EAbortError&) {
      if (!sock_.TimedOut) throw;
      return {};  // the server waits for the client: no greeting
    }
    sock_.TimeOut = timeOut;
    if (line.empty()) return Finish({}, true);
    return ReadReply({}, TakeLine(line));
  }
  return ReadReply({});
}

// ---------------------------------------------------------------------------
// Commands

bool Conversation::NeedsDataLine(std::string_view command) const {
  return protocol_->framing == Framing::Memcached && IsStorageCommand(command) &&
         command.find('\n') == std::string_view::npos;
}

Reply Conversation::Run(std::string_view command) {
  const size_t lineBreak = command.find_first_of("\r\n");
  if (lineBreak != std::string_view::npos) {
    const std::string_view head = command.substr(0, lineBreak);
    std::string_view data = command.substr(lineBreak);
    data.remove_prefix(data.starts_with("\r\n") ? 2 : 1);
    if (protocol_->framing == Framing::Memcached && IsStorageCommand(head)) {
      return RunWithData(head, data);
    }
    if (protocol_->framing == Framing::Imap) return RunImapLiteral(Tagged(head), data);
    throw EConversationError(FailureKind::BadCommand,
                             "a command holds a line break: only a memcached storage command "
                             "(its data line) and an IMAP command (its literal) may carry one");
  }
  const std::string sent = Tagged(command);
  framer_.Start(sent);
  if (!ExpectsReply(protocol_->framing, sent)) {
    Send(sent, sent);
    Reply reply;
    reply.command = sent;
    reply.replyExpected = false;
    return reply;
  }
  if (listener_ != nullptr) listener_->Sent(sent);
  // The socket's own transaction sends the command and reads the first
  // line, with its status texts.
  sock_.Reply.clear();
  std::string first;
  try {
    first = sock_.Transaction(sent);
  } catch (const rtl::ERangeError&) {
    // A reply number outside 16 bits: the line is kept in Reply, and the
    // reply is read on all the same.
    if (sock_.Reply.empty()) throw;
    first = sock_.Reply;
  }
  if (first.empty()) {
    Reply reply;
    reply.command = sent;
    return Finish(std::move(reply), true);
  }
  return ReadReply(sent, TakeLine(first, /*reported=*/true));
}

Reply Conversation::RunWithData(std::string_view command, std::string_view data) {
  const std::string sent(command);
  framer_.Start(sent);
  if (listener_ != nullptr) {
    listener_->Sent(sent);
    listener_->Sent(WithoutLineEnd(data));
  }
  // The data goes out right behind the command, as it is, before any reply.
  std::string bytes = sent + "\r\n" + std::string(data);
  if (!data.ends_with("\r\n")) bytes += "\r\n";
  SendBytes(bytes);
  if (!ExpectsReply(protocol_->framing, sent)) {
    Reply reply;
    reply.command = sent;
    reply.replyExpected = false;
    return reply;
  }
  return ReadReply(sent);
}

Reply Conversation::RunImapLiteral(const std::string& command, std::string_view literal) {
  std::string head(WithoutLiteralCount(command));
  head += " {" + std::to_string(literal.size()) + (literalPlus_ ? "+}" : "}");
  framer_.Start(head);
  if (listener_ != nullptr) listener_->Sent(head);
  if (literalPlus_) {
    if (listener_ != nullptr) listener_->Sent(WithoutLineEnd(literal));
    SendBytes(head + "\r\n" + std::string(literal) + "\r\n");
    return ReadReply(head);
  }
  SendBytes(head + "\r\n");
  Reply go = ReadReply(head);
  if (go.closed || !go.first.starts_with("+")) return go;  // refused at once
  if (listener_ != nullptr) listener_->Sent(WithoutLineEnd(literal));
  SendBytes(std::string(literal) + "\r\n");
  framer_.Start(head);
  return ReadReply(head);
}

void Conversation::SendDataLine(std::string_view line) {
  const std::string stuffed = DotStuffed(line);
  Send(stuffed, line);
}

Reply Conversation::EndData() { return Run("."); }

// ---------------------------------------------------------------------------
// STARTTLS

bool Conversation::Granted(const Reply& reply, const std::string& granted) const {
  if (protocol_->framing == Framing::Imap) return reply.status == granted;
  return reply.last.starts_with(granted);
}

void Conversation::StartTls(const Protocol& how, bool greeted) {
  const Protocol* spoken = protocol_;
  rtl::ScopeExit back([this, spoken] { SetProtocol(*spoken); });
  SetProtocol(how);
  const std::string where = Psock::HostAndPort(sock_.Host, sock_.Port);
  const auto closed = [&where] {
    return EConversationError(FailureKind::TlsRefused, where + " closed the connection");
  };
  if (!greeted && Greet(true).closed) throw closed();
  for (const TlsStep& step : how.startTls) {
    const Reply reply = Run(step.command == "EHLO" ? "EHLO " + clientName_ : step.command);
    if (reply.closed) throw closed();
    if (!Granted(reply, step.granted)) {
      throw EConversationError(FailureKind::TlsRefused,
                               where + " did not agree to STARTTLS: " + reply.last);
    }
  }
  sock_.StartTls();
  capabilities_.clear();  // they are asked again over TLS
  capabilitiesKnown_ = false;
  literalPlus_ = false;
}

// ---------------------------------------------------------------------------
// Logging in

void Conversation::Refused(const Reply& reply) {
  const std::string where = Psock::HostAndPort(sock_.Host, sock_.Port);
  if (reply.closed) {
    throw EConversationError(FailureKind::LoginRefused,
                             where + " closed the connection during the log-in");
  }
  throw EConversationError(FailureKind::LoginRefused, where + " refused the log-in: " + reply.last);
}

std::vector<std::string> Conversation::OfferedMechanisms() {
  switch (protocol_->login) {
    case LoginStyle::Smtp: {
      // Its own EHLO: the mechanisms are in its reply.
      capabilities_.clear();
      const Reply reply = Run("EHLO " + clientName_);
      if (reply.closed || reply.error) Refused(reply);
      break;
    }
    case LoginStyle::Pop3:
    case LoginStyle::Imap:
      if (!capabilitiesKnown_) {
        const Reply reply = Run(protocol_->login == LoginStyle::Pop3 ? "CAPA" : "CAPABILITY");
        if (reply.closed) Refused(reply);
        capabilitiesKnown_ = true;
      }
      break;
    default:
      break;
  }
  return capabilities_;
}

std::string Conversation::ChooseMechanism(const LoginSettings& settings,
                                          const std::vector<std::string>& offered) {
  const LoginStyle style = protocol_->login;
  const bool saslProtocol =
      style == LoginStyle::Smtp || style == LoginStyle::Pop3 || style == LoginStyle::Imap;
  const std::string asked = Upper(settings.mechanism);
  const std::vector<std::string> known = SaslMechanisms();
  if (!asked.empty()) {
    if (asked == "NATIVE") {
      if (style == LoginStyle::Smtp) {
        throw EConversationError(FailureKind::LoginUnavailable,
                                 "SMTP logs in with AUTH only: give a SASL mechanism");
      }
      return asked;
    }
    if (std::find(known.begin(), known.end(), asked) == known.end()) {
      throw EConversationError(FailureKind::LoginUnavailable, "unknown mechanism " + asked);
    }
    if (!saslProtocol) {
      throw EConversationError(FailureKind::LoginUnavailable,
                               protocol_->displayName + " logs in with its own command only");
    }
    if (std::find(offered.begin(), offered.end(), asked) == offered.end()) {
      std::string list;
      for (const std::string& m : offered) list += (list.empty() ? "" : " ") + m;
      throw EConversationError(FailureKind::LoginUnavailable,
                               Psock::HostAndPort(sock_.Host, sock_.Port) + " does not offer " +
                                   asked +
                                   (list.empty() ? std::string() : " (it offers " + list + ")"));
    }
    return asked;
  }
  if (!saslProtocol) return "NATIVE";
  for (const std::string& mechanism : known) {
    if (std::find(offered.begin(), offered.end(), mechanism) != offered.end()) return mechanism;
  }
  if (style != LoginStyle::Smtp) return "NATIVE";
  throw EConversationError(
      FailureKind::LoginUnavailable,
      Psock::HostAndPort(sock_.Host, sock_.Port) + " offers no log-in mechanism that tamsel knows");
}

void Conversation::LogIn(const LoginSettings& settings) {
  if (protocol_->login == LoginStyle::None) {
    throw EConversationError(FailureKind::LoginUnavailable,
                             "the protocol " + protocol_->name + " has no log-in");
  }
  const std::vector<std::string> offered = OfferedMechanisms();
  const std::string mechanism = ChooseMechanism(settings, offered);
  if (SendsPassword(mechanism) && !sock_.TlsActive() && !settings.allowPlainText) {
    throw EConversationError(FailureKind::PlainText,
                             "the log-in (" + mechanism + ") would send the password without TLS");
  }
  if (mechanism == "NATIVE") {
    Native(settings);
  } else {
    Sasl(settings, mechanism);
  }
}

void Conversation::Native(const LoginSettings& settings) {
  const Credentials& who = settings.credentials;
  switch (protocol_->login) {
    case LoginStyle::Pop3:
    case LoginStyle::Ftp: {
      const Reply user = Run("USER " + who.user);
      if (user.closed || user.error) Refused(user);
      if (protocol_->login == LoginStyle::Ftp && user.numberText == "230") return;
      framer_.Start("PASS");
      Send("PASS " + who.password, "PASS ****");
      const Reply pass = ReadReply("PASS ****");
      if (pass.closed || pass.error) Refused(pass);
      return;
    }
    case LoginStyle::Imap: {
      const std::optional<std::string> user = Quoted(who.user);
      const std::optional<std::string> password = Quoted(who.password);
      if (!user || !password) {
        throw EConversationError(FailureKind::LoginUnavailable,
                                 "IMAP LOGIN cannot carry a line break: use --auth PLAIN");
      }
      const std::string tag = NextTag();
      const std::string shown = tag + " LOGIN " + *user + " ****";
      framer_.Start(shown);
      Send(tag + " LOGIN " + *user + " " + *password, shown);
      const Reply reply = ReadReply(shown);
      if (reply.closed || reply.error) Refused(reply);
      return;
    }
    case LoginStyle::Redis: {
      const std::string shown = "AUTH " + who.user + " ****";
      framer_.Start("AUTH");
      if (listener_ != nullptr) listener_->Sent(shown);
      SendBytes(RespCommand({"AUTH", who.user, who.password}));
      const Reply reply = ReadReply(shown);
      if (reply.closed || reply.error) Refused(reply);
      return;
    }
    default:
      throw EConversationError(FailureKind::LoginUnavailable, "no log-in command");
  }
}

void Conversation::Sasl(const LoginSettings& settings, const std::string& mechanism) {
  Gsasl* context = nullptr;
  if (gsasl_init(&context) != GSASL_OK) {
    throw EConversationError(FailureKind::LoginUnavailable, "GNU SASL could not start");
  }
  rtl::ScopeExit done([context] { gsasl_done(context); });
  Gsasl_session* session = nullptr;
  if (gsasl_client_start(context, mechanism.c_str(), &session) != GSASL_OK) {
    throw EConversationError(FailureKind::LoginUnavailable, "GNU SASL does not know " + mechanism);
  }
  rtl::ScopeExit finish([session] { gsasl_finish(session); });
  gsasl_property_set(session, GSASL_AUTHID, settings.credentials.user.c_str());
  gsasl_property_set(session, GSASL_PASSWORD, settings.credentials.password.c_str());

  std::string command;
  switch (protocol_->login) {
    case LoginStyle::Smtp:
    case LoginStyle::Pop3:
      command = "AUTH " + mechanism;
      break;
    default:
      command = NextTag() + " AUTHENTICATE " + mechanism;
      break;
  }
  framer_.Start(command);
  Send(command, command);
  for (int round = 0; round < 16; ++round) {
    Reply reply = ReadReply(command);
    if (reply.closed) Refused(reply);
    std::optional<std::string> challenge;
    if (protocol_->login == LoginStyle::Smtp && reply.numberText == "334") {
      challenge = reply.last.size() > 4 ? reply.last.substr(4) : std::string();
    } else if (protocol_->login != LoginStyle::Smtp && reply.last.starts_with("+") &&
               !reply.last.starts_with("+OK")) {
      challenge = reply.last.size() > 2 ? reply.last.substr(2) : std::string();
    }
    if (!challenge) {
      if (reply.error) Refused(reply);
      return;  // logged in
    }
    char* answer = nullptr;
    const int step = gsasl_step64(session, challenge->c_str(), &answer);
    rtl::ScopeExit release([answer] { gsasl_free(answer); });
    framer_.Start(command);
    if (step != GSASL_OK && step != GSASL_NEEDS_MORE) {
      Send("*", "*");  // gives the exchange up
      const Reply end = ReadReply(command);
      throw EConversationError(FailureKind::LoginRefused,
                               std::string("the log-in failed: ") + gsasl_strerror(step) +
                                   (end.last.empty() ? "" : " (" + end.last + ")"));
    }
    Send(answer != nullptr ? answer : "", "****");
  }
  throw EConversationError(FailureKind::LoginRefused, "the log-in took too many rounds");
}

}  // namespace conversation
