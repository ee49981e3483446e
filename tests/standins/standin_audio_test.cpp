#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "speech/ms_speech.h"
#include "speech/sp_voice.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::StandinFiles;

struct WavSound {
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint16_t bitsPerSample = 0;
  std::vector<int16_t> samples;
};

uint32_t ReadLittleEndian(const std::string& bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i)
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes.at(at + i))) << (8 * i);
  return value;
}

// Reads a RIFF WAVE file chunk by chunk; only 16-bit PCM is of interest.
bool ParseWav(const std::string& bytes, WavSound& sound) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    return false;
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const uint32_t size = ReadLittleEndian(bytes, at + 4, 4);
    const size_t body = at + 8;
    if (id == "fmt ") {
      haveFormat = ReadLittleEndian(bytes, body, 2) == 1;  // PCM
      sound.channels = static_cast<uint16_t>(ReadLittleEndian(bytes, body + 2, 2));
      sound.sampleRate = ReadLittleEndian(bytes, body + 4, 4);
      sound.bitsPerSample = static_cast<uint16_t>(ReadLittleEndian(bytes, body + 14, 2));
    } else if (id == "data" && haveFormat && sound.bitsPerSample == 16) {
      const size_t available = std::min<size_t>(size, bytes.size() - body);
      sound.samples.resize(available / 2);
      std::memcpy(sound.samples.data(), bytes.data() + body, sound.samples.size() * 2);
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

std::vector<std::filesystem::path> WavFilesIn(const std::wstring& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (file.path().extension() == L".wav") files.push_back(file.path());
  }
  return files;
}

// The one WAV file in `folder` holds "Hello from Tolvane": a PCM header and
// a body of plausible length that is not silent. It is removed then, so that
// the next stream's file is the only one again.
void ExpectSpokenGreeting(const std::wstring& folder) {
  const std::vector<std::filesystem::path> wavs = WavFilesIn(folder);
  ASSERT_EQ(wavs.size(), 1u);
  const std::string bytes = ReadTextFile(wavs[0].wstring());
  std::filesystem::remove(wavs[0]);
  WavSound sound;
  ASSERT_TRUE(ParseWav(bytes, sound)) << "not a 16-bit PCM WAV file";
  ASSERT_EQ(sound.channels, 1u);
  ASSERT_GT(sound.sampleRate, 0u);
  const double seconds = static_cast<double>(sound.samples.size()) / sound.sampleRate;
  EXPECT_GT(seconds, 0.5) << "too short for three words";
  EXPECT_LT(seconds, 5.0) << "too long for three words";
  int peak = 0;
  for (int16_t sample : sound.samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  EXPECT_GT(peak, 1000) << "the body is silent";
}

// Speech really comes out of the stand-ins: espeak-ng, started from inside
// Wine, writes each stream into a WAV file before the stream ends.
TEST(StandinAudioTest, TheSapi5VoiceAndTheSapi4EngineSpeakIntoWavFiles) {
  StandinFiles files;
  files.WriteConfig("sapi4.engine = Mary | Mary | 50..250 | 60..200\naudio = wav:" +
                    speech_test::Utf8(files.Path()) + "\n");
  TSpVoice voice;
  bool ended = false;
  voice.OnEndStream = [&](long, const VARIANT&) { ended = true; };
  voice.Speak(L"Hello from Tolvane", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return ended; }, 30s));
  ExpectSpokenGreeting(files.Path());

  TMSpeech speech;
  speech.SelectEngine("Mary");
  bool stopped = false;
  speech.OnStop = [&](IUnknown*) { stopped = true; };
  speech.Text = {"Hello from Tolvane"};
  speech.SpeakText();
  ASSERT_TRUE(PumpUntil([&] { return stopped; }, 30s));
  ExpectSpokenGreeting(files.Path());
}

}  // namespace
