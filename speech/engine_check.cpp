#include "speech/engine_check.h"

// The component lists its engines when it is created and a failed
// enumeration leaves the list empty, so asking for it cannot fail.
bool Sapi4EnginesInstalled(const TMSpeech& speech) { return !speech.Engines().empty(); }

bool Sapi5VoicesInstalled(TSpVoice& voice) {
  try {
    voice.Connect();
    return TokenCount(*voice.GetVoices(L"", L"").Get()) > 0;
  } catch (const std::exception&) {
    return false;
  }
}
