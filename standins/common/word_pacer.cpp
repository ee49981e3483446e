#include "standins/common/word_pacer.h"

#include <stdexcept>

#include "standins/common/com_server.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kRunPostedMessage = WM_APP + 1;
// While a stream waits for its audio, the pacer looks again this often.
constexpr DWORD kAudioPollMs = 20;

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// Both stand-in DLLs link this code, so the class name carries the module to
// keep their classes apart.
std::wstring PacerClassName() {
  return L"TolvaneStandinPacer" + std::to_wstring(reinterpret_cast<UINT_PTR>(ThisModule()));
}

}  // namespace

WordPacer::WordPacer(const StandinConfig& config, std::wstring wavPrefix, Callbacks callbacks)
    : config_(config), wavPrefix_(std::move(wavPrefix)), callbacks_(std::move(callbacks)) {
  const std::wstring className = PacerClassName();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ThisModule();
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);  // fails harmlessly once the class exists
  window_ = CreateWindowExW(0, className.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
  if (window_ == nullptr) throw std::runtime_error("no pacer window");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WordPacer::~WordPacer() {
  *alive_ = false;
  DestroyWindow(window_);
}

void WordPacer::Queue(Stream stream) {
  streams_.push_back(std::move(stream));
  Schedule();
}

void WordPacer::Pause() {
  paused_ = true;
  KillTimer(window_, kTimerId);
  ticking_ = false;
  if (audio_) audio_->Pause();
}

void WordPacer::Resume() {
  paused_ = false;
  if (audio_) audio_->Resume();
  Schedule();
}

void WordPacer::Purge() {
  if (streams_.empty()) return;
  const bool keepCurrent = currentStarted_;
  Stream current = std::move(streams_.front());
  streams_.clear();
  if (keepCurrent) {
    nextWord_ = current.words.size();
    streams_.push_back(std::move(current));
  }
  if (audio_) audio_->Stop();
  Schedule();
}

void WordPacer::Post(std::function<void()> call) {
  posted_.push_back(std::move(call));
  PostMessageW(window_, kRunPostedMessage, 0, 0);
}

// One message per call; a call may end the pacer's owner, and with it the pacer.
void WordPacer::RunPosted() {
  if (posted_.empty()) return;
  const std::function<void()> call = std::move(posted_.front());
  posted_.pop_front();
  call();
}

void WordPacer::Schedule() {
  if (paused_ || streams_.empty() || ticking_) return;
  ticking_ = true;
  SetTimer(window_, kTimerId, currentStarted_ ? config_.msPerWord : USER_TIMER_MINIMUM, nullptr);
}

// One step per tick: a stream's start, then each word, then its end.
void WordPacer::Step() {
  KillTimer(window_, kTimerId);
  ticking_ = false;
  if (paused_ || streams_.empty()) return;
  const std::shared_ptr<bool> alive = alive_;
  Stream& stream = streams_.front();
  if (!currentStarted_) {
    currentStarted_ = true;
    nextWord_ = 0;
    StartAudio(stream);
    // Copies: a callback may purge the queue under the stream it was given.
    callbacks_.started(Stream(stream));
  } else if (nextWord_ < stream.words.size()) {
    const WordSpan word = stream.words[nextWord_++];
    callbacks_.word(Stream(stream), word);
  } else if (!AudioFinished()) {
    ticking_ = true;
    SetTimer(window_, kTimerId, kAudioPollMs, nullptr);
    return;
  } else {
    const Stream ended = std::move(stream);
    streams_.pop_front();
    currentStarted_ = false;
    audio_.reset();
    callbacks_.ended(ended);
  }
  if (*alive) Schedule();
}

// Audio that cannot start (no Wine, no espeak-ng) leaves the stream silent;
// its events still come.
void WordPacer::StartAudio(const Stream& stream) {
  try {
    audio_ = SpokenAudio::Start(config_, stream.utf8Text, stream.voice,
                                wavPrefix_ + L"-" + std::to_wstring(stream.number) + L".wav");
  } catch (const std::exception&) {
    audio_.reset();
  }
}

LRESULT CALLBACK WordPacer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool tick = message == WM_TIMER && wParam == kTimerId;
  if (!tick && message != kRunPostedMessage) return DefWindowProcW(window, message, wParam, lParam);
  auto* pacer = reinterpret_cast<WordPacer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Neither may let an exception into the caller's message loop.
  if (pacer != nullptr) {
    Guarded([pacer, tick] {
      tick ? pacer->Step() : pacer->RunPosted();
      return S_OK;
    });
  }
  return 0;
}
