#pragma once
// The account's password, kept by the Windows Credential Manager and
// nowhere else: never in a file, a setting, a log or a message.
#include <string>

// The name the password is kept under: one per server (the origin of the
// address) and user, so that two accounts never share one and another
// calendar of the same account needs none of its own.
std::wstring CredentialTarget(const std::string& address, const std::string& user);

// True when written.
bool StorePassword(const std::wstring& target, const std::string& user, const std::wstring& password);
// False when there is none (or it cannot be read); password is then empty.
bool ReadPassword(const std::wstring& target, std::wstring& password);
// True when it is gone (or was never there).
bool ForgetPassword(const std::wstring& target);

// Overwrites a password held in memory before it is let go.
void WipePassword(std::wstring& password);
