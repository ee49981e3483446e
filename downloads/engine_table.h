#pragma once
// The speech engines the download window offers, in the order it lists them:
// what the list shows of each, and where its installer comes from and goes.
// The installers are programs published by others; every one is an ".exe"
// that the window runs once it has arrived.

#include <array>
#include <string>

struct EngineRow {
  const wchar_t* voices;  // the list's "Voices" column
  const wchar_t* size;    // the list's "Size" column, until the file is found installed
  const wchar_t* fileName;
  // The folder on the server, with slashes on both ends, holding fileName.
  const wchar_t* serverFolder;
};

inline constexpr wchar_t kArchiveAudioTools[] =
    L"/pub/new/graphics_and_multimedia/audio/audio_tools/";
inline constexpr wchar_t kAgentEngines[] = L"/activex/controls/agent2/";

inline constexpr std::array<EngineRow, 12> kEngineTable{{
    {L"Mary, Mike, Sam", L"7.3 MB", L"msttsl.exe", kArchiveAudioTools},
    {L"American English", L"0.99 MB", L"tv_enua.exe", kAgentEngines},
    {L"British English", L"2.54 MB", L"lhttseng.exe", kAgentEngines},
    {L"French", L"2.24 MB", L"lhttsfrf.exe", kAgentEngines},
    {L"Spanish", L"2.36 MB", L"lhttsspe.exe", kAgentEngines},
    {L"German", L"2.18 MB", L"lhttsged.exe", kAgentEngines},
    {L"Italian", L"1.97 MB", L"lhttsiti.exe", kAgentEngines},
    {L"Dutch", L"2.58 MB", L"lhttsdun.exe", kAgentEngines},
    {L"Portuguese", L"2.39 MB", L"lhttsptb.exe", kAgentEngines},
    {L"Japanese", L"3.00 MB", L"lhttsjpj.exe", kAgentEngines},
    {L"Korean", L"3.03 MB", L"lhttskok.exe", kAgentEngines},
    {L"Russian", L"2.85 MB", L"lhttsrur.exe", kAgentEngines},
}};

// The installer's path on the download server, to follow the server's address.
inline std::wstring EngineDownloadPath(const EngineRow& engine) {
  return std::wstring(engine.serverFolder) + engine.fileName;
}
