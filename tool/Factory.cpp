// The library's only export: the host creates the tool through it.
#include <memory>

#include "tool/ToolBase.h"
#include "ui/ScheduleDialog.h"

namespace {

const char* const kRevisionHistory[] = {
    "[2006.01.01 Plannix Ver.0001.000] 初版リリース",
    "[2006.02.11 Plannix Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
    "[2006.02.20 Plannix Ver.0001.021] 旧ﾊﾞｰｼﾞｮﾝのﾃﾞｰﾀ検索の不具合改修",
    "[2010.02.25 Plannix Ver.0001.022] Quirelle Ver.6.1対応",
};

}  // namespace

// A tool that cannot be made, for want of memory or anything else the
// library throws, is a null pointer: nothing thrown reaches the host.
extern "C" __declspec(dllexport) CToolBase* NewQuirelleTool(CWnd* hostWnd, CToolHost* host) try {
  // Every operation asks the host: a tool without one could only crash later.
  if (host == nullptr) return nullptr;
  auto tool = std::make_unique<CScheduleDialog>(hostWnd);
  tool->m_pHost = host;
  for (const char* line : kRevisionHistory) tool->m_revisionHistory.SetAtGrow(tool->m_revisionHistory.GetSize(), line);
  return tool.release();
} catch (...) {
  return nullptr;
}
