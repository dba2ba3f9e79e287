// The text of every failure kind, written out by hand, as the window and the CLI show it.
#include <gtest/gtest.h>

#include <QDir>

#include "update/RebuildKit.h"
#include "update/UpdateStatus.h"

namespace mirabo {

namespace {

using S = UpdateStatus;

struct MessageCase {
  const char* name;
  UpdateStatus status;
  QString expected;
};
// Cases print as their names, so that test names and failures stay readable.
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

const QString kUrl = QStringLiteral("https://example.jp/zip/ken_all.zip");

// One download that tried one address and failed with `fault` there.
UpdateStatus DownloadOf(UpdateStatus fault) {
  if (fault.url.isEmpty()) fault.url = kUrl;
  return {.kind = S::kDownloadFailed, .attempts = {fault}};
}

class FailureMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(FailureMessages, AreTheSentenceTheUserReads) {
  EXPECT_EQ(FailureMessage(GetParam().status), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FailureMessages,
    ::testing::Values(
        MessageCase{"Ok", {}, ""},
        MessageCase{"NoNationalFile", {.kind = S::kNoNationalFile, .folder = "/data/mirabo/"},
                    "「KEN_ALL.CSV」、「ken_all.zip」、「utf_ken_all.zip」 のどれも見つかりません（フォルダ: /data/mirabo）。"
                    "データは変更していません。"},
        MessageCase{"FileMissing", {.kind = S::kFileMissing, .file = "KEN_ALL.CSV", .folder = "/home/u/dl"},
                    "「KEN_ALL.CSV」が見つかりません（フォルダ: /home/u/dl）。データは変更していません。"},
        MessageCase{"FileUnreadable", {.kind = S::kFileUnreadable, .file = "KEN_ALL.CSV", .folder = "/home/u/dl"},
                    "「KEN_ALL.CSV」を読み込めません（フォルダ: /home/u/dl）。データは変更していません。"},
        MessageCase{"FileUnreadableWithReason",
                    {.kind = S::kFileUnreadable, .file = "KEN_ALL.CSV", .folder = "/home/u/dl",
                     .reason = "Input/output error"},
                    "「KEN_ALL.CSV」を読み込めません（フォルダ: /home/u/dl、理由: Input/output error）。データは変更していません。"},
        MessageCase{"FileTooLarge", {.kind = S::kFileTooLarge, .file = "huge.csv", .folder = "/home/u/dl/"},
                    "「huge.csv」が大きすぎます（フォルダ: /home/u/dl）。データは変更していません。"},
        MessageCase{"NoDataFolder", {.kind = S::kNoDataFolder}, "データフォルダが見つかりません。データは変更していません。"},
        MessageCase{"FolderNotWritable",
                    {.kind = S::kFolderNotWritable, .folder = "/data/mirabo/", .reason = "Permission denied"},
                    "データフォルダに書き込めません（フォルダ: /data/mirabo、理由: Permission denied）。データは変更していません。"},
        MessageCase{"RebuildBusy", {.kind = S::kRebuildBusy, .folder = "/data/mirabo/"},
                    "別の郵便番号ファイル更新が実行中です（フォルダ: /data/mirabo）。データは変更していません。"},
        MessageCase{"LockNotRegular", {.kind = S::kLockNotRegular, .file = "mirabo.lock", .folder = "/data/mirabo/"},
                    "ロックファイル「mirabo.lock」が通常のファイルではないため、更新できません（フォルダ: /data/mirabo）。"
                    "データは変更していません。"},
        MessageCase{"LockOfOtherUser",
                    {.kind = S::kLockOfOtherUser, .file = "mirabo.lock", .folder = "/data/mirabo/",
                     .reason = "Permission denied"},
                    "別のユーザーのロックファイル「mirabo.lock」があるため、更新できません（フォルダ: /data/mirabo、"
                    "理由: Permission denied）。データは変更していません。"},
        MessageCase{"NewFilesNotWritable",
                    {.kind = S::kNewFilesNotWritable, .folder = "/data/mirabo/", .reason = "No space left on device"},
                    "新しいデータファイルを書き込めません（フォルダ: /data/mirabo、理由: No space left on device）。"
                    "データは変更していません。"},
        MessageCase{"NewFilesNotPlaced",
                    {.kind = S::kNewFilesNotPlaced, .folder = "/data/mirabo/", .reason = "Input/output error"},
                    "新しいデータファイルを置けません（フォルダ: /data/mirabo、理由: Input/output error）。データは変更していません。"},
        MessageCase{"NewFilesRolledBackLater",
                    {.kind = S::kNewFilesRolledBackLater, .folder = "/data/mirabo/", .reason = "Input/output error"},
                    "新しいデータファイルを置けません（フォルダ: /data/mirabo、理由: Input/output error）。"
                    "元のデータファイルは次に開くときに元に戻します。"},
        MessageCase{"SwapLeftovers", {.kind = S::kSwapLeftovers, .folder = "/data/mirabo/"},
                    "前回中断された更新の後始末ができません（フォルダ: /data/mirabo）。"},
        MessageCase{"SwapUnfinished",
                    {.kind = S::kSwapUnfinished, .folder = "/data/mirabo/", .reason = "Permission denied"},
                    "データの更新が途中で止まっています（フォルダ: /data/mirabo、理由: Permission denied）。"
                    "データファイルは開きません。"},
        MessageCase{"BadRow",
                    {.kind = S::kBadRow, .file = "KEN_ALL.CSV", .line = 3, .reason = "値が 14 個あります（15 個のはずです）"},
                    "「KEN_ALL.CSV」の 3 行目: 値が 14 個あります（15 個のはずです）。データは変更していません。"},
        MessageCase{"BadFirstRowIsNoNationalFile",
                    {.kind = S::kBadRow, .file = "KEN_ALL.CSV", .line = 1, .reason = "値が 1 個あります（15 個のはずです）"},
                    "このファイルは郵便番号データ（KEN_ALL.CSV 形式）ではないようです。"
                    "「KEN_ALL.CSV」の 1 行目: 値が 1 個あります（15 個のはずです）。データは変更していません。"},
        MessageCase{"BadSecondRowIsDamage",
                    {.kind = S::kBadRow, .file = "KEN_ALL.CSV", .line = 2, .reason = "値が 1 個あります（15 個のはずです）"},
                    "「KEN_ALL.CSV」の 2 行目: 値が 1 個あります（15 個のはずです）。データは変更していません。"},
        MessageCase{"BadRowOfTheWholeFile", {.kind = S::kBadRow, .file = "KEN_ALL.CSV", .reason = "データの行がありません"},
                    "「KEN_ALL.CSV」: データの行がありません。データは変更していません。"},
        MessageCase{"BadRowInAnArchive",
                    {.kind = S::kBadRow, .file = "ken_all.zip", .member = "KEN_ALL.CSV", .line = 2,
                     .reason = "空の行があります"},
                    "「ken_all.zip」の「KEN_ALL.CSV」の 2 行目: 空の行があります。データは変更していません。"},
        // Placeholders in names and faults stay as they are.
        MessageCase{"BadRowWithPercentSigns", {.kind = S::kBadRow, .file = "a%1.csv", .line = 5, .reason = "x%2"},
                    "「a%1.csv」の 5 行目: x%2。データは変更していません。"},
        MessageCase{"TooManyEntries", {.kind = S::kTooManyEntries, .file = "ken_all.zip", .member = "KEN_ALL.CSV"},
                    "「ken_all.zip」の「KEN_ALL.CSV」: 郵便番号データが 999,999 件を超えています。データは変更していません。"},
        MessageCase{"ZipBroken", {.kind = S::kZipBroken, .file = "ken_all.zip", .reason = "Truncated ZIP file data"},
                    "「ken_all.zip」: ZIP ファイルが壊れています（Truncated ZIP file data）。データは変更していません。"},
        MessageCase{"ZipBrokenWithoutReason", {.kind = S::kZipBroken, .file = "ken_all.zip"},
                    "「ken_all.zip」: ZIP ファイルが壊れています（読み取りエラー）。データは変更していません。"},
        MessageCase{"ZipNoCsv", {.kind = S::kZipNoCsv, .file = "ken_all.zip"},
                    "「ken_all.zip」: ZIP の中に CSV ファイルがありません。データは変更していません。"},
        MessageCase{"ZipTwoCsvs",
                    {.kind = S::kZipTwoCsvs, .file = "ken_all.zip", .member = "a.csv", .otherMember = "b.csv"},
                    "「ken_all.zip」: ZIP の中に CSV ファイルが 2 個以上あります（「a.csv」と「b.csv」）。データは変更していません。"},
        MessageCase{"ZipMemberTooLarge",
                    {.kind = S::kZipMemberTooLarge, .file = "ken_all.zip", .member = "KEN_ALL.CSV", .number = 200},
                    "「ken_all.zip」: ZIP の中の「KEN_ALL.CSV」は展開すると 200 MB を超えます。データは変更していません。"},
        MessageCase{"NotWebAddress", DownloadOf({.kind = S::kNotWebAddress, .url = "ftp://example.jp/ken_all.zip"}),
                    "ダウンロードできませんでした。「ftp://example.jp/ken_all.zip」: http または https のアドレスではありません。"
                    "データは変更していません。"},
        MessageCase{"HttpStatus", DownloadOf({.kind = S::kHttpStatus, .number = 404}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: サーバーの応答が HTTP 404 でした。"
                    "データは変更していません。"},
        MessageCase{"NotZip", DownloadOf({.kind = S::kNotZip}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 受信したファイルは ZIP ではありません。"
                    "データは変更していません。"},
        MessageCase{"TooManyRedirects", DownloadOf({.kind = S::kTooManyRedirects}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 転送（リダイレクト）が多すぎます。"
                    "データは変更していません。"},
        MessageCase{"InsecureRedirect", DownloadOf({.kind = S::kInsecureRedirect}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 安全でない転送先（http）に転送されました。"
                    "データは変更していません。"},
        MessageCase{"SecureConnectionFailed",
                    DownloadOf({.kind = S::kSecureConnectionFailed, .reason = "SSL handshake failed"}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 安全な接続ができません"
                    "（SSL handshake failed）。データは変更していません。"},
        MessageCase{"NetworkFailed", DownloadOf({.kind = S::kNetworkFailed, .reason = "Connection refused"}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: ネットワークに接続できません"
                    "（Connection refused）。データは変更していません。"},
        MessageCase{"DownloadCancelled", DownloadOf({.kind = S::kDownloadCancelled}),
                    "キャンセルしました。データは変更していません。"},
        MessageCase{"TransferBroken", DownloadOf({.kind = S::kTransferBroken, .reason = "Connection closed"}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 受信の途中で接続が切れました"
                    "（Connection closed）。データは変更していません。"},
        MessageCase{"MemberNameWithAnEscapeSequence",
                    {.kind = S::kZipNoCsv, .file = QStringLiteral("a\x1b[2Jb\u009b.zip")},
                    "「a\\x1b[2Jb\\x9b.zip」: ZIP の中に CSV ファイルがありません。データは変更していません。"},
        MessageCase{"SwapLeftoverNamed",
                    {.kind = S::kSwapLeftovers, .file = "city.DAT.new", .folder = "/data/mirabo/",
                     .reason = "通常のファイルではありません"},
                    "「city.DAT.new」を片付けられないため、前回中断された更新の後始末ができません（フォルダ: /data/mirabo、"
                    "理由: 通常のファイルではありません）。"},
        MessageCase{"DownloadCancelledBeforeAnyRequest",
                    {.kind = S::kDownloadFailed, .attempts = {{.kind = S::kDownloadCancelled}}},
                    "キャンセルしました。データは変更していません。"},
        MessageCase{"DownloadTimedOut", DownloadOf({.kind = S::kDownloadTimedOut, .number = 120}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 120 秒以内に終わりませんでした"
                    "（タイムアウト）。データは変更していません。"},
        MessageCase{"DownloadTooLarge", DownloadOf({.kind = S::kDownloadTooLarge, .number = 200}),
                    "ダウンロードできませんでした。「https://example.jp/zip/ken_all.zip」: 受信するファイルが 200 MB を超えます。"
                    "データは変更していません。"},
        MessageCase{"DownloadOfTwoAddresses",
                    {.kind = S::kDownloadFailed,
                     .attempts = {{.kind = S::kHttpStatus, .url = "https://a.example/x.zip", .number = 503},
                                  {.kind = S::kBadRow, .file = "ken_all.zip", .member = "KEN_ALL.CSV",
                                   .url = "https://b.example/ken_all.zip", .line = 1,
                                   .reason = "値が 3 個あります（15 個のはずです）"}}},
                    "ダウンロードできませんでした。「https://a.example/x.zip」: サーバーの応答が HTTP 503 でした／"
                    "「https://b.example/ken_all.zip」: 「ken_all.zip」の「KEN_ALL.CSV」の 1 行目: 値が 3 個あります（15 個のはずです）。"
                    "データは変更していません。"},
        MessageCase{"ReportUnreadable",
                    {.kind = S::kReportUnreadable, .file = "CHANGES.TSV", .reason = "Permission denied"},
                    "「CHANGES.TSV」を読み込めません（理由: Permission denied）。"},
        MessageCase{"ReportTooLarge", {.kind = S::kReportTooLarge, .file = "CHANGES.TSV", .number = 64},
                    "「CHANGES.TSV」が 64 MB を超えているため読み込みません。"},
        MessageCase{"ReportDamaged", {.kind = S::kReportDamaged, .file = "CHANGES.TSV", .line = 2},
                    "「CHANGES.TSV」の 2 行目が読めません。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailureMessage, ShowsARelativeFolderAsAnAbsolutePath) {
  const UpdateStatus busy{.kind = S::kRebuildBusy, .folder = "data/"};
  EXPECT_EQ(FailureMessage(busy), QStringLiteral("別の郵便番号ファイル更新が実行中です（フォルダ: %1/data）。データは変更していません。")
                                      .arg(QDir::currentPath()));
}

}  // namespace

}  // namespace mirabo
