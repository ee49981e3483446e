#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

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
  for (size_t i = 0; i < size; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes.at(at + i))) << (8 * i);
  return value;
}

// Reads a RIFF WAVE file chunk by chunk; only 16-bit PCM is of interest.
bool ParseWav(const std::string& bytes, WavSound& sound) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
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

std::vector<std::wstring> WavFilesIn(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*.wav").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + L"\\" + found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// The one WAV file in `folder` holds "Hello from Tolvane": a PCM header and
// a body of plausible length that is not silent.
void ExpectSpokenGreeting(const std::wstring& folder) {
  const std::vector<std::wstring> wavs = WavFilesIn(folder);
  ASSERT_EQ(wavs.size(), 1u);
  std::ifstream file(wavs[0].c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
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

std::string WavConfig(const StandinFiles& files) {
  return "sapi4.engine = Mary | Mary | 50..250 | 60..200\naudio = wav:" +
         speech_test::Utf8(files.Path()) + "\n";
}

// Speech really comes out of the stand-ins: espeak-ng, started from inside
// Wine, writes each stream into a WAV file before the stream ends.
TEST(StandinAudioTest, TheSapi5VoiceSpeaksIntoAWavFile) {
  StandinFiles files;
  files.WriteConfig(WavConfig(files));
  TSpVoice voice;
  bool ended = false;
  voice.OnEndStream = [&](long, const VARIANT&) { ended = true; };
  voice.Speak(L"Hello from Tolvane", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return ended; }, 30s));
  ExpectSpokenGreeting(files.Path());
}

TEST(StandinAudioTest, TheSapi4EngineSpeaksIntoAWavFile) {
  StandinFiles files;
  files.WriteConfig(WavConfig(files));
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
