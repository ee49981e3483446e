#include "reading/integrity_level.h"

#include <optional>
#include <vector>

#include "base/kernel_handle.h"

namespace {

// The mandatory level of a process's token (its label's last RID), or
// nothing when the token cannot be read or carries no label.
std::optional<DWORD> IntegrityLevelOf(HANDLE process) {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &opened)) return std::nullopt;
  const OwnedHandle token(opened);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
  if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
    return std::nullopt;
  }
  PSID label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
  if (label == nullptr || !IsValidSid(label)) return std::nullopt;
  const UCHAR count = *GetSidSubAuthorityCount(label);
  if (count == 0) return std::nullopt;
  return *GetSidSubAuthority(label, count - 1);
}

}  // namespace

bool RunsAtHigherIntegrity(HWND window) {
  const std::optional<DWORD> ours = IntegrityLevelOf(GetCurrentProcess());
  if (!ours || window == nullptr) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (process == nullptr) return true;
  const std::optional<DWORD> theirs = IntegrityLevelOf(process.get());
  return !theirs || *theirs > *ours;
}
