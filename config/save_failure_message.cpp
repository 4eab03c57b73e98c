// The texts of the save-failure message, all in one place.
#include "save_failure_message.h"

#include <windows.h>

#include <string>

namespace {

const char kCaption[] = "設定の保存エラー";
const char kNothingChanged[] = "設定ファイルは変更前のままです。";

const char* CauseText(SaveFailureCause cause) {
  switch (cause) {
    case SaveFailureCause::kWriteProtected:
      return "フォルダーへの書き込みが許可されていません。"
             "「Program Files」などの保護されたフォルダーにゲームがある場合は、"
             "環境設定ツールを管理者として実行してください。";
    case SaveFailureCause::kDiskFull:
      return "ディスクの空き容量が足りません。空きを作ってから、もう一度お試しください。";
    case SaveFailureCause::kInUse:
      return "ファイルがほかのプログラムで使用中です。そのプログラムを閉じてから、もう一度お試しください。";
    case SaveFailureCause::kOther:
      break;
  }
  return "";
}

// The texts are Shift-JIS whatever the system's code page.
std::wstring FromShiftJis(const std::string& text) {
  const int length = MultiByteToWideChar(932, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], length);
  return wide;
}

}  // namespace

void ShowSaveFailure(const SaveResult& result) {
  std::string text = "「" + result.failedFile + "」を保存できませんでした。\n" + kNothingChanged;
  const std::string cause = CauseText(result.cause);
  if (!cause.empty()) text += "\n\n" + cause;
  MessageBoxW(nullptr, FromShiftJis(text).c_str(), FromShiftJis(kCaption).c_str(), MB_OK | MB_ICONWARNING);
}
