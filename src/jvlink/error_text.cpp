#include "jvlink/error_text.h"

namespace radadovur::jvlink {
namespace {

constexpr const char* kRetryLater = "しばらくしてから、もう一度実行してください。";
constexpr const char* kFetchAgain = "もう一度取得してください。";

}  // namespace

std::string ServiceErrorText(int32_t code) {
  switch (code) {
    case -1: return "該当するデータがありません。";
    case -2: return "JV-Linkの設定画面が取り消されました。「設定」ボタンで設定してから、もう一度実行してください。";
    case -100:
    case -101:
    case -102:
    case -103: return "JV-Linkに渡したソフトウェアIDが正しくありません。プログラムを入れ直してください。";
    case -111: return "データ種別の指定が正しくありません。プログラムを入れ直してください。";
    case -112:
    case -113: return "取得の開始時刻の指定が正しくありません。プログラムを入れ直してください。";
    case -114: return "キー（レースIDまたは日付）の指定が正しくありません。レース一覧を確かめてください。";
    case -115: return "取得のオプションの指定が正しくありません。プログラムを入れ直してください。";
    case -116: return "データ種別とオプションの組み合わせが正しくありません。プログラムを入れ直してください。";
    case -201: return std::string("JV-Linkの初期化が済んでいません。") + kRetryLater;
    case -202: return "前の取得が閉じられていません。JV-Linkを使うほかの画面を閉じてから、もう一度実行してください。";
    case -203: return "取得が開始されていません。もう一度実行してください。";
    case -211: return "JV-Linkの設定が正しくありません。「設定」ボタンで設定し直してください。";
    case -301: return "利用キーの認証に失敗しました。「設定」ボタンで利用キーを確かめてください。";
    case -302: return "利用キーの有効期限が切れています。利用キーを更新してから、もう一度実行してください。";
    case -303: return "利用キーが設定されていません。「設定」ボタンで利用キーを設定してください。";
    case -401: return std::string("JV-Linkの内部エラーです。") + kRetryLater;
    case -402: return std::string("ダウンロードしたファイルが空です。") + kFetchAgain;
    case -403: return std::string("ダウンロードしたファイルの内容が壊れています。") + kFetchAgain;
    case -411: return std::string("サーバーにデータがありません（HTTP 404）。") + kRetryLater;
    case -412: return "サーバーに断られました（HTTP 403）。「設定」ボタンで利用キーを確かめてください。";
    case -413: return std::string("サーバーがエラーを返しました（HTTP）。") + kRetryLater;
    case -421: return std::string("サーバーの応答が正しくありません。") + kRetryLater;
    case -431: return std::string("サーバーの内部エラーです。") + kRetryLater;
    case -501: return "JV-Linkのセットアップのデータが正しくありません。JV-Linkをセットアップし直してください。";
    case -502: return "ダウンロードに失敗しました（通信またはディスクのエラー）。回線とディスクの空きを確かめてから、もう一度取得してください。";
    case -503: return std::string("ダウンロードしたファイルが見つかりません。") + kFetchAgain;
    case -504: return std::string("サーバーがメンテナンス中です。") + kRetryLater;
    case -505: return std::string("サーバーが混み合っているか、取得できる時間外です。") + kRetryLater;
    default: break;
  }
  return "JV-Linkがエラーを返しました。もう一度実行し、続くときは「設定」ボタンでJV-Linkの設定と記録フォルダを確かめてください。";
}

}  // namespace radadovur::jvlink
