#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "standins/common/spoken_audio.h"
#include "standins/common/standin_config.h"

// Where a word lies in the text a stream was given, in that text's units.
struct WordSpan {
  size_t offset;
  size_t length;
};

// The words of a text: runs of characters that are not white space. Markup
// the caller wants skipped is blanked out before.
template <class Char>
std::vector<WordSpan> SplitWords(const std::basic_string<Char>& text) {
  std::vector<WordSpan> words;
  const auto isSpace = [](Char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  for (size_t i = 0; i < text.size();) {
    while (i < text.size() && isSpace(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !isSpace(text[i])) ++i;
    if (i > start) words.push_back({start, i - start});
  }
  return words;
}

// Speaks queued streams at a fixed pace per word on the thread that created
// it. A message-only window's timer drives it, so the callbacks run from
// that thread's message loop, the way the real runtimes deliver their
// notifications to an apartment-threaded caller. Each stream's audio (see
// SpokenAudio) starts with the stream, and the stream ends only once both
// its words are paced out and its audio has finished.
class WordPacer {
 public:
  struct Stream {
    long number = 0;
    std::vector<WordSpan> words;
    std::string utf8Text;  // what is heard, without markup
    EspeakVoice voice;
  };
  struct Callbacks {
    std::function<void(const Stream&)> started;
    std::function<void(const Stream&, const WordSpan&)> word;
    std::function<void(const Stream&)> ended;
  };

  // WAV files are named <wavPrefix>-<stream number>.wav.
  WordPacer(const StandinConfig& config, std::wstring wavPrefix, Callbacks callbacks);
  ~WordPacer();
  WordPacer(const WordPacer&) = delete;
  WordPacer& operator=(const WordPacer&) = delete;

  void Queue(Stream stream);
  void Pause();
  void Resume();
  // Drops the queued streams and the rest of the current one; a started
  // stream still ends, through the message loop.
  void Purge();
  // Runs `call` from the message loop after the caller has returned, the way
  // the runtimes deliver the notifications a call causes.
  void Post(std::function<void()> call);
  bool Paused() const { return paused_; }
  bool Idle() const { return streams_.empty(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Step();
  void Schedule();
  void RunPosted();

  void StartAudio(const Stream& stream);
  bool AudioFinished() const { return !audio_ || audio_->Finished(); }

  const StandinConfig& config_;
  std::wstring wavPrefix_;
  Callbacks callbacks_;
  std::unique_ptr<SpokenAudio> audio_;
  HWND window_ = nullptr;
  std::deque<Stream> streams_;
  std::deque<std::function<void()>> posted_;
  bool currentStarted_ = false;
  size_t nextWord_ = 0;
  bool paused_ = false;
  bool ticking_ = false;
  // Cleared on destruction: a callback may end the pacer's owner, and with
  // it the pacer, while Step is still on the stack.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
