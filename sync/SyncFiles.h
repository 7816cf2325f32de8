#pragma once
// The sync's own small files: read whole within a bound, written as a month
// file is (a temporary file in a saving folder, then put in place).
#include <cstdint>
#include <functional>
#include <string>

class IFileSystem;

enum class SmallFileRead { kRead, kAbsent, kUnreadable };

// A file another program holds for a moment is tried again; one beyond
// limit bytes is kUnreadable.
SmallFileRead ReadSmallFile(IFileSystem& files, const std::string& path, size_t limit, std::string& bytes);

// Where WriteFileThrough keeps the copy it writes before putting it in
// place: the one whole copy left when a rewrite in place was cut short.
std::string SavingCopyPath(const std::string& path);

// Each line of the text, without its line end (LF or CR LF); each returns
// false to stop, and then so does this.
bool ForEachLine(const std::string& text, const std::function<bool(const std::string& line)>& each);

// 16 lower-case hex digits, and back; and whether a text is lower-case hex only.
std::string FormatHex64(uint64_t value);
bool ParseHex64(const std::string& text, uint64_t& value);
bool IsLowerHex(const std::string& text);

// A field of a line of such a file: every byte that is no printable ASCII,
// "%" and the space as %XX; "-" for an empty value.
std::string EscapeField(const std::string& value);
bool UnescapeField(const std::string& field, std::string& value);
