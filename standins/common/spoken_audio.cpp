#include "standins/common/spoken_audio.h"

#include <atomic>
#include <cmath>
#include <fstream>

namespace {

std::atomic<long> lastJob{0};

// Wine's own kernel32 export that turns a Windows path into the Linux path.
std::string UnixPath(const std::wstring& windowsPath) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) throw std::runtime_error("not running under Wine");
  char* path = convert(windowsPath.c_str());
  if (path == nullptr) throw std::runtime_error("no Linux path for " + Utf8FromWide(windowsPath));
  std::string result = path;
  HeapFree(GetProcessHeap(), 0, path);
  return result;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void RunShell(const std::string& script) {
  std::wstring commandLine = L"/bin/sh -c \"" + WideFromUtf8(script) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process))
    throw std::runtime_error("cannot start /bin/sh");
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
}

std::wstring ScratchBase() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"tolvane-standin-audio-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++lastJob);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::unique_ptr<SpokenAudio> SpokenAudio::Start(const StandinConfig& config, const std::string& utf8Text,
                                                const EspeakVoice& voice, const std::wstring& wavName) {
  if (config.audio == AudioKind::kNone) return nullptr;
  const std::wstring base = ScratchBase();
  std::ofstream(std::wstring(base + L".txt").c_str(), std::ios::binary) << utf8Text;
  std::string espeak = "espeak-ng -s " + std::to_string(voice.wordsPerMinute) + " -p " +
                       std::to_string(voice.pitch) + " -a " + std::to_string(voice.amplitude) + " -f " +
                       ShellQuoted(UnixPath(base + L".txt"));
  if (config.audio == AudioKind::kWav) espeak += " -w " + ShellQuoted(UnixPath(config.wavFolder + L"\\" + wavName));
  // The pid lets Stop end espeak-ng; the .done file tells that it has ended.
  const std::string script = espeak + " >/dev/null 2>&1 & echo $! > " + ShellQuoted(UnixPath(base + L".pid")) +
                             "; wait; : > " + ShellQuoted(UnixPath(base + L".done"));
  std::unique_ptr<SpokenAudio> audio(new SpokenAudio(base));
  RunShell(script);
  return audio;
}

SpokenAudio::SpokenAudio(std::wstring scratchBase) : scratchBase_(std::move(scratchBase)) {}

SpokenAudio::~SpokenAudio() {
  for (const wchar_t* suffix : {L".txt", L".pid", L".done"}) DeleteFileW((scratchBase_ + suffix).c_str());
}

bool SpokenAudio::Finished() const { return Exists(scratchBase_ + L".done"); }

void SpokenAudio::Stop() {
  if (stopped_ || Finished()) return;
  stopped_ = true;
  Signal({"CONT", "TERM"});  // a paused espeak-ng must run to notice the end
}

void SpokenAudio::Pause() { Signal({"STOP"}); }

void SpokenAudio::Resume() { Signal({"CONT"}); }

void SpokenAudio::Signal(std::initializer_list<const char*> names) {
  try {
    const std::string pidFile = ShellQuoted(UnixPath(scratchBase_ + L".pid"));
    // The pid file may not be written yet when a signal follows Start at once.
    std::string script = "for i in 1 2 3 4 5 6 7 8 9 10; do [ -s " + pidFile + " ] && break; sleep 0.1; done";
    for (const char* name : names) script += std::string("; kill -") + name + " $(cat " + pidFile + ") 2>/dev/null";
    RunShell(script);
  } catch (const std::exception&) {
    // Nothing more can be done; the speech simply goes on.
  }
}

unsigned WordsPerMinuteOfRate(long rate) {
  return static_cast<unsigned>(std::lround(175.0 * std::pow(3.0, static_cast<double>(rate) / 10.0)));
}
