#include "standins/common/standin_config.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
  if (length == 0 || length >= std::size(value)) return {};
  return std::wstring(value, length);
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// '#' starts a comment at the start of a line or standing alone between
// white space, so a voice may still be called "Voice #2".
std::string WithoutComment(const std::string& line) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '#') continue;
    const bool startsLine = line.find_first_not_of(" \t") == i;
    const bool standsAlone = i > 0 && isBlank(line[i - 1]) && (i + 1 == line.size() || isBlank(line[i + 1]));
    if (startsLine || standsAlone) return line.substr(0, i);
  }
  return line;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(Trimmed(part));
  return parts;
}

template <class Number>
void ParseRange(const std::string& text, Number& low, Number& high) {
  const auto dots = text.find("..");
  if (dots == std::string::npos) return;
  low = static_cast<Number>(std::stoul(text.substr(0, dots)));
  high = static_cast<Number>(std::stoul(text.substr(dots + 2)));
}

// <mode name> | <speaker> | <min speed>..<max speed> | <min pitch>..<max pitch> [| options]
EngineConfig ParseEngine(const std::string& value) {
  const std::vector<std::string> fields = Split(value, '|');
  EngineConfig engine;
  engine.modeName = AnsiFromUtf8(fields.at(0));
  engine.speaker = fields.size() > 1 ? AnsiFromUtf8(fields[1]) : engine.modeName;
  if (fields.size() > 2) ParseRange(fields[2], engine.minSpeed, engine.maxSpeed);
  if (fields.size() > 3) ParseRange(fields[3], engine.minPitch, engine.maxPitch);
  for (size_t i = 4; i < fields.size(); ++i) {
    for (const std::string& option : Split(fields[i], ',')) {
      if (option == "nodialogs") engine.withoutDialogs = true;
      if (option == "failselect") engine.failsSelect = true;
      // "refuse" was once an option; refusing is now what every engine does.
      if (option == "clamp") engine.clampsOutOfRange = true;
      if (option == "pauseok") engine.pausesWhilePaused = true;
      if (option == "pausenotify") engine.notifiesPauseAndResume = true;
    }
  }
  return engine;
}

void ParseAudio(const std::string& value, StandinConfig& config) {
  if (value == "espeak") {
    config.audio = AudioKind::kEspeak;
  } else if (value.rfind("wav:", 0) == 0) {
    config.audio = AudioKind::kWav;
    config.wavFolder = WideFromUtf8(value.substr(4));
  } else {
    config.audio = AudioKind::kNone;
  }
}

void ApplySetting(const std::string& key, const std::string& value, StandinConfig& config) {
  if (key == "sapi5.voice") {
    config.sapi5Voices.push_back(WideFromUtf8(value));
  } else if (key == "sapi4.engine") {
    config.sapi4Engines.push_back(ParseEngine(value));
  } else if (key == "sapi5.fail" || key == "sapi4.fail") {
    for (const std::string& call : Split(value, '|')) config.failingCalls.push_back(call);
  } else if (key == "pace.ms_per_word") {
    config.msPerWord = std::stoul(value);
  } else if (key == "audio") {
    ParseAudio(value, config);
  }
}

std::wstring WideFrom(UINT codePage, const std::string& text) {
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string NarrowFrom(UINT codePage, const std::wstring& text) {
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(length, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                      nullptr);
  return narrow;
}

}  // namespace

bool StandinConfig::Fails(const char* call) const {
  return std::find(failingCalls.begin(), failingCalls.end(), call) != failingCalls.end();
}

StandinConfig ParseStandinConfig(const std::string& utf8Text) {
  StandinConfig config;
  std::istringstream lines(utf8Text);
  for (std::string line; std::getline(lines, line);) {
    line = Trimmed(WithoutComment(line));
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    try {
      ApplySetting(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), config);
    } catch (const std::exception&) {
      // A malformed number leaves that one setting out.
    }
  }
  return config;
}

StandinConfig LoadStandinConfig() {
  const std::wstring path = Environment(L"TOLVANE_STANDIN_CONFIG");
  if (path.empty()) return {};
  std::ifstream file(path.c_str(), std::ios::binary);
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  std::string content = text.str();
  if (content.rfind("\xEF\xBB\xBF", 0) == 0) content.erase(0, 3);
  return ParseStandinConfig(content);
}

std::wstring WideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text); }

std::string Utf8FromWide(const std::wstring& text) { return NarrowFrom(CP_UTF8, text); }

std::string AnsiFromUtf8(const std::string& text) { return NarrowFrom(CP_ACP, WideFrom(CP_UTF8, text)); }

std::string Utf8FromAnsi(const std::string& text) { return NarrowFrom(CP_UTF8, WideFrom(CP_ACP, text)); }
