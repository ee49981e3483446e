#pragma once
// The one request that the test buttons of several options pages share.

#include <string>

class TestTextSpeaker {
 public:
  // The default voice says the text at once, whatever it was saying.
  virtual void SpeakTestText(const std::wstring& text) = 0;

 protected:
  ~TestTextSpeaker() = default;
};
