#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "speech/sapi4.h"

// The component's own failures, with the texts the program has always shown.
class EMSpeechException : public std::runtime_error {
 public:
  static constexpr const char* kNotInitialized = "Speech Engine not initialized";
  static constexpr const char* kEngineNotFound = "Specified Speech Engine not found";
  static constexpr const char* kNotSelected = "Speech Engine not selected";
  static constexpr const char* kCannotOpenFile = "Cannot open file";

  using std::runtime_error::runtime_error;
};

enum class TSpeechOutput { soFile, soGeneral };

// Identity and bounds of the selected engine.
struct TMSpeechEngineInfo {
  std::string ModeName;
  std::string Dialect;
  std::string MfgName;
  std::string ProductName;
  std::string ModeID;
  std::string EngineID;
  std::string Speaker;
  std::string Style;
  std::string Gender;
  LONG Age = 0;
  LONG Features = 0;
  LONG Interfaces = 0;
  WORD MaxPitch = 0;
  WORD MinPitch = 0;
  DWORD MaxRealTime = 0;
  DWORD MinRealTime = 0;
  DWORD MaxSpeed = 0;
  DWORD MinSpeed = 0;
  LONG MaxVolume = 0;
  LONG MinVolume = 0;
};

// The sender of an event is the notification object that received it from
// the engine.
using TMSNotifyEvent = std::function<void(IUnknown* sender)>;
using TMSVisualEvent = std::function<void(IUnknown* sender, DWORD hints, TTSMOUTH* mouth)>;

// The SAPI 4 text-to-speech component: lists the installed engine modes,
// selects one by mode name, sets its speed, pitch and volume through control
// tags, hands text to it and turns its notifications into events. Everything
// runs on the thread that created it; the engine's notifications arrive there
// through the message loop. COM must be initialised on that thread first.
class TMSpeech {
 public:
  TMSpeech();
  ~TMSpeech();
  TMSpeech(const TMSpeech&) = delete;
  TMSpeech& operator=(const TMSpeech&) = delete;

  // Settings and events the owner assigns directly. Text holds lines in the
  // ANSI code page, as the engines read them; Filename is the target when
  // Output is soFile.
  std::wstring Filename;
  TSpeechOutput Output = TSpeechOutput::soGeneral;
  std::vector<std::string> Text;
  TMSNotifyEvent OnStart;
  TMSNotifyEvent OnStop;
  TMSVisualEvent OnVisual;

  const std::string& Version() const { return version_; }
  const std::vector<std::string>& Engines() const { return engines_; }
  bool Initialized() const { return initialized_; }
  bool EngineSelected() const { return engineSelected_; }
  const TMSpeechEngineInfo& EngineInfo() const { return engineInfo_; }
  bool Paused() const { return paused_; }
  DWORD WordOffset() const { return wordOffset_; }

  void SelectEngine(const std::string& modeName);
  // Answers whether the engine took the text; a failing engine or an
  // unopenable file target ends the call quietly with false.
  bool SpeakText();
  void StopSpeech();
  void PauseSpeech();
  void ResumeSpeech();

  // These work on the selected engine; callers use them after SelectEngine.
  // Without one the setters fail with "Speech Engine not selected" and the
  // reads answer 0.
  DWORD GetSpeed();
  void SetSpeed(DWORD speed);
  WORD GetPitch();
  void SetPitch(WORD pitch);
  DWORD GetVolume();
  void SetVolume(DWORD percent);

 private:
  class TTSNotifySink;
  class TTSBufNotifySink;
  friend class TTSNotifySink;
  friend class TTSBufNotifySink;

  void Enumerate();
  void Select(size_t index);
  Microsoft::WRL::ComPtr<IUnknown> CreateAudioDestination();
  TTSMODEINFOA FetchMode(size_t index);
  void FillEngineInfo(const TTSMODEINFOA& mode);
  void ProbeEngineBounds();
  void OpenFileTarget();
  void FlushFileDestination();
  void HandOverText();
  void DetachSinks();
  // The selected engine's interfaces; without one the attribute and speech
  // operations fail with "Speech Engine not selected".
  ITTSCentralA& Central();
  ITTSAttributesA& Attributes();

  std::string version_;
  std::vector<std::string> engines_;
  bool initialized_ = false;
  bool engineSelected_ = false;
  bool paused_ = false;
  DWORD wordOffset_ = 0;
  TMSpeechEngineInfo engineInfo_;
  std::unique_ptr<TTSMODEINFOA> modeInfo_;
  DWORD registrationKey_ = 0;

  Microsoft::WRL::ComPtr<ITTSEnumA> enumerator_;
  Microsoft::WRL::ComPtr<IUnknown> audioDestination_;
  Microsoft::WRL::ComPtr<ITTSCentralA> central_;
  Microsoft::WRL::ComPtr<ITTSAttributesA> attributes_;
  Microsoft::WRL::ComPtr<ITTSDialogsA> dialogs_;
  Microsoft::WRL::ComPtr<TTSNotifySink> engineSink_;
  Microsoft::WRL::ComPtr<TTSBufNotifySink> bufferSink_;
};
