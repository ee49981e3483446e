#pragma once

// Speech API 4 text-to-speech, declared here because the MinGW headers carry
// only SAPI 5. The layouts follow the published SAPI 4.0a binary interface:
// every method is __stdcall, every interface derives directly from IUnknown,
// and the ANSI variants are used throughout (the engines are ANSI programs).
// The static_asserts below pin every structure to the engines' layout.

#include <windows.h>
#include <unknwn.h>

#include <cstddef>

using QWORD = unsigned __int64;

struct SDATA {
  void* pData;
  DWORD dwSize;
};

enum VOICECHARSET { CHARSET_TEXT = 0, CHARSET_IPAPHONETIC = 1, CHARSET_ENGINEPHONETIC = 2 };

inline constexpr int kTtsNameLength = 262;
inline constexpr int kTtsDialectLength = 64;

struct LANGUAGEA {
  LANGID LanguageID;
  char szDialect[kTtsDialectLength];
};

struct TTSMODEINFOA {
  GUID gEngineID;
  char szMfgName[kTtsNameLength];
  char szProductName[kTtsNameLength];
  GUID gModeID;
  char szModeName[kTtsNameLength];
  LANGUAGEA language;
  char szSpeaker[kTtsNameLength];
  char szStyle[kTtsNameLength];
  WORD wGender;
  WORD wAge;
  DWORD dwFeatures;
  DWORD dwInterfaces;
  DWORD dwEngineFeatures;
};

struct TTSMOUTH {
  BYTE bMouthHeight;
  BYTE bMouthWidth;
  BYTE bMouthUpturn;
  BYTE bJawOpen;
  BYTE bTeethUpperVisible;
  BYTE bTeethLowerVisible;
  BYTE bTonguePosn;
  BYTE bLipTension;
};

static_assert(sizeof(SDATA) == 8);
static_assert(offsetof(SDATA, pData) == 0 && offsetof(SDATA, dwSize) == 4);
static_assert(sizeof(VOICECHARSET) == 4);
static_assert(sizeof(QWORD) == 8);
static_assert(sizeof(LANGUAGEA) == 66);
static_assert(offsetof(LANGUAGEA, szDialect) == 2);
static_assert(sizeof(TTSMODEINFOA) == 1424);
static_assert(offsetof(TTSMODEINFOA, gEngineID) == 0);
static_assert(offsetof(TTSMODEINFOA, szMfgName) == 16);
static_assert(offsetof(TTSMODEINFOA, szProductName) == 278);
static_assert(offsetof(TTSMODEINFOA, gModeID) == 540);
static_assert(offsetof(TTSMODEINFOA, szModeName) == 556);
static_assert(offsetof(TTSMODEINFOA, language) == 818);
static_assert(offsetof(TTSMODEINFOA, szSpeaker) == 884);
static_assert(offsetof(TTSMODEINFOA, szStyle) == 1146);
static_assert(offsetof(TTSMODEINFOA, wGender) == 1408);
static_assert(offsetof(TTSMODEINFOA, wAge) == 1410);
static_assert(offsetof(TTSMODEINFOA, dwFeatures) == 1412);
static_assert(offsetof(TTSMODEINFOA, dwInterfaces) == 1416);
static_assert(offsetof(TTSMODEINFOA, dwEngineFeatures) == 1420);
static_assert(sizeof(TTSMOUTH) == 8);
static_assert(offsetof(TTSMOUTH, bLipTension) == 7);

inline constexpr WORD kTtsGenderNeutral = 0;
inline constexpr WORD kTtsGenderFemale = 1;
inline constexpr WORD kTtsGenderMale = 2;

inline constexpr DWORD TTSDATAFLAG_TAGGED = 0x1;
inline constexpr DWORD TTSFEATURE_VOLUME = 0x2;
inline constexpr DWORD TTSFEATURE_SPEED = 0x4;
inline constexpr DWORD TTSFEATURE_PITCH = 0x8;
inline constexpr DWORD TTSFEATURE_TAGGED = 0x10;
inline constexpr DWORD TTSI_ITTSATTRIBUTES = 0x2;
inline constexpr DWORD TTSI_ITTSCENTRAL = 0x4;
inline constexpr DWORD TTSI_ITTSDIALOGS = 0x8;
inline constexpr DWORD TTSBNS_ABORTED = 0x1;
inline constexpr HRESULT TTSERR_NOTPAUSED = static_cast<HRESULT>(0x80040501);
inline constexpr HRESULT TTSERR_ALREADYPAUSED = static_cast<HRESULT>(0x80040502);
inline constexpr HRESULT TTSERR_QUEUEFULL = static_cast<HRESULT>(0x8004020A);
inline constexpr HRESULT TTSERR_INVALIDPARAM = E_INVALIDARG;

// The attribute setters take these as "the engine's lowest" and "the
// engine's highest"; any other value outside the engine's bounds is refused.
inline constexpr WORD TTSATTR_MINPITCH = 0;
inline constexpr WORD TTSATTR_MAXPITCH = 0xFFFF;
inline constexpr DWORD TTSATTR_MINREALTIME = 0;
inline constexpr DWORD TTSATTR_MAXREALTIME = 0xFFFFFFFF;
inline constexpr DWORD TTSATTR_MINSPEED = 0;
inline constexpr DWORD TTSATTR_MAXSPEED = 0xFFFFFFFF;
inline constexpr DWORD TTSATTR_MINVOLUME = 0;
inline constexpr DWORD TTSATTR_MAXVOLUME = 0xFFFFFFFF;

// {D67C0280-C743-11CD-80E5-00AA003E4B50}
inline constexpr CLSID CLSID_TTSEnumerator = {
    0xD67C0280, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
// {CB96B400-C743-11CD-80E5-00AA003E4B50}
inline constexpr CLSID CLSID_MMAudioDest = {
    0xCB96B400, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
// {D4623720-E4B9-11CF-8D56-00A0C9034A7E}; the SDK header's comment shows
// another value, the definition is this one.
inline constexpr CLSID CLSID_AudioDestFile = {
    0xD4623720, 0xE4B9, 0x11CF, {0x8D, 0x56, 0x00, 0xA0, 0xC9, 0x03, 0x4A, 0x7E}};

struct ITTSCentralA;

struct ITTSEnumA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Next(ULONG count, TTSMODEINFOA* modes, ULONG* fetched) = 0;
  virtual HRESULT STDMETHODCALLTYPE Skip(ULONG count) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
  virtual HRESULT STDMETHODCALLTYPE Clone(ITTSEnumA** clone) = 0;
  virtual HRESULT STDMETHODCALLTYPE Select(GUID modeId, ITTSCentralA** central,
                                           IUnknown* audioDestination) = 0;
};

struct ITTSCentralA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Inject(const char* tag) = 0;
  virtual HRESULT STDMETHODCALLTYPE ModeGet(TTSMODEINFOA* mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE Phoneme(VOICECHARSET charset, DWORD flags, SDATA text,
                                            SDATA* phonemes) = 0;
  virtual HRESULT STDMETHODCALLTYPE PosnGet(QWORD* position) = 0;
  virtual HRESULT STDMETHODCALLTYPE TextData(VOICECHARSET charset, DWORD flags, SDATA text,
                                             void* notifySink, IID notifyInterface) = 0;
  virtual HRESULT STDMETHODCALLTYPE ToFileTime(QWORD* position, FILETIME* time) = 0;
  virtual HRESULT STDMETHODCALLTYPE AudioPause() = 0;
  virtual HRESULT STDMETHODCALLTYPE AudioResume() = 0;
  virtual HRESULT STDMETHODCALLTYPE AudioReset() = 0;
  virtual HRESULT STDMETHODCALLTYPE Register(void* notifySink, IID notifyInterface, DWORD* key) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnRegister(DWORD key) = 0;
};

struct ITTSAttributesA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE PitchGet(WORD* pitch) = 0;
  virtual HRESULT STDMETHODCALLTYPE PitchSet(WORD pitch) = 0;
  virtual HRESULT STDMETHODCALLTYPE RealTimeGet(DWORD* realTime) = 0;
  virtual HRESULT STDMETHODCALLTYPE RealTimeSet(DWORD realTime) = 0;
  virtual HRESULT STDMETHODCALLTYPE SpeedGet(DWORD* speed) = 0;
  virtual HRESULT STDMETHODCALLTYPE SpeedSet(DWORD speed) = 0;
  virtual HRESULT STDMETHODCALLTYPE VolumeGet(DWORD* volume) = 0;
  virtual HRESULT STDMETHODCALLTYPE VolumeSet(DWORD volume) = 0;
};

struct ITTSDialogsA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AboutDlg(HWND owner, const char* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE LexiconDlg(HWND owner, const char* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GeneralDlg(HWND owner, const char* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE TranslateDlg(HWND owner, const char* title) = 0;
};

struct ITTSNotifySinkA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AttribChanged(DWORD attribute) = 0;
  virtual HRESULT STDMETHODCALLTYPE AudioStart(QWORD time) = 0;
  virtual HRESULT STDMETHODCALLTYPE AudioStop(QWORD time) = 0;
  virtual HRESULT STDMETHODCALLTYPE Visual(QWORD time, char phoneme, char enginePhoneme,
                                           DWORD hints, TTSMOUTH* mouth) = 0;
};

struct ITTSBufNotifySink : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE TextDataDone(QWORD time, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD time) = 0;
  virtual HRESULT STDMETHODCALLTYPE BookMark(QWORD time, DWORD mark) = 0;
  virtual HRESULT STDMETHODCALLTYPE WordPosition(QWORD time, DWORD byteOffset) = 0;
};

struct IAudio : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Flush() = 0;
  virtual HRESULT STDMETHODCALLTYPE LevelGet(DWORD* level) = 0;
  virtual HRESULT STDMETHODCALLTYPE LevelSet(DWORD level) = 0;
  virtual HRESULT STDMETHODCALLTYPE PassNotify(void* notifySink, IID notifyInterface) = 0;
  virtual HRESULT STDMETHODCALLTYPE PosnGet(QWORD* position) = 0;
  virtual HRESULT STDMETHODCALLTYPE Claim() = 0;
  virtual HRESULT STDMETHODCALLTYPE UnClaim() = 0;
  virtual HRESULT STDMETHODCALLTYPE Start() = 0;
  virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
  virtual HRESULT STDMETHODCALLTYPE TotalGet(QWORD* total) = 0;
  virtual HRESULT STDMETHODCALLTYPE ToFileTime(QWORD* position, FILETIME* time) = 0;
  virtual HRESULT STDMETHODCALLTYPE WaveFormatGet(SDATA* format) = 0;
  virtual HRESULT STDMETHODCALLTYPE WaveFormatSet(SDATA format) = 0;
};

struct IAudioDest : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE FreeSpace(DWORD* bytes, BOOL* eof) = 0;
  virtual HRESULT STDMETHODCALLTYPE DataSet(void* data, DWORD size) = 0;
  virtual HRESULT STDMETHODCALLTYPE BookMark(DWORD mark) = 0;
};

struct IAudioDestNotifySink : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AudioStop(WORD reason) = 0;
  virtual HRESULT STDMETHODCALLTYPE AudioStart() = 0;
  virtual HRESULT STDMETHODCALLTYPE FreeSpace(DWORD bytes, BOOL eof) = 0;
  virtual HRESULT STDMETHODCALLTYPE BookMark(DWORD mark, BOOL flushed) = 0;
};

struct IAudioMultiMediaDevice : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CustomMessage(UINT message, SDATA data) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeviceNumGet(DWORD* device) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeviceNumSet(DWORD device) = 0;
};

struct IAudioFile : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Register(void* notifySink) = 0;
  virtual HRESULT STDMETHODCALLTYPE Set(const wchar_t* fileName, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Add(const wchar_t* fileName, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Flush() = 0;
  virtual HRESULT STDMETHODCALLTYPE RealTimeSet(WORD realTime) = 0;
  virtual HRESULT STDMETHODCALLTYPE RealTimeGet(WORD* realTime) = 0;
};

// The interface identifiers, reachable through __uuidof and so through
// ComPtr::As and IID_PPV_ARGS.
__CRT_UUID_DECL(ITTSEnumA, 0x05EB6C6D, 0xDBAB, 0x11CD, 0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F)
__CRT_UUID_DECL(ITTSCentralA, 0x05EB6C6A, 0xDBAB, 0x11CD, 0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F)
__CRT_UUID_DECL(ITTSAttributesA, 0x0FD6E2A1, 0xE77D, 0x11CD, 0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F)
__CRT_UUID_DECL(ITTSDialogsA, 0x05EB6C6B, 0xDBAB, 0x11CD, 0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F)
__CRT_UUID_DECL(ITTSNotifySinkA, 0x05EB6C6F, 0xDBAB, 0x11CD, 0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F)
__CRT_UUID_DECL(ITTSBufNotifySink, 0xE4963D40, 0xC743, 0x11CD, 0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50)
__CRT_UUID_DECL(IAudio, 0xF546B340, 0xC743, 0x11CD, 0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50)
__CRT_UUID_DECL(IAudioDest, 0x2EC34DA0, 0xC743, 0x11CD, 0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50)
__CRT_UUID_DECL(IAudioDestNotifySink, 0xACB08C00, 0xC743, 0x11CD, 0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50)
__CRT_UUID_DECL(IAudioMultiMediaDevice, 0xB68AD320, 0xC743, 0x11CD, 0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50)
__CRT_UUID_DECL(IAudioFile, 0xFD7C2320, 0x3D6D, 0x11B9, 0xC0, 0x00, 0xFE, 0xD6, 0xCB, 0xA3, 0xB1, 0xA9)
