#include "sync/win/CredentialStore.h"

#include "sync/win/WinHttpTransport.h"
#include "win/Text.h"
#include "win/WinHeaders.h"

#include <wincred.h>

namespace {

constexpr wchar_t kTargetPrefix[] = L"Plannix calendar sync: ";

}  // namespace

std::wstring CredentialTarget(const std::string& address, const std::string& user) {
  return kTargetPrefix + WidenUtf8(user) + L" at " + WidenUtf8(UrlOrigin(address));
}

bool StorePassword(const std::wstring& target, const std::string& user, const std::wstring& password) {
  std::wstring userName = WidenUtf8(user);
  CREDENTIALW credential = {};
  credential.Type = CRED_TYPE_GENERIC;
  credential.TargetName = const_cast<wchar_t*>(target.c_str());
  credential.UserName = const_cast<wchar_t*>(userName.c_str());
  credential.CredentialBlobSize = static_cast<DWORD>(password.size() * sizeof(wchar_t));
  credential.CredentialBlob = reinterpret_cast<BYTE*>(const_cast<wchar_t*>(password.data()));
  // Kept for this user on this PC, not carried along with a roaming profile.
  credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
  return CredWriteW(&credential, 0) != FALSE;
}

bool ReadPassword(const std::wstring& target, std::wstring& password) {
  WipePassword(password);
  PCREDENTIALW credential = nullptr;
  if (!CredReadW(target.c_str(), CRED_TYPE_GENERIC, 0, &credential)) return false;
  BYTE* blob = credential->CredentialBlob;
  const DWORD size = credential->CredentialBlobSize;
  // Another program's entry of that name may hold anything: only whole UTF-16 is a password.
  const bool whole = blob != nullptr && size % sizeof(wchar_t) == 0;
  if (whole) password.assign(reinterpret_cast<const wchar_t*>(blob), size / sizeof(wchar_t));
  if (blob != nullptr) SecureZeroMemory(blob, size);
  CredFree(credential);
  return whole;
}

bool ForgetPassword(const std::wstring& target) {
  return CredDeleteW(target.c_str(), CRED_TYPE_GENERIC, 0) != FALSE || GetLastError() == ERROR_NOT_FOUND;
}

void WipePassword(std::wstring& password) {
  if (!password.empty()) SecureZeroMemory(&password[0], password.size() * sizeof(wchar_t));
  password.clear();
}
