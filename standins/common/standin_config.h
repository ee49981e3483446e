#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One SAPI 4 engine mode as the configuration describes it. The options
// after the bounds give tests engines that misbehave in the ways real ones
// do.
struct EngineConfig {
  std::string modeName;
  std::string speaker;
  DWORD minSpeed = 50;
  DWORD maxSpeed = 250;
  WORD minPitch = 50;
  WORD maxPitch = 200;
  bool withoutDialogs = false;          // "nodialogs": no ITTSDialogsA
  bool failsSelect = false;             // "failselect": Select answers E_FAIL
  bool clampsOutOfRange = false;        // "clamp": out-of-range attributes go to the nearer bound
  bool pausesWhilePaused = false;       // "pauseok": AudioPause while paused answers NOERROR
  bool notifiesPauseAndResume = false;  // "pausenotify": AudioStop on pause, AudioStart on resume
};

// What goes into the stand-ins' speech output.
enum class AudioKind { kNone, kEspeak, kWav };

// The stand-ins' configuration, read from the UTF-8 file named by
// TOLVANE_STANDIN_CONFIG each time an object is created, so one process can
// change it between objects. Without the file there are no voices and no
// engines.
struct StandinConfig {
  std::vector<std::wstring> sapi5Voices;
  std::vector<EngineConfig> sapi4Engines;
  std::vector<std::string> failingCalls;  // from sapi5.fail and sapi4.fail
  DWORD msPerWord = 60;
  AudioKind audio = AudioKind::kNone;
  std::wstring wavFolder;

  bool Fails(const char* call) const;
};

StandinConfig LoadStandinConfig();
// Parses the text of a configuration file; unknown keys are ignored so that
// older stand-ins read newer files.
StandinConfig ParseStandinConfig(const std::string& utf8Text);

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::string AnsiFromUtf8(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);
