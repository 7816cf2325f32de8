// The DLL as a host sees it: one export, the tool object's fields and its
// operations before any window exists, and the file-search library.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "host/core/HostServices.h"
#include "host/core/MemorySettingsStore.h"
#include "sifter/FileSifter.h"
#include "tests/windows/PluginLoader.h"
#include "tests/windows/ToolHarness.h"

namespace {

std::vector<std::string> ExportedNames(HMODULE module) {
  auto* base = reinterpret_cast<const BYTE*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> result;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) result.emplace_back(reinterpret_cast<const char*>(base + names[i]));
  result.push_back("functions=" + std::to_string(exports->NumberOfFunctions));
  return result;
}

// A data folder of the test's own: a window created here saves into it when
// it is destroyed.
std::string MakeDataDirectory() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"plannix-boundary-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\Plannix").c_str(), nullptr);
  return std::string(folder.begin(), folder.end());
}

class ToolBoundaryTest : public ::testing::Test {
 protected:
  ~ToolBoundaryTest() override {
    RemoveFolderTree(std::wstring(m_dataDirectory.begin(), m_dataDirectory.end()));
  }

  void SetUp() override {
    ASSERT_NE(nullptr, m_loader.Module()) << "Plannix.dll not loaded";
    ASSERT_NE(nullptr, m_loader.Factory());
    m_tool = m_loader.Factory()(&m_hostWnd, &m_host);
    ASSERT_NE(nullptr, m_tool);
  }
  void TearDown() override { delete m_tool; }

  CPluginLoader m_loader;
  CWnd m_hostWnd;
  CMemorySettingsStore m_settings;
  std::string m_dataDirectory = MakeDataDirectory();
  CHostServices m_host{m_settings, m_dataDirectory};
  CToolBase* m_tool = nullptr;
};

TEST_F(ToolBoundaryTest, ExportsOnlyTheFactoryByItsPlainName) {
  std::vector<std::string> expected = {"NewQuirelleTool", "functions=1"};
  EXPECT_EQ(expected, ExportedNames(m_loader.Module()));
}

TEST_F(ToolBoundaryTest, FactoryFillsTheFieldsTheHostReads) {
  EXPECT_EQ(&m_host, m_tool->m_pHost);
  EXPECT_EQ(&m_hostWnd, m_tool->m_pHostWnd);
  EXPECT_EQ(17, m_tool->m_toolId);
  EXPECT_STREQ("Plannix", m_tool->m_toolName);
  EXPECT_EQ(1, m_tool->m_toolFlag);
  EXPECT_EQ(528, m_tool->m_toolValue);
  EXPECT_EQ(0, m_tool->m_modalActive.load());
  EXPECT_EQ(nullptr, m_tool->m_hWnd);

  BITMAP image = {};
  ASSERT_NE(nullptr, m_tool->m_hToolImage);
  ASSERT_NE(0, GetObjectW(m_tool->m_hToolImage, sizeof image, &image));
  EXPECT_EQ(32, image.bmWidth);
  EXPECT_EQ(32, image.bmHeight);
  ASSERT_NE(nullptr, m_tool->m_hToolImage16);
  ASSERT_NE(0, GetObjectW(m_tool->m_hToolImage16, sizeof image, &image));
  EXPECT_EQ(32, image.bmWidth);

  EXPECT_EQ(nullptr, m_loader.Factory()(&m_hostWnd, nullptr));
}

TEST_F(ToolBoundaryTest, RevisionHistoryHoldsTheFourLinesByteForByte) {
  const char* const expected[] = {
      "[2006.01.01 Plannix Ver.0001.000] 初版リリース",
      "[2006.02.11 Plannix Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
      "[2006.02.20 Plannix Ver.0001.021] 旧ﾊﾞｰｼﾞｮﾝのﾃﾞｰﾀ検索の不具合改修",
      "[2010.02.25 Plannix Ver.0001.022] Quirelle Ver.6.1対応",
  };
  ASSERT_EQ(4, m_tool->m_revisionHistory.GetSize());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(std::string(expected[i]), m_tool->m_revisionHistory[i].str()) << i;
  // 初 is 0x8F 0x89 in cp932: the literal reached the binary as cp932.
  EXPECT_EQ(std::string("\x8F\x89", 2), m_tool->m_revisionHistory[0].str().substr(34, 2));
}

TEST_F(ToolBoundaryTest, TitleAndTemplateBeforeAnyInitialize) {
  EXPECT_STREQ("\x83\x58\x83\x50\x83\x57\x83\x85\x81\x5B\x83\x8B", m_tool->GetTitle());
  EXPECT_EQ(129u, m_tool->GetTemplateId());
}

TEST_F(ToolBoundaryTest, SaveStateBeforeAnyMonthWritesNothingAndAsksNothing) {
  EXPECT_EQ(1, m_tool->SaveState());
  std::wstring pattern = std::wstring(m_dataDirectory.begin(), m_dataDirectory.end()) + L"\\Plannix\\*.dat";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "a month file was written";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  EXPECT_EQ(0, m_tool->m_modalActive.load());
}

TEST_F(ToolBoundaryTest, CreateFromTemplateUsesTheLowSixteenBits) {
  ASSERT_TRUE(m_tool->CreateFromTemplate(0x50000u + 129u, nullptr));
  ASSERT_NE(nullptr, m_tool->m_hWnd);
  EXPECT_FALSE(IsWindowVisible(m_tool->m_hWnd));
  DestroyWindow(m_tool->m_hWnd);
}

TEST_F(ToolBoundaryTest, SearchWithoutRequestAnswersTheHostsQueries) {
  EXPECT_EQ(2, m_tool->Search(nullptr, ""));
  intptr_t picker = m_tool->Search(nullptr, "CSealDialog");
  EXPECT_NE(0, picker);
  auto* tool = reinterpret_cast<const char*>(m_tool);
  auto* pickerAddress = reinterpret_cast<const char*>(picker);
  EXPECT_GT(pickerAddress, tool);
  EXPECT_LT(pickerAddress, tool + 0x10000) << "the picker is a member of the tool object";
}

TEST(FileSifterTest, ListsTheVisibleFilesOfAFolderInAStableOrder) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"plannix-sifter-test\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"sub").c_str(), nullptr);
  const wchar_t* names[] = {L"schedule2010_03.dat", L"a.txt", L"schedule2009_12.dat", L"schedule2010_03.da~",
                            L"desktop.ini"};
  for (const wchar_t* name : names) std::ofstream(std::wstring(folder + name).c_str()) << "QL3\n";
  // A temporary month file while it is saved, and a file of the system's.
  SetFileAttributesW((folder + names[3]).c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW((folder + names[4]).c_str(), FILE_ATTRIBUTE_SYSTEM);

  std::string narrowFolder(folder.begin(), folder.end());
  std::vector<std::string> listed;
  {
    CFileSifter sifter(narrowFolder.c_str(), 0);
    CStringArray* files = sifter.GetFileList();
    ASSERT_NE(nullptr, files);
    for (int i = 0; i < files->GetSize(); ++i) listed.push_back(files->GetAt(i).str());
  }
  std::vector<std::string> expected = {"a.txt", "schedule2009_12.dat", "schedule2010_03.dat"};
  EXPECT_EQ(expected, listed);

  for (const wchar_t* name : names) {
    SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW((folder + name).c_str());
  }
  RemoveDirectoryW((folder + L"sub").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
