#include "fuzz/ReplyFuzz.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "conversation/Protocol.h"

namespace fuzzing {

std::string FrameOnce(const uint8_t* data, size_t size) {
  using conversation::Framing;
  using conversation::Need;
  if (size == 0) return {};
  constexpr Framing kFramings[] = {Framing::Numeric, Framing::Line,      Framing::Pop3,
                                   Framing::Redis,   Framing::Memcached, Framing::Imap};
  const Framing framing = kFramings[data[0] % std::size(kFramings)];
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t commandEnd = std::min(input.find('\n'), input.size());
  const std::string_view command = input.substr(0, commandEnd);
  const std::string_view stream = input.substr(std::min(commandEnd + 1, input.size()));

  conversation::ReplyFramer framer(framing);
  size_t used = 0;
  // Several replies in a row, as a session reads them.
  try {
    for (int reply = 0; reply < 64 && used < stream.size(); ++reply) {
      framer.Start(reply == 0 ? command : std::string_view("X"));
      Need need = Need::Line;
      // Every step takes a byte or ends a value: more steps than bytes
      // (and values) means the framer stands still.
      size_t steps = 0;
      while (need != Need::Nothing) {
        if (++steps > 2 * stream.size() + 16) return "no progress";
        if (need == Need::Line) {
          const size_t lineFeed = stream.find('\n', used);
          if (lineFeed == std::string_view::npos) return {};
          const std::string_view line = stream.substr(used, lineFeed + 1 - used);
          used = lineFeed + 1;
          need = framer.Feed(line);
          if (framer.Visible() && framer.Text().size() > line.size()) {
            return "a line longer than the input's";
          }
          continue;
        }
        if (framer.Wanted() > static_cast<size_t>(conversation::kMaxValueBytes)) {
          return "a value larger than the framer allows";
        }
        const size_t count = std::min(framer.Wanted(), stream.size() - used);
        if (count == 0 && framer.Wanted() > 0) return {};  // the input ends inside the value
        used += count;
        need = framer.Passed(count);
      }
      framer.IsError();
      framer.NumberText();
    }
  } catch (const conversation::EConversationError&) {
    return {};  // a malformed reply, refused by name
  } catch (const std::exception& error) {
    return std::string("unexpected exception: ") + error.what();
  }
  return {};
}

}  // namespace fuzzing
