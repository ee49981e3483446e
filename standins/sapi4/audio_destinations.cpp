#include "standins/sapi4/audio_destinations.h"

#include "speech/sapi4.h"
#include "standins/common/com_server.h"
#include "standins/common/standin_log.h"

namespace {

// IAudio and IAudioDest as both destinations answer them. The engine hands
// its notification sink through PassNotify; a stand-in destination has no
// device to report on, so it does not keep it.
template <class Specific>
class AudioDestination : public ComObject<Specific, IAudio, IAudioDest> {
 public:
  explicit AudioDestination(const char* kind) { log_.Call("Create", std::string(kind)); }
  ~AudioDestination() override { log_.Call("Release", 0); }

  // IAudio
  HRESULT STDMETHODCALLTYPE Flush() override {
    log_.Call("Flush");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LevelGet(DWORD* level) override {
    if (level == nullptr) return E_POINTER;
    *level = level_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LevelSet(DWORD level) override {
    log_.Call("LevelSet", level);
    level_ = level;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PassNotify(void*, IID notifyInterface) override {
    log_.Call("PassNotify", notifyInterface);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PosnGet(QWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Claim() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UnClaim() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Start() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Stop() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TotalGet(QWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ToFileTime(QWORD*, FILETIME*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WaveFormatGet(SDATA*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WaveFormatSet(SDATA) override { return E_NOTIMPL; }

  // IAudioDest
  HRESULT STDMETHODCALLTYPE FreeSpace(DWORD*, BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DataSet(void*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BookMark(DWORD) override { return E_NOTIMPL; }

 protected:
  StandinLog log_{"sapi4"};

 private:
  DWORD level_ = 0xFFFFFFFF;
};

class MultiMediaDestination : public AudioDestination<IAudioMultiMediaDevice> {
 public:
  MultiMediaDestination() : AudioDestination("MultiMediaDevice") {}

  HRESULT STDMETHODCALLTYPE CustomMessage(UINT, SDATA) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeviceNumGet(DWORD* device) override {
    if (device == nullptr) return E_POINTER;
    *device = device_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DeviceNumSet(DWORD device) override {
    log_.Call("DeviceNumSet", device);
    device_ = device;
    return S_OK;
  }

 private:
  DWORD device_ = WAVE_MAPPER;
};

// Set succeeds when the file can be created, as a real file destination
// would open it.
class FileDestination : public AudioDestination<IAudioFile> {
 public:
  FileDestination() : AudioDestination("File") {}

  HRESULT STDMETHODCALLTYPE Register(void*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Set(const wchar_t* fileName, DWORD flags) override {
    const std::wstring name = fileName != nullptr ? fileName : L"";
    log_.Call("Set", name, flags);
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    CloseHandle(file);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Add(const wchar_t*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RealTimeSet(WORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RealTimeGet(WORD*) override { return E_NOTIMPL; }
};

}  // namespace

HRESULT CreateMultiMediaDestination(REFIID iid, void** object) {
  return CreateAndQuery<MultiMediaDestination>(iid, object);
}

HRESULT CreateFileDestination(REFIID iid, void** object) { return CreateAndQuery<FileDestination>(iid, object); }
