// The texts of the save-failure message, all in one place.
#include "save_failure_message.h"

#include <windows.h>

#include <string>

#include "shift_jis.h"

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

}  // namespace

void ShowSaveFailure(const SaveResult& result) {
  std::string text = "「" + result.failedFile + "」を保存できませんでした。\n" + kNothingChanged;
  const std::string cause = CauseText(result.cause);
  if (!cause.empty()) text += "\n\n" + cause;
  // The texts are Shift-JIS whatever the system's code page.
  MessageBoxW(nullptr, WideFromShiftJis(text.c_str()).c_str(), WideFromShiftJis(kCaption).c_str(),
              MB_OK | MB_ICONWARNING);
}
