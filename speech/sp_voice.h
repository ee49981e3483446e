#pragma once

#include <windows.h>
#include <sapi.h>
#include <wrl/client.h>

#include <functional>
#include <string>

// The SAPI 5 voice: the SpVoice automation object behind its default
// interface ISpeechVoice, with the StartStream, EndStream and Word events.
// It is not connected until asked; every member connects first when needed
// and throws ComError when the voice answers with a failure. Events arrive
// on the thread that connected, through its message loop.
class TSpVoice {
 public:
  using StreamEvent = std::function<void(long streamNumber, const VARIANT& streamPosition)>;
  using WordEvent = std::function<void(long streamNumber, const VARIANT& streamPosition,
                                       long characterPosition, long length)>;

  TSpVoice();
  ~TSpVoice();
  TSpVoice(const TSpVoice&) = delete;
  TSpVoice& operator=(const TSpVoice&) = delete;

  // A running SpVoice is used when there is one, else a new one is created.
  void Connect();
  // Detaches the events and lets the voice object go, and with it whatever
  // it was saying and the pauses made on it.
  void Disconnect();
  bool Connected() const { return voice_ != nullptr; }

  Microsoft::WRL::ComPtr<ISpeechObjectTokens> GetVoices(const std::wstring& requiredAttributes,
                                                         const std::wstring& optionalAttributes);
  void PutrefVoice(ISpeechObjectToken* token);
  void PutRate(long rate);
  void PutVolume(long volume);
  long Speak(const std::wstring& text, SpeechVoiceSpeakFlags flags);
  // The voice counts pauses: it speaks again only once every Pause has had
  // its Resume. This wrapper counts the pauses it has made on the current
  // voice object, so that they can all be undone.
  void Pause();
  void Resume();
  void ResumeEveryPause();

  // Unassigned events are ignored.
  StreamEvent OnStartStream;
  StreamEvent OnEndStream;
  WordEvent OnWord;

 private:
  class EventSink;
  friend class EventSink;

  ISpeechVoice& Voice();
  void AttachEvents(IUnknown& server);
  void DetachEvents();

  Microsoft::WRL::ComPtr<ISpeechVoice> voice_;
  Microsoft::WRL::ComPtr<EventSink> eventSink_;
  Microsoft::WRL::ComPtr<IConnectionPoint> connectionPoint_;
  DWORD adviseCookie_ = 0;
  int pauses_ = 0;
};

// The token collection and its tokens, failures thrown as ComError.
long TokenCount(ISpeechObjectTokens& tokens);
Microsoft::WRL::ComPtr<ISpeechObjectToken> TokenItem(ISpeechObjectTokens& tokens, long index);
std::wstring TokenDescription(ISpeechObjectToken& token);
