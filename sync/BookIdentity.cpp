#include "sync/BookIdentity.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <set>

#include "data/ConflictCopies.h"
#include "data/FileSystem.h"
#include "data/MonthFileWriter.h"
#include "data/RecoveredFolder.h"
#include "sync/CalendarText.h"
#include "sync/SyncFiles.h"

namespace {

constexpr const char* kHeader = "plannix-book 1";
constexpr const char* kFileStem = "book";
constexpr const char* kFileExtension = ".txt";
constexpr size_t kIdLength = 32;
constexpr size_t kLargestIdentity = 64 * 1024;

bool IsId(const std::string& text) { return text.size() == kIdLength && IsLowerHex(text); }

std::string NewId(const std::string& entropy) {
  std::random_device device;
  std::string chance = entropy;
  for (int i = 0; i < 8; ++i) chance += std::to_string(device());
  chance += std::to_string(std::chrono::system_clock::now().time_since_epoch().count());
  chance += std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  const uint64_t high = HashBytes(chance, HashBytes("high"));
  const uint64_t low = HashBytes(chance, HashBytes("low") ^ high);
  return FormatHex64(high) + FormatHex64(low);
}

enum class Read { kRead, kAbsent, kUnreadable };

Read ReadIdentityFile(IFileSystem& files, const std::string& path, BookIdentity& identity) {
  std::string bytes;
  switch (ReadSmallFile(files, path, kLargestIdentity, bytes)) {
    case SmallFileRead::kAbsent:
      return Read::kAbsent;
    case SmallFileRead::kUnreadable:
      return Read::kUnreadable;
    case SmallFileRead::kRead:
      break;
  }
  return ParseBookIdentity(bytes, identity) ? Read::kRead : Read::kUnreadable;
}

// Made whole in the saving folder, then moved to its name, which must be
// free: of two hosts that make it at once, one keeps its own.
bool CreateIdentityFile(IFileSystem& files, const std::string& path, const BookIdentity& identity) {
  const std::string temporary = SavingCopyPath(path);
  if (temporary.empty()) return false;
  files.MakeFolder(temporary.substr(0, temporary.find_last_of('/')).c_str(), true);
  files.Remove(temporary.c_str());
  FileCreateOutcome created = FileCreateOutcome::kFailed;
  std::unique_ptr<IFile> file = files.CreateNew(temporary.c_str(), created);
  if (!file) return false;
  const std::string text = FormatBookIdentity(identity);
  const bool written = file->Write(text.data(), text.size()) && file->FlushAndClose();
  file.reset();
  const bool moved = written && files.Move(temporary.c_str(), path.c_str());
  if (!moved) files.Remove(temporary.c_str());
  return moved;
}

}  // namespace

std::string FormatBookIdentity(const BookIdentity& identity) {
  std::string text = std::string(kHeader) + "\nid " + identity.id + "\n";
  for (const std::string& retired : identity.retired) text += "retired " + retired + "\n";
  return text;
}

bool ParseBookIdentity(const std::string& text, BookIdentity& identity) {
  identity = BookIdentity();
  bool first = true;
  const bool whole = ForEachLine(text, [&](const std::string& line) {
    if (first) {
      first = false;
      return line == kHeader;
    }
    if (line.compare(0, 3, "id ") == 0 && IsId(line.substr(3)) && identity.id.empty()) {
      identity.id = line.substr(3);
    } else if (line.compare(0, 8, "retired ") == 0 && IsId(line.substr(8))) {
      identity.retired.push_back(line.substr(8));
    } else if (!line.empty()) {
      return false;
    }
    return true;
  });
  return whole && !identity.id.empty();
}

BookIdentity JoinBookIdentities(const BookIdentity& a, const BookIdentity& b) {
  std::set<std::string> all(a.retired.begin(), a.retired.end());
  all.insert(b.retired.begin(), b.retired.end());
  all.insert(a.id);
  all.insert(b.id);
  all.erase(std::string());
  BookIdentity joined;
  if (all.empty()) return joined;
  joined.id = *all.begin();
  joined.retired.assign(std::next(all.begin()), all.end());
  return joined;
}

IdentityLoad LoadBookIdentity(IFileSystem& files, const std::string& folder, const std::string& entropy,
                              BookIdentity& identity) {
  const std::string syncFolder = folder + "/" + kSyncFolderName;
  const std::string path = syncFolder + "/" + kFileStem + kFileExtension;
  identity = BookIdentity();
  Read read = ReadIdentityFile(files, path, identity);
  if (read == Read::kUnreadable) return IdentityLoad::kUnreadable;
  IdentityLoad load = IdentityLoad::kRead;
  if (read == Read::kAbsent) {
    files.MakeFolder(syncFolder.c_str(), false);
    BookIdentity made;
    made.id = NewId(entropy);
    if (CreateIdentityFile(files, path, made)) {
      identity = made;
      load = IdentityLoad::kMade;
    } else if (ReadIdentityFile(files, path, identity) != Read::kRead) {
      // Another host made it meanwhile and it cannot be read yet, or nothing can be written here.
      return IdentityLoad::kUnreadable;
    }
  }
  // The copies that two PCs making it at once left: the smallest name wins on every PC.
  std::vector<std::string> names;
  if (!files.ListFolder(syncFolder.c_str(), names)) return load;
  BookIdentity joined = identity;
  std::vector<std::string> folded;
  for (const std::string& name : names) {
    if (!IsConflictCopyOf(name, kFileStem, kFileExtension)) continue;
    BookIdentity copy;
    if (ReadIdentityFile(files, syncFolder + "/" + name, copy) != Read::kRead) continue;
    joined = JoinBookIdentities(joined, copy);
    folded.push_back(name);
  }
  if (folded.empty()) return load;
  if (FormatBookIdentity(joined) != FormatBookIdentity(identity) &&
      WriteFileThrough(files, path.c_str(), FormatBookIdentity(joined)) == MonthWriteOutcome::kFailed) {
    return load;  // the copies stay, to be folded next time
  }
  identity = joined;
  const std::string besideMonths = folder + "/" + kFileStem + kFileExtension;
  for (const std::string& name : folded) {
    const std::string copyPath = syncFolder + "/" + name;
    std::string kept;
    KeepInRecovered(
        files, besideMonths.c_str(), name.c_str(),
        [&](const char* target) { return files.Move(copyPath.c_str(), target); }, kept);
  }
  return load;
}
