// Positional parser of loader and ARP command lines, written apart from the code that builds them.
#include "LoaderLineGrammar.h"

#include <cstddef>

namespace loadergui::fuzzing {

namespace {

const char* const kSerialHead = "tools\\ravlink-serial.exe";
const char* const kIpHead = "tools\\ravlink-ip.exe";
const char* const kArpHead = "tools\\arp.exe";

bool IsQuoted(const std::string& token) {
  return token.size() >= 2 && token.front() == '"' && token.back() == '"' &&
         token.find('"', 1) == token.size() - 1;
}

// An unquoted value may be empty but must not hold anything that splits or quotes an argument.
bool IsPlainValue(const std::string& token) {
  return token.find_first_of(std::string(" \t\"", 3)) == std::string::npos;
}

// Walks the tokens in order; each Take* moves on when the token is what the grammar wants there.
class Tokens {
 public:
  explicit Tokens(std::vector<std::string> tokens) : tokens_(std::move(tokens)) {}

  bool AtEnd() const { return next_ == tokens_.size(); }
  bool Peek(const char* literal) const { return !AtEnd() && tokens_[next_] == literal; }
  bool TakeLiteral(const char* literal) {
    if (!Peek(literal)) return false;
    ++next_;
    return true;
  }
  std::optional<std::string> TakePlain() {
    if (AtEnd() || !IsPlainValue(tokens_[next_])) return std::nullopt;
    return tokens_[next_++];
  }
  std::optional<std::string> TakeQuoted() {
    if (AtEnd() || !IsQuoted(tokens_[next_])) return std::nullopt;
    const std::string& token = tokens_[next_++];
    return token.substr(1, token.size() - 2);
  }
  std::size_t Position() const { return next_; }

 private:
  std::vector<std::string> tokens_;
  std::size_t next_ = 0;
};

// An option letter followed by a value of the given kind; false with a reason when it is not.
bool TakeOptionValue(Tokens& tokens, const char* option, bool quoted, std::string& value,
                     std::string& problem) {
  if (!tokens.TakeLiteral(option)) {
    problem = std::string("expected ") + option + " at token " + std::to_string(tokens.Position());
    return false;
  }
  auto taken = quoted ? tokens.TakeQuoted() : tokens.TakePlain();
  if (!taken) {
    problem = std::string("bad value after ") + option;
    return false;
  }
  value = *taken;
  return true;
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandLine(const std::string& line) {
  std::vector<std::string> tokens;
  std::size_t pos = 0;
  while (true) {
    std::size_t end;
    if (pos < line.size() && line[pos] == '"') {
      std::size_t close = line.find('"', pos + 1);
      if (close == std::string::npos) return std::nullopt;
      end = close + 1;
    } else {
      end = line.find(' ', pos);
      if (end == std::string::npos) end = line.size();
    }
    tokens.push_back(line.substr(pos, end - pos));
    if (end == line.size()) return tokens;
    if (line[end] != ' ') return std::nullopt;
    pos = end + 1;
  }
}

std::optional<LoaderLine> ParseLoaderLine(const std::string& line, bool allowPathOptions,
                                          std::string& problem) {
  // The platform hands a command line on as a C string: a NUL would cut it short.
  if (line.find('\0') != std::string::npos) {
    problem = "NUL character in the command line";
    return std::nullopt;
  }
  auto split = SplitCommandLine(line);
  if (!split) {
    problem = "quotes do not pair up with blanks around them";
    return std::nullopt;
  }
  Tokens tokens(*split);
  LoaderLine parsed;
  if (tokens.TakeLiteral(kSerialHead)) {
    parsed.serial = true;
  } else if (!tokens.TakeLiteral(kIpHead)) {
    problem = "unknown loader head";
    return std::nullopt;
  }
  if (!TakeOptionValue(tokens, "-t", false, parsed.target, problem)) return std::nullopt;
  if (parsed.serial) {
    std::string speed;
    if (!TakeOptionValue(tokens, "-b", false, speed, problem)) return std::nullopt;
    parsed.speed = speed;
  }
  if (!TakeOptionValue(tokens, "-a", false, parsed.address, problem)) return std::nullopt;
  parsed.noConsole = tokens.TakeLiteral("-n");
  parsed.dumbTerminal = tokens.TakeLiteral("-p");
  parsed.noScreenClear = tokens.TakeLiteral("-q");
  if (allowPathOptions && tokens.Peek("-c")) {
    std::string chroot;
    if (!TakeOptionValue(tokens, "-c", true, chroot, problem)) return std::nullopt;
    parsed.chroot = chroot;
  }
  if (allowPathOptions && tokens.Peek("-i")) {
    std::string iso;
    if (!TakeOptionValue(tokens, "-i", true, iso, problem)) return std::nullopt;
    parsed.iso = iso;
  }
  if (tokens.Peek("-u") || tokens.Peek("-x")) {
    bool upload = tokens.Peek("-u");
    parsed.action = upload ? LoaderAction::Upload : LoaderAction::UploadExecute;
    if (!TakeOptionValue(tokens, upload ? "-u" : "-x", true, parsed.file, problem)) {
      return std::nullopt;
    }
  } else {
    std::string size;
    if (!TakeOptionValue(tokens, "-s", false, size, problem)) return std::nullopt;
    parsed.size = size;
    parsed.action = LoaderAction::Download;
    if (!TakeOptionValue(tokens, "-d", true, parsed.file, problem)) return std::nullopt;
  }
  if (!tokens.AtEnd()) {
    problem = "tokens after the action, from token " + std::to_string(tokens.Position());
    return std::nullopt;
  }
  return parsed;
}

std::optional<std::pair<std::string, std::string>> ParseArpLine(const std::string& line,
                                                                std::string& problem) {
  if (line.find('\0') != std::string::npos) {
    problem = "NUL character in the ARP line";
    return std::nullopt;
  }
  const std::string head = std::string(kArpHead) + " -s ";
  std::size_t ipEnd = line.find(' ', head.size());
  if (line.compare(0, head.size(), head) != 0 || ipEnd == std::string::npos) {
    problem = "ARP line is not \"tools\\arp.exe -s <ip> <mac>\"";
    return std::nullopt;
  }
  std::string ip = line.substr(head.size(), ipEnd - head.size());
  if (!IsPlainValue(ip)) {
    problem = "tab or quote in the ARP line's IP address";
    return std::nullopt;
  }
  return std::make_pair(ip, line.substr(ipEnd + 1));
}

}  // namespace loadergui::fuzzing
