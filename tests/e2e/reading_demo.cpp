// `make run` without a display: nobody can press keys there, so this shows the
// main job by itself. It opens a text in Notepad, selects it, presses the
// reading hot key of the running Tolvane and tells what the stand-in voice
// spoke and where the spoken audio went.
//   reading_demo <Tolvane's cfg.ini> <stand-in log> <folder for the text> <WAV folder or ->
// With "-" the stand-ins speak to the sound device instead of into files.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/speech_test_support.h"

namespace {

constexpr wchar_t kText[] = L"Hello! This text was selected in Notepad and read aloud by Tolvane.";
// The call logged after the given time that handed a text over to a voice.
bool FindSpeech(const std::wstring& log, double after, LogEntry& found) {
  for (const LogEntry& entry : speech_test::ParseLogText(ReadTextFile(log))) {
    if (entry.milliseconds >= after && HandsTextOver(entry)) {
      found = entry;
      return true;
    }
  }
  return false;
}

using WaveTimes = std::map<std::wstring, std::filesystem::file_time_type>;

WaveTimes Waves(const std::wstring& folder) {
  WaveTimes waves;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (file.path().extension() == L".wav") waves[file.path().wstring()] = file.last_write_time();
  }
  return waves;
}

// A WAV file written since the snapshot: new, or rewritten under a name an
// earlier run used; empty when there is none.
std::wstring NewWave(const std::wstring& folder, const WaveTimes& before) {
  for (const auto& [wave, written] : Waves(folder)) {
    const auto earlier = before.find(wave);
    if (earlier == before.end() || earlier->second != written) return wave;
  }
  return L"";
}

void ReportAudio(const std::wstring& waveFolder, const WaveTimes& before) {
  if (waveFolder == L"-") {
    std::printf("It was spoken through espeak-ng to the sound device.\n");
    return;
  }
  // The stand-in writes the audio when the reading has ended.
  std::wstring wave;
  WaitUntil([&] { return !(wave = NewWave(waveFolder, before)).empty(); },
            std::chrono::seconds(30));
  std::printf("Spoken audio: %ls\n", wave.empty() ? L"(no WAV file appeared)" : wave.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return 2;
  const UINT hotKey =
      GetPrivateProfileIntW(L"General", L"HotKey", kReadingHotKey, argv[1]) & 0xFFFF;
  if (!WaitUntil([&] { return ProbeHotKey(hotKey) == HotKeyState::Taken; })) {
    std::printf("Tolvane does not hold its reading hot key; nothing was read.\n");
    return 1;
  }
  // It stays on the screen, with the text selected, for the screenshot.
  NotepadProcess notepad(argv[3], kText, ChildLifetime::Outlives);
  const bool toFiles = std::wstring(argv[4]) != L"-";
  const WaveTimes before = toFiles ? Waves(argv[4]) : WaveTimes{};
  const double pressed = LogClockMilliseconds();
  if (!notepad.SelectAll() || !PressHotKey(hotKey)) {
    std::printf("Could not select the text in Notepad and press the hot key.\n");
    return 1;
  }
  LogEntry speech;
  if (!WaitUntil([&] { return FindSpeech(argv[2], pressed, speech); })) {
    std::printf("The hot key was pressed, but no voice was asked to speak.\n");
    return 1;
  }
  std::printf("Selected in Notepad and read with the hot key after %.0f ms:\n  %s %s %s\n",
              speech.milliseconds - pressed, speech.api.c_str(), speech.method.c_str(),
              speech.arguments.c_str());
  ReportAudio(argv[4], before);
  return 0;
}
