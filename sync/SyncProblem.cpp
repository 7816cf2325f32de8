#include "sync/SyncProblem.h"

namespace {

SyncProblem ProblemOfFailure(HttpFailure failure) {
  switch (failure) {
    case HttpFailure::kNone:
      return SyncProblem::kNone;
    case HttpFailure::kUnreachable:
      return SyncProblem::kUnreachable;
    case HttpFailure::kCertificate:
      return SyncProblem::kCertificate;
    case HttpFailure::kInsecure:
      return SyncProblem::kInsecure;
    case HttpFailure::kTooLarge:
      return SyncProblem::kTooLarge;
    case HttpFailure::kRedirectElsewhere:
      return SyncProblem::kRedirectElsewhere;
    case HttpFailure::kCancelled:
      return SyncProblem::kCancelled;
  }
  return SyncProblem::kUnreachable;
}

SyncProblem ProblemOfStatus(int status) {
  if (status >= 200 && status < 300) return SyncProblem::kNone;
  switch (status) {
    case 401:
      return SyncProblem::kAuthentication;
    case 403:
      return SyncProblem::kForbidden;
    case 404:
    case 410:
      return SyncProblem::kNotFound;
    case 409:
      return SyncProblem::kConflict;
    case 413:
      return SyncProblem::kRequestTooLarge;
    default:
      return status >= 500 && status < 600 ? SyncProblem::kServerError : SyncProblem::kUnexpectedStatus;
  }
}

}  // namespace

SyncProblemInfo ProblemOfResponse(const HttpResponse& response) {
  SyncProblemInfo info;
  if (response.failure != HttpFailure::kNone) {
    info.problem = ProblemOfFailure(response.failure);
    return info;
  }
  info.problem = ProblemOfStatus(response.status);
  if (info.Failed()) info.status = response.status;
  return info;
}

bool EndsTheRun(const SyncProblemInfo& info) {
  switch (info.problem) {
    case SyncProblem::kUnreachable:
    case SyncProblem::kCertificate:
    case SyncProblem::kInsecure:
    case SyncProblem::kRedirectElsewhere:
    case SyncProblem::kCancelled:
    case SyncProblem::kAuthentication:
      return true;
    case SyncProblem::kServerError:
      return info.status != 501;
    default:
      return false;
  }
}

std::string DescribeSyncProblem(const SyncProblemInfo& info) {
  // UTF-8 literals: narrow literals of this project are cp932.
  std::string text;
  switch (info.problem) {
    case SyncProblem::kNone:
      text = u8"接続できました";
      break;
    case SyncProblem::kUnreachable:
      text = u8"サーバーに接続できません";
      break;
    case SyncProblem::kCertificate:
      text = u8"証明書エラー";
      break;
    case SyncProblem::kInsecure:
      text = u8"暗号化されていない接続 (http) はこのPCのサーバーにだけ使えます";
      break;
    case SyncProblem::kRedirectElsewhere:
      text = u8"別のサーバーへ転送されたため、接続しませんでした";
      break;
    case SyncProblem::kTooLarge:
      text = u8"サーバーの応答が大きすぎます";
      break;
    case SyncProblem::kCancelled:
      text = u8"同期を中止しました";
      break;
    case SyncProblem::kAuthentication:
      text = u8"認証エラー";
      break;
    case SyncProblem::kForbidden:
      text = u8"アクセスが許可されていません";
      break;
    case SyncProblem::kNotFound:
      text = u8"カレンダーが見つかりません";
      break;
    case SyncProblem::kConflict:
      text = u8"サーバーが変更を受け付けませんでした (競合)";
      break;
    case SyncProblem::kRequestTooLarge:
      text = u8"サーバーが大きすぎる予定を受け付けませんでした";
      break;
    case SyncProblem::kServerError:
      text = u8"サーバーのエラー";
      break;
    case SyncProblem::kUnexpectedStatus:
      text = u8"サーバーの予期しない応答";
      break;
    case SyncProblem::kMalformedReply:
      text = u8"サーバーの応答を読めません";
      break;
    case SyncProblem::kNotCalendar:
      text = u8"予定のカレンダーではありません";
      break;
    case SyncProblem::kNoAddress:
      text = u8"アドレスは http:// か https:// で始めてください";
      break;
    case SyncProblem::kStateUnreadable:
      text = u8"前回の同期の記録を読めません";
      break;
    case SyncProblem::kStateUnwritten:
      text = u8"同期の記録を書けませんでした";
      break;
    case SyncProblem::kBookUnreadable:
      text = u8"予定表のデータフォルダーを読めません";
      break;
    case SyncProblem::kIdentityUnreadable:
      text = u8"予定表の識別ファイルを読めません";
      break;
    case SyncProblem::kCalendarEmptied:
      text = u8"カレンダーが空になっています。予定表は変更せず、同期を止めました";
      break;
    case SyncProblem::kCalendarReplaced:
      text = u8"同じアドレスに別のカレンダーがあります。予定表は変更せず、同期を止めました";
      break;
  }
  if (info.status != 0) text += " (HTTP " + std::to_string(info.status) + ")";
  if (!info.detail.empty()) text += u8": " + info.detail;
  return text;
}
