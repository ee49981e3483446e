#pragma once
// What start-up learns of each engine family: whether it offers at least one
// engine or voice. A family whose runtime fails when asked counts as not
// installed, and start-up goes on with the other one (Wine's own SpVoice, for
// one, refuses to list its voices).

#include "speech/ms_speech.h"
#include "speech/sp_voice.h"

bool Sapi4EnginesInstalled(const TMSpeech& speech);
// Connects the voice and counts its voices; the voice stays connected after a
// successful check.
bool Sapi5VoicesInstalled(TSpVoice& voice);
