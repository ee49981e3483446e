#pragma once
// Both speech engine families as the program uses them: the SAPI 4 component
// and the SAPI 5 voice, whether each is installed, the voice catalogue built
// from them, and the way from a catalogue entry and its values to the engine
// that speaks it, for the default voice and for a voice slot. It knows no
// window: what the sliders show is handed out as numbers.

#include <memory>
#include <string>
#include <vector>

#include "settings/voice_slot.h"
#include "speech/ms_speech.h"
#include "speech/sp_voice.h"
#include "speech/voice_catalogue.h"

// Speed, pitch and volume as the sliders hold them: a SAPI 4 engine's own
// units, a SAPI 5 voice's slider positions (-10..10, volume 0..100).
struct VoiceValues {
  int speed = 0;
  int pitch = 0;
  int volume = 0;
};

struct ValueRange {
  int min = 0;
  int max = 0;
};

// What the sliders show for a catalogue entry: its ranges and the values they
// start at.
struct EntrySetup {
  bool sapi5 = false;
  ValueRange speed;
  ValueRange pitch;
  ValueRange volume;
  VoiceValues values;
};

// Whether setting a SAPI 5 entry up gives the voice object its start rate
// and volume, as the default voice's list does. The slot editor's list leaves
// the voice alone: it may be reading, and only the editor's test speaks.
enum class Sapi5EntrySetUp { StartVoice, SlidersOnly };

class Engines {
 public:
  Engines();
  Engines(const Engines&) = delete;
  Engines& operator=(const Engines&) = delete;

  // Start-up: which families offer at least one engine or voice. A family
  // whose runtime fails when asked counts as not installed; the SAPI 5 voice
  // stays connected after a successful check.
  void DetectRuntimes();
  bool Sapi4Available() const { return sapi4Available_; }
  bool Sapi5Available() const { return sapi5Available_; }

  TMSpeech& Sapi4() { return *sapi4_; }
  TSpVoice& Sapi5() { return sapi5_; }

  // Lists the SAPI 4 engines, then the SAPI 5 voices when that family is
  // installed. Selecting every engine in turn is the only way to learn its
  // speaker; the last one stays selected.
  const std::vector<std::wstring>& LoadCatalogue();
  const std::vector<std::wstring>& Catalogue() const { return catalogue_; }
  // The number of SAPI 4 entries at the head of the catalogue, read afresh.
  int Sapi4EngineCount() const;
  // 4 below the SAPI 4 engine count (no entry, -1, included), 5 otherwise.
  int FamilyOf(int entry) const;

  // Makes the entry the one the sliders show: a SAPI 4 engine is selected and
  // its bounds and current values are answered; a SAPI 5 voice gets the start
  // rate and volume when asked to, and the sliders their start positions.
  EntrySetup SetUpEntry(int entry, Sapi5EntrySetUp sapi5 = Sapi5EntrySetUp::StartVoice);
  // The selected SAPI 4 engine's current speed, pitch and volume.
  VoiceValues Sapi4Values();
  // The entry's engine with these values: a SAPI 4 engine's within its
  // bounds; a SAPI 5 voice's pitch travels in the pitch prefix when it speaks.
  void SelectVoice(int entry, const VoiceValues& values);
  // A voice slot's voice, found in the catalogue by name, with its stored
  // values; answers the pitch prefix to read with (none for SAPI 4).
  std::wstring SelectSlotVoice(const VoiceSlot& slot);
  // Ends whatever either engine says, each under a guard of its own, so that
  // one that refuses cannot keep the other speaking.
  void Silence();

 private:
  std::unique_ptr<TMSpeech> sapi4_;
  TSpVoice sapi5_;
  bool sapi4Available_ = true;
  bool sapi5Available_ = true;
  std::vector<std::wstring> catalogue_;
};
