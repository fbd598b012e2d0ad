#include "text/ui_text.h"

#include <iterator>

// Both columns live side by side so a language switch only picks a column;
// the texts are kept byte for byte, trailing spaces and full-width signs
// included, because dialogs and message boxes show them as they are.
static constexpr UiText kTable[] = {
    {u"ファイル(&F)", u"File(&F)"},  // 0
    {u"開く(&O)\tCtrl+O", u"Open(&O)\tCtrl+O"},  // 1
    {u"上書き保存(&S)\tCtrl+S", u"Save(&S)\tCtrl+S"},  // 2
    {u"名前を付けて保存(&A)\tCtrl+Shift+S", u"Save As...(&A)\tCtrl+Shift+S"},  // 3
    {u"CSV形式で保存", u"Save as CSV file"},  // 4
    {u"終了(&X)\tEsc", u"Exit(&X)\tEsc"},  // 5
    {u"設定(&S)", u"Setting(&S)"},  // 6
    {u"オプション(&O)", u"Option(&O)"},  // 7
    {u"DMM本体メモリデータ読み込み (&M)", u"Read Memory Data form DMM (&M)"},  // 8
    {u"レコードデータExcel貼り付け (&E)", u"Paste Record Data to Excel (&E)"},  // 9
    {u"言語(&L)", u"Language(&L)"},  // 10
    {u"ヘルプ(&H)", u"Help(&H)"},  // 11
    {u"PDFマニュアル(&H)\tF1", u"PDF Manual(&H)\tF1"},  // 12
    {u"バージョン情報(&A)...", u"About(&A)..."},  // 13
    {u"リアルタイムモニタ （測定値）", u"Real Time Monitor (Measured value)"},  // 14
    {u"メイン：", u"Main："},  // 15
    {u"サブ：", u"Sub："},  // 16
    {u"モード：", u"Mode："},  // 17
    {u"レンジ：", u"Range："},  // 18
    {u"モニタ開始", u"Monitor"},  // 19
    {u"モニタ停止", u"Stop Monitor"},  // 20
    {u"ピーク", u"V・A PEAK"},  // 21
    {u"クリア", u"CLEAR"},  // 22
    {u"フィルタ", u"FILTER"},  // 23
    {u"接続図", u"Configuration"},  // 24
    {u"測定器未接続", u"UUT Unconnected"},  // 25
    {u"ステータス", u"Status"},  // 26
    {u"モデル：", u"Model："},  // 27
    {u"本体Ver：", u"DMM Ver："},  // 28
    {u"ポート：", u"Port："},  // 29
    {u"時間：", u"Time："},  // 30
    {u"レコード", u"Record"},  // 31
    {u"グラフ", u"Graph"},  // 32
    {u"会社名", u"Company"},  // 33
    {u"データ名", u"Title"},  // 34
    {u"モデル", u"Model"},  // 35
    {u"機能", u"Function"},  // 36
    {u"レンジ", u"Range"},  // 37
    {u"日付", u"Date"},  // 38
    {u"操作者", u"Operator"},  // 39
    {u"温湿度", u"Temp/Humid"},  // 40
    {u"インターバル", u"Interval"},  // 41
    {u"データ数", u"Buffer"},  // 42
    {u"メモ", u"Memo"},  // 43
    {u"基準時間", u"Base Time"},  // 44
    {u"レコード時間", u"Record Time"},  // 45
    {u"メイン", u"Main"},  // 46
    {u"サブ", u"Sub"},  // 47
    {u"メイン＆サブ", u"Main＆Sub"},  // 48
    {u"前ページ", u"Previous"},  // 49
    {u"次ページ", u"Next"},  // 50
    {u"ジャンプ", u"Jump"},  // 51
    {u"導通", u"Cont."},  // 52
    {u"抵抗", u"Res."},  // 53
    {u"コンデンサ", u"Cap."},  // 54
    {u"周波数", u"Freq."},  // 55
    {u"スタート", u"Start"},  // 56
    {u"ストップ", u"Stop"},  // 57
    {u"開始", u"Start"},  // 58
    {u"停止", u"Stop"},  // 59
    {u"手動", u"Manual"},  // 60
    {u"グラフコピー", u"Copy Graph"},  // 61
    {u"保存", u"Save"},  // 62
    {u"消去", u"Clear"},  // 63
    {u"消去", u"Clear"},  // 64
    {u"すべてクリア", u"All Clear"},  // 65
    {u"一つ前のデータのみクリア", u"Clear last 1 data"},  // 66
    {u"設定", u"Setting"},  // 67
    {u"通信設定", u"Communication Setup"},  // 68
    {u"本体設定", u"DMM Settings"},  // 69
    {u"レコード設定", u"Record Setting"},  // 70
    {u"保存設定", u"Save Settings"},  // 71
    {u"自動接続", u"Automatic connection"},  // 72
    {u"接続DMMの選択", u"Choice of connection DMM"},  // 73
    {u"COMポート：", u"COM Ports："},  // 74
    {u"通信速度（ボーレート）：", u"Baud Rate："},  // 75
    {u"導通チェックしきい値：", u"Threshold of continuity check："},  // 76
    {u"ダイオードテストのしきい値：", u"Threshold of diode test："},  // 77
    {u"dBm換算の基準インピーダンス：", u"dBm Standard Impedance："},  // 78
    {u"フィルタ機能 通過帯域：", u"Filter passband："},  // 79
    {u"インターバル時間", u"Time Interval"},  // 80
    {u"標準：", u"Normal："},  // 81
    {u"高速：", u"Fast："},  // 82
    {u"秒", u"s"},  // 83
    {u"合計", u"Sum"},  // 84
    {u"データ数：", u"Buffer Size："},  // 85
    {u"レコード時間：", u"Record Time："},  // 86
    {u"時間表示モード：", u"Time display mode："},  // 87
    {u" 現在時刻", u"Real time clock"},  // 88
    {u" 経過時間", u"Relative Time"},  // 89
    {u"会社名：", u"Company："},  // 90
    {u"データ名：", u"Title："},  // 91
    {u"操作者：", u"Operator："},  // 92
    {u"日付：", u"Date："},  // 93
    {u"自動入力：", u"Auto clock："},  // 94
    {u"テキスト入力：", u"Text："},  // 95
    {u"温湿度：", u"Temp/Humid："},  // 96
    {u"メモ：", u"Memo："},  // 97
    {u"CSV保存設定", u"CSV save setting"},  // 98
    {u"小数点記号", u"Decimal Symbol"},  // 99
    {u"データ区切り記号", u"List Separator"},  // 100
    {u". （ピリオド）", u". （Period）"},  // 101
    {u", （コンマ）", u", （Comma）"},  // 102
    {u"; （セミコロン）", u"; （Semicolon）"},  // 103
    {u"_Jpn.pdf", u"_Eng.pdf"},  // 104
    {u"バージョン情報", u"About"},  // 105
    {u"USB接続をチェック中 ...", u"Checking USB connection ...."},  // 106
    {u"メモリデータ読み込み", u"Read Memory Data form DMM"},  // 107
    {u"保存先設定", u"Save setting"},  // 108
    {u"保存先フォルダー名：", u"Folder name："},  // 109
    {u"保存ファイル名：", u"File name："},  // 110
    {u"参照", u"Browse"},  // 111
    {u"残り時間：", u"Remain："},  // 112
    {u"経過時間：", u"Elapsed："},  // 113
    {u"分", u" min"},  // 114
    {u"秒", u" sec"},  // 115
    {u"保存先フォルダーの選択", u"Select destination folder"},  // 116
    {u"キャンセル", u"Cancel"},  // 117
    {u"レコードデータExcel貼り付け", u"Paste Record Data to Excel"},  // 118
    {u"Excel\n起動", u"Excel\nOpen"},  // 119
    {u"リターンキーで取り込み", u"By return key"},  // 120
    {u"タイムインターバルで自動取り込み", u"By time interval"},  // 121
    {u"レコード設定を使う", u"Use Record Setting"},  // 122
    {u"間隔", u"Int."},  // 123
    {u"取り込みスタート", u"Start"},  // 124
    {u"取り込み中止", u"Stop"},  // 125
    {u"閉じる", u"Close"},  // 126
    {u"Excelの起動", u"Open Excel"},  // 127
    {u"新規ファイル（起動中のファイル）", u"New File（Launched File）"},  // 128
    {u"ファイルを指定する", u"Edit File"},  // 129
    {u"Excelファイル(*.xlsx;*.xls)|*.xlsx;*.xls||", u"Excel file (*.xlsx;*.xls)|*.xlsx;*.xls||"},  // 130
    {u"クランプ", u"Clamp"},  // 131
    {u"導通", u"Continuity"},  // 132
    {u"ダイオード", u"Diode"},  // 133
    {u"抵抗", u"Resistance"},  // 134
    {u"温度", u"Temp"},  // 135
    {u"コンデンサ", u"Capacitance"},  // 136
    {u"検電", u"V-Detect"},  // 137
    {u"周波数", u"Frequency"},  // 138
    {u"Ω", u"Ohm"},  // 139
    {u"℃", u"Celsius"},  // 140
    {u"Fahrenheit", u"Fahrenheit"},  // 141
    {u"しきい値 ", u"Threshold "},  // 142
    {u"基準インピーダンス ", u"Standard Impedance "},  // 143
    {u"メモリデータ", u"Memory Data"},  // 144
    {u"レコードデータ", u"Record Data"},  // 145
    {u"日付", u"Date"},  // 146
    {u"時間", u"Time"},  // 147
    {u"メインファンクション", u"Main Function"},  // 148
    {u"メイン測定値", u"Main Measured Value"},  // 149
    {u"メイン単位", u"Main Unit"},  // 150
    {u"メインOVER", u"Main OVER"},  // 151
    {u"サブファンクション", u"Sub Function"},  // 152
    {u"サブ測定値", u"Sub Measured Value"},  // 153
    {u"サブ単位", u"Sub Unit"},  // 154
    {u"サブOVER", u"Sub OVER"},  // 155
    {u"サブ情報", u"Sub Information"},  // 156
    {u"vdmmファイル(*.vdmm)|*.vdmm||", u"vdmm file (*.vdmm)|*.vdmm||"},  // 157
    {u"csvファイル(*.csv)|*.csv||", u"csv file (*.csv)|*.csv||"},  // 158
    {u"通信エラー。\n\nUSBケーブルの接続  または\n本体の電源を確認してください。  ", u"Communication Error.\n\nCheck USB cable connection, \nor power supply of DMM.  "},  // 159
    {u"1秒以上の時間を設定してください。", u"Please enter more than or equal to 1 sec."},  // 160
    {u"レコード時間はインターバル時間より長く設定してください。", u"Please set the record time longer than the time interval."},  // 161
    {u"保存先フォルダー名を指定してください ", u"Designate a destination folder for saving.  "},  // 162
    {u"保存ファイル名を入力してください ", u"Enter a filename for saving.  "},  // 163
    {u"ファイル名には次の文字は使えません。 \n\n        \\ / : , ; * ? \" < > |", u"The following character(s) cannot be used in filename.  \n\n        \\ / : , ; * ? \" < > |"},  // 164
    {u"指定した保存ファイル名は既に存在します。  \n\n上書き保存してもいいですか？", u"A file with the designated filename already exists.  \n\nOverwrite?"},  // 165
    {u"データを読み込んでいます .......", u"Reading the data from DMM ......."},  // 166
    {u"%s が開けません。", u"Can not open %s."},  // 167
    {u"データ読み込み完了", u"Completed reading data from DMM."},  // 168
    {u"データ読み込みエラー。\n\nすべてのデータを読み込めませんでした。", u"Reading data Error. \n\nCan not read all data."},  // 169
    {u"データが保存されていません。", u"Data has not been saved."},  // 170
    {u"Excel プログラムが見つかりません。", u"Excel program not found."},  // 171
    {u"モニタ停止中です。\nモニタ開始してから実行してください。", u"Monitor is stopping.\nPlease run after you start the monitor."},  // 172
    {u"書込みエラー。\n範囲外のセルに書き込もうとしました。", u"Writing Error.\nWriting to a cell outside of the range."},  // 173
    {u"Excelが閉じられたため、\nデータ取り込みを終了します。", u"The data caputure is ended,\nbecause Excel is closed."},  // 174
    {u"このファイル形式を認識できません。\n\n他のプログラムで作成したファイル、またはファイルが壊れている可能性があります。", u"Incorrect file format.\n\nFile created by other program, or file corrupted."},  // 175
    {u"データフォーマットの互換性がありません。", u"Not compatible with the data format."},  // 176
    {u"データを保存しますか？", u"Save data?"},  // 177
    {u"アプリを終了する前に、レコード停止してください。", u"Please stop record before closing the app!"},  // 178
    {u"本ソフトウェアを終了します。\nよろしいですか？", u"This will exit the application.  \nDo you want to proceed?"},  // 179
    {u"システムエラー", u"System Error"},  // 180
    {u"本体ソフトのバージョンが対応していません。\n\nこのプログラムは、Ver %s 以上が有効です。\nVer %s 以上にバージョンアップしてから実行してください。    ", u"Version of the DMM firmware is not compatible.\n\nThis program is valid for more than or equal to Ver %s.\nPlease execute application after the upgrade."},  // 181
    {u"モニタ停止中です。\nモニタ開始してから実行してください。", u"Monitor is stopping.\nPlease run after you start the monitor."},  // 182
    {u"PDFリーダーがインストールされていないため、PDFファイルを開けませんでした。", u"Can not open PDF file because there is no PDF reader."},  // 183
    {u"読み込んだファイルの製造番号が一致しません。\n\n新規にレコードデータ取得します。", u"Serial number of the read file and DMM do not match.\n\nApplication will get new record data list."},  // 184
    {u"通信エラー。コマンド送信できません！\n\n測定を停止します。", u"Communication Error. Can not send command!\n\nThe monitor is stopped."},  // 185
    {u"通信エラー。応答がありません！\n\n測定を停止します。", u"Communication Error. No response!\n\nThe monitor is stopped."},  // 186
    {u"AD値の文字列がおかしい。", u"Invalid AD response."},  // 187
    {u"通信エラー。バッファオーバー。", u"Communication Error. Buffer over."},  // 188
};
// A missing or extra line would shift every later number.
static_assert(std::size(kTable) == kUiTextCount);

const UiText& UiTextEntry(int n) {
  // Callers pass numbers from messages and menus; a bad one shows nothing
  // rather than reading past the table.
  static constexpr UiText kEmpty{};
  if (n < 0 || n >= kUiTextCount) return kEmpty;
  return kTable[n];
}

std::u16string_view Word(int n, int language) {
  const UiText& entry = UiTextEntry(n);
  return language == 0 ? entry.japanese : entry.english;
}
