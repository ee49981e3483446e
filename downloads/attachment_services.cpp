#include "downloads/attachment_services.h"

#include <windows.h>

#include <shobjidl.h>
#include <wrl/client.h>

#include "base/com_apartment.h"

namespace {

// Tells the services which program's downloads these are, so that a user's
// choices about them are kept apart from other programs'.
// {5B0E8C5A-3D47-4F6A-9C1E-7A2F4B8D6E13}
constexpr GUID kDownloadsClient = {
    0x5b0e8c5a, 0x3d47, 0x4f6a, {0x9c, 0x1e, 0x7a, 0x2f, 0x4b, 0x8d, 0x6e, 0x13}};

}  // namespace

bool SaveAsDownload(const std::wstring& path, const std::wstring& source) {
  const ComApartment com;
  Microsoft::WRL::ComPtr<IAttachmentExecute> attachment;
  if (FAILED(CoCreateInstance(CLSID_AttachmentServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&attachment)))) {
    return true;
  }
  return SUCCEEDED(attachment->SetClientGuid(kDownloadsClient)) &&
         SUCCEEDED(attachment->SetLocalPath(path.c_str())) &&
         SUCCEEDED(attachment->SetSource(source.c_str())) && SUCCEEDED(attachment->Save()) &&
         GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
