// Script input: bytes split into bounded lines (a small bound here, so over-long lines are
// reached), and each line's words and arguments parsed as the session parses them; the escaping
// the script shares with property sets reads back what it writes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/line_escaping.h"
#include "player/script_command.h"
#include "player/script_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kBound = 256;
  std::size_t overlong = 0;
  vessant::ScriptInput input(
      [](const std::string& line) {
        if (line.size() > kBound) std::abort();
        const std::vector<std::string> words = vessant::ScriptWords(line);
        for (int skip = 0; skip < 4; ++skip) {
          if (vessant::ScriptRest(line, skip).size() > line.size()) std::abort();
        }
        if (vessant::ScriptValue(line, 1).size() > line.size()) std::abort();
        // The written form reads back whole in the full dialect.
        std::string back;
        if (!vessant::LineEscaping::Unescape(vessant::LineEscaping::Escape(line), vessant::LineEscaping::Dialect::Full,
                                             &back) ||
            back != line)
          std::abort();
        std::string error;
        vessant::MouseCommand mouse;
        vessant::KeyCommand key;
        if (!vessant::ParseMouseCommand(words, &mouse, &error) && error.empty()) std::abort();
        error.clear();
        if (!vessant::ParseKeyCommand(words, &key, &error) && error.empty()) std::abort();
        int number = 0;
        if (!words.empty()) vessant::ParseScriptInt(words[0], &number);
        return !(words.size() == 1 && words[0] == "quit");
      },
      [&overlong] { ++overlong; }, kBound);
  // Fed in two pieces, so a line may straddle them.
  const std::size_t half = size / 2;
  if (input.Feed(reinterpret_cast<const char*>(data), half))
    input.Feed(reinterpret_cast<const char*>(data) + half, size - half);
  input.Finish();
  return 0;
}
