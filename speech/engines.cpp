#include "speech/engines.h"

#include <algorithm>

#include "base/ansi_code_page.h"
#include "base/exception_guard.h"
#include "speech/engine_check.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr int kSapi5SliderMin = -10;
constexpr int kSapi5SliderMax = 10;
constexpr int kVolumeMin = 0;
constexpr int kVolumeMax = 100;
// What a SAPI 5 voice starts with when it is chosen in the list: the engine
// gets these, and the sliders show a little slower and lower than that.
constexpr long kSapi5StartRate = -2;
constexpr long kSapi5StartVolume = 100;
constexpr VoiceValues kSapi5StartPositions{-3, -5, 100};

// The name a SAPI 4 engine is listed under. An engine that cannot be
// selected tells nothing of its speaker, so it keeps its mode name rather
// than borrowing the speaker of the engine selected before it.
std::wstring Sapi4EntryName(TMSpeech& speech, const std::string& modeName) {
  speech.SelectEngine(modeName);
  const std::wstring mode = WideFromAnsi(modeName);
  if (!speech.EngineSelected()) return mode;
  return Sapi4DisplayName(mode, WideFromAnsi(speech.EngineInfo().Speaker));
}

// Entry i of the catalogue is engine i of the component's list; an index
// outside it (no selection, a voice no longer there) fails here.
void SelectSapi4Entry(TMSpeech& speech, int entry) {
  speech.SelectEngine(speech.Engines().at(static_cast<size_t>(entry)));
}

// A compliant engine refuses a speed or pitch outside its bounds and keeps
// its own, so a slot stored for another engine, or sliders still set up for a
// SAPI 5 voice, would read at a speed nobody chose; a clamping engine would
// even take -3 as 4294967293, its fastest. The values are therefore brought
// to the nearer of the selected engine's probed bounds while still signed,
// and the volume into the component's percentage.
void SetSapi4Values(TMSpeech& speech, const VoiceValues& values) {
  const TMSpeechEngineInfo& info = speech.EngineInfo();
  const auto within = [](int value, long long low, long long high) {
    return std::max(low, std::min<long long>(value, high));
  };
  speech.SetSpeed(static_cast<DWORD>(within(values.speed, info.MinSpeed, info.MaxSpeed)));
  speech.SetPitch(static_cast<WORD>(within(values.pitch, info.MinPitch, info.MaxPitch)));
  speech.SetVolume(static_cast<DWORD>(within(values.volume, info.MinVolume, info.MaxVolume)));
}

// A SAPI 5 entry's token, whose index in the token collection is the entry's
// index less the SAPI 4 engines before it. The voice rejects a bad index.
void SelectSapi5Token(TSpVoice& voice, int token) {
  ComPtr<ISpeechObjectTokens> tokens = voice.GetVoices(L"", L"");
  voice.PutrefVoice(TokenItem(*tokens.Get(), token).Get());
}

}  // namespace

Engines::Engines() : sapi4_(std::make_unique<TMSpeech>()) {}

void Engines::DetectRuntimes() {
  sapi4Available_ = Sapi4EnginesInstalled(*sapi4_);
  sapi5Available_ = Sapi5VoicesInstalled(sapi5_);
}

const std::vector<std::wstring>& Engines::LoadCatalogue() {
  catalogue_.clear();
  for (const std::string& modeName : sapi4_->Engines()) {
    catalogue_.push_back(Sapi4EntryName(*sapi4_, modeName));
  }
  if (sapi5Available_) {
    ComPtr<ISpeechObjectTokens> tokens = sapi5_.GetVoices(L"", L"");
    const long count = TokenCount(*tokens.Get());
    for (long token = 0; token < count; ++token) {
      catalogue_.push_back(
          Sapi5DisplayName(TokenDescription(*TokenItem(*tokens.Get(), token).Get())));
    }
  }
  return catalogue_;
}

int Engines::Sapi4EngineCount() const { return static_cast<int>(sapi4_->Engines().size()); }

int Engines::FamilyOf(int entry) const {
  return entry < Sapi4EngineCount() ? kSapi4Family : kSapi5Family;
}

EntrySetup Engines::SetUpEntry(int entry, Sapi5EntrySetUp sapi5) {
  if (FamilyOf(entry) == kSapi4Family) {
    SelectSapi4Entry(*sapi4_, entry);
    const TMSpeechEngineInfo& info = sapi4_->EngineInfo();
    return {false,
            {static_cast<int>(info.MinSpeed), static_cast<int>(info.MaxSpeed)},
            {info.MinPitch, info.MaxPitch},
            {info.MinVolume, info.MaxVolume},
            Sapi4Values()};
  }
  // A voice that refuses these keeps its own values; the list and the sliders
  // go on all the same, and the voice's failure shows when it is asked to speak.
  if (sapi5 == Sapi5EntrySetUp::StartVoice) {
    CallGuarded([&] { sapi5_.PutRate(kSapi5StartRate); });
    CallGuarded([&] { sapi5_.PutVolume(kSapi5StartVolume); });
  }
  return {true,
          {kSapi5SliderMin, kSapi5SliderMax},
          {kSapi5SliderMin, kSapi5SliderMax},
          {kVolumeMin, kVolumeMax},
          kSapi5StartPositions};
}

VoiceValues Engines::Sapi4Values() {
  return {static_cast<int>(sapi4_->GetSpeed()), sapi4_->GetPitch(),
          static_cast<int>(sapi4_->GetVolume())};
}

void Engines::SelectVoice(int entry, const VoiceValues& values) {
  if (FamilyOf(entry) == kSapi4Family) {
    SelectSapi4Entry(*sapi4_, entry);
    SetSapi4Values(*sapi4_, values);
    return;
  }
  SelectSapi5Token(sapi5_, entry - Sapi4EngineCount());
  sapi5_.PutRate(values.speed);
  sapi5_.PutVolume(values.volume);
}

// Slots keep stored values only; SAPI 5 speed and pitch are turned back into
// the engine's scale, SAPI 4 values go to the engine as stored, within its
// bounds.
std::wstring Engines::SelectSlotVoice(const VoiceSlot& slot) {
  if (slot.family == kSapi5Family) {
    const int entry = FindCatalogueEntry(catalogue_, Sapi5DisplayName(slot.voiceName));
    SelectSapi5Token(sapi5_, entry - Sapi4EngineCount());
    sapi5_.PutRate(Sapi5EngineValue(slot.speed.value()));
    sapi5_.PutVolume(slot.volume.value());
    return PitchPrefixText(Sapi5EngineValue(slot.pitch.value()));
  }
  SelectSapi4Entry(*sapi4_, FindCatalogueEntry(catalogue_, slot.voiceName));
  SetSapi4Values(*sapi4_, {slot.speed.value(), slot.pitch.value(), slot.volume.value()});
  return L"";
}

void Engines::Silence() {
  if (sapi5Available_) {
    CallGuarded([&] {
      sapi5_.Pause();
      sapi5_.Speak(L"", SVSFPurgeBeforeSpeak);
    });
  }
  if (sapi4Available_) CallGuarded([&] { sapi4_->PauseSpeech(); });
  if (sapi5Available_) CallGuarded([&] { sapi5_.Disconnect(); });
}
