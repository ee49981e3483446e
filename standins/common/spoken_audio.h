#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "standins/common/standin_config.h"

// espeak-ng's own scales: words per minute, pitch 0..99, amplitude 0..200.
struct EspeakVoice {
  unsigned wordsPerMinute = 175;
  unsigned pitch = 50;
  unsigned amplitude = 100;
};

// The audio of one spoken stream. With audio "espeak" or "wav:<folder>" it is
// Linux's espeak-ng, started from inside Wine through /bin/sh (a Wine process
// can start Linux programs, but gets no handle to them, so the script leaves
// a file behind when it ends and the stand-in watches for it).
class SpokenAudio {
 public:
  // `wavName` names the file written into the configured WAV folder.
  static std::unique_ptr<SpokenAudio> Start(const StandinConfig& config, const std::string& utf8Text,
                                            const EspeakVoice& voice, const std::wstring& wavName);
  ~SpokenAudio();
  SpokenAudio(const SpokenAudio&) = delete;
  SpokenAudio& operator=(const SpokenAudio&) = delete;

  bool Finished() const;
  // Ends the speech early; Finished() turns true once espeak-ng has gone.
  void Stop();
  void Pause();
  void Resume();

 private:
  explicit SpokenAudio(std::wstring scratchBase);

  std::wstring scratchBase_;  // the job's files: .txt, .pid, .done
  void Signal(std::initializer_list<const char*> names);

  bool stopped_ = false;
};

// The speed of a SAPI 5 rate (-10..10) in words per minute: each step of ten
// triples or thirds the normal speed.
unsigned WordsPerMinuteOfRate(long rate);
