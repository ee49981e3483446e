#pragma once
// What the reading hot keys do: read the selected text with the default voice
// or a voice slot's voice, pause and resume, and follow the engines' start and
// end notifications. The settings it reads with are asked for at the moment of
// each reading, so the options window's controls stay the live settings.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "reading/clipboard_snapshot.h"
#include "reading/integrity_level.h"
#include "reading/text_preparation.h"
#include "speech/engines.h"

// The default voice as chosen now: its catalogue entry and the sliders' values.
struct DefaultVoiceChoice {
  int entry = -1;
  VoiceValues values;
};

// Where a reading takes its settings from.
class ReadingSource {
 public:
  virtual DefaultVoiceChoice DefaultVoice() const = 0;
  virtual TextPreparationSettings PreparationSettings() const = 0;
  // Voice slot n; throws when there is no such slot or its stored numbers
  // cannot be read, and the reading then fails.
  virtual VoiceSlot Slot(int slot) const = 0;

 protected:
  ~ReadingSource() = default;
};

enum class ReadingState {
  Reading,  // a voice speaks, or was resumed
  Paused,   // the user paused it
  Ended,    // the voice finished or was silenced
};

// How a reading shows itself to the user.
class ReadingFeedback {
 public:
  virtual void ReadingStateChanged(ReadingState state) = 0;
  // One step of a reading failed; the reading goes on where it can.
  virtual void ReadingFailed() = 0;
  // Something the user must learn although no window of the program shows:
  // a notice beside the tray icon.
  virtual void ShowNotice(const std::wstring& text) = 0;

 protected:
  ~ReadingFeedback() = default;
};

// Told once a run, the first time a reading meets a program that runs as
// administrator while we do not.
inline constexpr wchar_t kHigherIntegrityNotice[] =
    L"Tolvane cannot read from a program that runs as administrator. Start Tolvane as "
    L"administrator too to read from it.";

class ReadingController {
 public:
  // clipboardOwner and processMessages serve the capture of the selected text
  // (reading/selected_text.h); a user's clipboard that a capture could not put
  // back is retried on a timer of clipboardOwner while the controller lives.
  // runsAtHigherIntegrity tells whether the foreground window's program is out
  // of reach of our copy keystroke.
  ReadingController(Engines& engines, const ReadingSource& source, ReadingFeedback& feedback,
                    HWND clipboardOwner, std::function<void()> processMessages,
                    IntegrityCheck runsAtHigherIntegrity = RunsAtHigherIntegrity);
  // The engines outlive the controller: their notifications stop here.
  ~ReadingController();
  ReadingController(const ReadingController&) = delete;
  ReadingController& operator=(const ReadingController&) = delete;

  // The reading hot key: the selection with the default voice.
  void DefaultHotKeyHotKey();
  // A voice slot's hot key: the selection with that slot's voice and values.
  void SelectSlot(int slot);
  // The pause hot key and the tray command: by the default voice's family.
  void PauseOrResume();
  // Silences both families for good (the welcome's greeting when it closes):
  // the reading ends, and nothing is left paused.
  void StopReading();
  // The default voice's engine with its values, as the source has them now.
  void SelectDefaultVoice();
  // Speaks a text with the default voice (the test buttons, the greeting);
  // purgeFirst drops whatever the SAPI 5 voice still had to say first.
  void SpeakWithDefaultVoice(const std::wstring& text, bool purgeFirst);
  // The slot editor's test: the test sentence with the entry's engine at the
  // sliders' positions, as the saved slot will sound. Nothing without an
  // entry.
  void SpeakSlotTest(int entry, const VoiceValues& values);

  // The selection in the program the user works in, prepared with the
  // source's settings as they are now.
  std::wstring GetSelectedText();

  bool Reading() const { return reading_; }
  bool Paused() const { return paused_; }
  // Put before the text of every SAPI 5 reading; set by the reading paths.
  const std::wstring& PitchPrefix() const { return pitchPrefix_; }

 private:
  void ConnectEngineEvents();
  void SpeechAPI5StartStream();
  void SpeechAPI5EndStream();
  void SpeechAPI4Start();
  void SpeechAPI4Stop();

  // How far a reading from a hot key came. Once it has replaced or silenced
  // the object that was speaking, that reading's end may never be reported;
  // unless the new text then reached the engine, nothing will start or end
  // any more.
  struct ReadingProgress {
    bool sapi4Silenced = false;
    bool sapi5Silenced = false;
    bool textHandedOver = false;

    bool Silenced(int family) const {
      return family == kSapi4Family ? sapi4Silenced : family == kSapi5Family && sapi5Silenced;
    }
  };
  void EndIfNothingFollows(const ReadingProgress& progress);
  // A voice of the family started, or the reading ended, whichever engine
  // tells it.
  void Started(int family);
  void Ended();

  int DefaultVoiceFamily() const;
  void SpeakBehindPitchPrefix(std::wstring_view text);
  // Answers whether the engine took the text.
  bool SpeakWithSapi4(const std::wstring& text);
  void ReadWithSapi5Slot(const VoiceSlot& slot);
  void ReadWithSapi4Slot(VoiceSlot slot);
  // Runs one step of a reading path; a failure ends the step with the
  // feedback's failure and lets the path go on.
  void Guarded(const std::function<void()>& step);
  void Report(ReadingState state);
  // Throws when the foreground program is out of reach of the copy keystroke.
  void RequireForegroundWithinReach();

  Engines& engines_;
  const ReadingSource& source_;
  ReadingFeedback& feedback_;
  PendingClipboardRestore pendingRestore_;
  std::function<void()> processMessages_;
  IntegrityCheck runsAtHigherIntegrity_;
  bool higherIntegrityNoticeShown_ = false;
  // A reading is under way and not paused; a reading is paused.
  bool reading_ = false;
  bool paused_ = false;
  // The family whose start was reported last: the one a reading is under way
  // in, if any.
  int speakingFamily_ = 0;
  std::wstring pitchPrefix_;
};
