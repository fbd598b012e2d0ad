#include "text/ui_text.h"

#include <iterator>

// Both columns live side by side so a language switch only picks a column;
// the texts are kept byte for byte, trailing spaces and full-width signs
// included, because dialogs and message boxes show them as they are.
static constexpr UiText kTable[] = {
    {u"ファイル(&F)", u"File(&F)"},                                             // 0 fileMenu
    {u"開く(&O)\tCtrl+O", u"Open(&O)\tCtrl+O"},                                 // 1 openMenu
    {u"上書き保存(&S)\tCtrl+S", u"Save(&S)\tCtrl+S"},                           // 2 saveMenu
    {u"名前を付けて保存(&A)\tCtrl+Shift+S", u"Save As...(&A)\tCtrl+Shift+S"},   // 3 saveAsMenu
    {u"CSV形式で保存", u"Save as CSV file"},                                    // 4 saveCsvMenu
    {u"終了(&X)\tEsc", u"Exit(&X)\tEsc"},                                       // 5 exitMenu
    {u"設定(&S)", u"Setting(&S)"},                                              // 6 settingMenu
    {u"オプション(&O)", u"Option(&O)"},                                         // 7 optionMenu
    {u"DMM本体メモリデータ読み込み (&M)", u"Read Memory Data form DMM (&M)"},   // 8 readMemoryMenu
    {u"レコードデータExcel貼り付け (&E)", u"Paste Record Data to Excel (&E)"},  // 9 pasteToExcelMenu
    {u"言語(&L)", u"Language(&L)"},                                             // 10 languageMenu
    {u"ヘルプ(&H)", u"Help(&H)"},                                               // 11 helpMenu
    {u"PDFマニュアル(&H)\tF1", u"PDF Manual(&H)\tF1"},                          // 12 pdfManualMenu
    {u"バージョン情報(&A)...", u"About(&A)..."},                                // 13 aboutMenu
    {u"リアルタイムモニタ （測定値）", u"Real Time Monitor (Measured value)"},  // 14 realTimeMonitor
    {u"メイン：", u"Main："},                                                   // 15 mainLabel
    {u"サブ：", u"Sub："},                                                      // 16 subLabel
    {u"モード：", u"Mode："},                                                   // 17 modeLabel
    {u"レンジ：", u"Range："},                                                  // 18 rangeLabel
    {u"モニタ開始", u"Monitor"},                                                // 19 monitorButton
    {u"モニタ停止", u"Stop Monitor"},                                           // 20 stopMonitorButton
    {u"ピーク", u"V・A PEAK"},                                                  // 21 peakButton
    {u"クリア", u"CLEAR"},                                                      // 22 clearButton
    {u"フィルタ", u"FILTER"},                                                   // 23 filterButton
    {u"接続図", u"Configuration"},                                              // 24 configuration
    {u"測定器未接続", u"UUT Unconnected"},                                      // 25 uutUnconnected
    {u"ステータス", u"Status"},                                                 // 26 statusGroup
    {u"モデル：", u"Model："},                                                  // 27 modelLabel
    {u"本体Ver：", u"DMM Ver："},                                               // 28 firmwareVersionLabel
    {u"ポート：", u"Port："},                                                   // 29 portLabel
    {u"時間：", u"Time："},                                                     // 30 timeLabel
    {u"レコード", u"Record"},                                                   // 31 recordTab
    {u"グラフ", u"Graph"},                                                      // 32 graphTab
    {u"会社名", u"Company"},                                                    // 33 company
    {u"データ名", u"Title"},                                                    // 34 title
    {u"モデル", u"Model"},                                                      // 35 model
    {u"機能", u"Function"},                                                     // 36 function
    {u"レンジ", u"Range"},                                                      // 37 range
    {u"日付", u"Date"},                                                         // 38 date
    {u"操作者", u"Operator"},                                                   // 39 operatorName
    {u"温湿度", u"Temp/Humid"},                                                 // 40 tempHumid
    {u"インターバル", u"Interval"},                                             // 41 interval
    {u"データ数", u"Buffer"},                                                   // 42 buffer
    {u"メモ", u"Memo"},                                                         // 43 memo
    {u"基準時間", u"Base Time"},                                                // 44 baseTime
    {u"レコード時間", u"Record Time"},                                          // 45 recordTime
    {u"メイン", u"Main"},                                                       // 46 mainDisplay
    {u"サブ", u"Sub"},                                                          // 47 subDisplay
    {u"メイン＆サブ", u"Main＆Sub"},                                            // 48 mainAndSubDisplay
    {u"前ページ", u"Previous"},                                                 // 49 previousPage
    {u"次ページ", u"Next"},                                                     // 50 nextPage
    {u"ジャンプ", u"Jump"},                                                     // 51 jumpToPage
    {u"導通", u"Cont."},                                                        // 52 continuityShort
    {u"抵抗", u"Res."},                                                         // 53 resistanceShort
    {u"コンデンサ", u"Cap."},                                                   // 54 capacitanceShort
    {u"周波数", u"Freq."},                                                      // 55 frequencyShort
    {u"スタート", u"Start"},                                                    // 56 startTimeLabel
    {u"ストップ", u"Stop"},                                                     // 57 stopTimeLabel
    {u"開始", u"Start"},                                                        // 58 startButton
    {u"停止", u"Stop"},                                                         // 59 stopButton
    {u"手動", u"Manual"},                                                       // 60 manualButton
    {u"グラフコピー", u"Copy Graph"},                                           // 61 copyGraphButton
    {u"保存", u"Save"},                                                         // 62 saveButton
    {u"消去", u"Clear"},                                                        // 63 clearRecordsButton
    {u"消去", u"Clear"},                                                        // 64 clearTitle
    {u"すべてクリア", u"All Clear"},                                            // 65 clearAll
    {u"一つ前のデータのみクリア", u"Clear last 1 data"},                        // 66 clearNewest
    {u"設定", u"Setting"},                                                      // 67 settingTitle
    {u"通信設定", u"Communication Setup"},                                      // 68 communicationPage
    {u"本体設定", u"DMM Settings"},                                             // 69 meterPage
    {u"レコード設定", u"Record Setting"},                                       // 70 recordPage
    {u"保存設定", u"Save Settings"},                                            // 71 savePage
    {u"自動接続", u"Automatic connection"},                                     // 72 automaticConnection
    {u"接続DMMの選択", u"Choice of connection DMM"},                            // 73 meterChoice
    {u"COMポート：", u"COM Ports："},                                           // 74 comPortLabel
    {u"通信速度（ボーレート）：", u"Baud Rate："},                              // 75 baudRateLabel
    {u"導通チェックしきい値：", u"Threshold of continuity check："},            // 76 continuityThresholdLabel
    {u"ダイオードテストのしきい値：", u"Threshold of diode test："},            // 77 diodeThresholdLabel
    {u"dBm換算の基準インピーダンス：", u"dBm Standard Impedance："},            // 78 dbmImpedanceLabel
    {u"フィルタ機能 通過帯域：", u"Filter passband："},                         // 79 filterPassbandLabel
    {u"インターバル時間", u"Time Interval"},                                    // 80 timeInterval
    {u"標準：", u"Normal："},                                                   // 81 normalInterval
    {u"高速：", u"Fast："},                                                     // 82 fastInterval
    {u"秒", u"s"},                                                              // 83 secondUnit
    {u"合計", u"Sum"},                                                          // 84 totalGroup
    {u"データ数：", u"Buffer Size："},                                          // 85 bufferSizeLabel
    {u"レコード時間：", u"Record Time："},                                      // 86 recordTimeLabel
    {u"時間表示モード：", u"Time display mode："},                              // 87 timeDisplayModeLabel
    {u" 現在時刻", u"Real time clock"},                                         // 88 realTimeClock
    {u" 経過時間", u"Relative Time"},                                           // 89 relativeTime
    {u"会社名：", u"Company："},                                                // 90 companyOn
    {u"データ名：", u"Title："},                                                // 91 titleOn
    {u"操作者：", u"Operator："},                                               // 92 operatorOn
    {u"日付：", u"Date："},                                                     // 93 dateOn
    {u"自動入力：", u"Auto clock："},                                           // 94 dateAuto
    {u"テキスト入力：", u"Text："},                                             // 95 dateText
    {u"温湿度：", u"Temp/Humid："},                                             // 96 tempHumidOn
    {u"メモ：", u"Memo："},                                                     // 97 memoOn
    {u"CSV保存設定", u"CSV save setting"},                                      // 98 csvSaveSetting
    {u"小数点記号", u"Decimal Symbol"},                                         // 99 decimalSymbol
    {u"データ区切り記号", u"List Separator"},                                   // 100 listSeparator
    {u". （ピリオド）", u". （Period）"},                                       // 101 periodChoice
    {u", （コンマ）", u", （Comma）"},                                          // 102 commaChoice
    {u"; （セミコロン）", u"; （Semicolon）"},                                  // 103 semicolonChoice
    {u"_Jpn.pdf", u"_Eng.pdf"},                                                 // 104 manualFileSuffix
    {u"バージョン情報", u"About"},                                              // 105 aboutTitle
    {u"USB接続をチェック中 ...", u"Checking USB connection ...."},              // 106 checkingUsb
    {u"メモリデータ読み込み", u"Read Memory Data form DMM"},                    // 107 readMemoryTitle
    {u"保存先設定", u"Save setting"},                                           // 108 saveDestination
    {u"保存先フォルダー名：", u"Folder name："},                                // 109 folderNameLabel
    {u"保存ファイル名：", u"File name："},                                      // 110 fileNameLabel
    {u"参照", u"Browse"},                                                       // 111 browse
    {u"残り時間：", u"Remain："},                                               // 112 remainLabel
    {u"経過時間：", u"Elapsed："},                                              // 113 elapsedLabel
    {u"分", u" min"},                                                           // 114 minuteSuffix
    {u"秒", u" sec"},                                                           // 115 secondSuffix
    {u"保存先フォルダーの選択", u"Select destination folder"},                  // 116 chooseFolder
    {u"キャンセル", u"Cancel"},                                                 // 117 cancel
    {u"レコードデータExcel貼り付け", u"Paste Record Data to Excel"},            // 118 pasteToExcelTitle
    {u"Excel\n起動", u"Excel\nOpen"},                                           // 119 excelOpen
    {u"リターンキーで取り込み", u"By return key"},                              // 120 byReturnKey
    {u"タイムインターバルで自動取り込み", u"By time interval"},                 // 121 byTimeInterval
    {u"レコード設定を使う", u"Use Record Setting"},                             // 122 useRecordSetting
    {u"間隔", u"Int."},                                                         // 123 intervalShort
    {u"取り込みスタート", u"Start"},                                            // 124 takeInStart
    {u"取り込み中止", u"Stop"},                                                 // 125 takeInStop
    {u"閉じる", u"Close"},                                                      // 126 close
    {u"Excelの起動", u"Open Excel"},                                            // 127 openExcelTitle
    {u"新規ファイル（起動中のファイル）", u"New File（Launched File）"},        // 128 newOrRunningFile
    {u"ファイルを指定する", u"Edit File"},                                      // 129 chosenFile
    {u"Excelファイル(*.xlsx;*.xls)|*.xlsx;*.xls||",
     u"Excel file (*.xlsx;*.xls)|*.xlsx;*.xls||"},                       // 130 excelFileFilter
    {u"クランプ", u"Clamp"},                                             // 131 clamp
    {u"導通", u"Continuity"},                                            // 132 continuity
    {u"ダイオード", u"Diode"},                                           // 133 diode
    {u"抵抗", u"Resistance"},                                            // 134 resistance
    {u"温度", u"Temp"},                                                  // 135 temperature
    {u"コンデンサ", u"Capacitance"},                                     // 136 capacitance
    {u"検電", u"V-Detect"},                                              // 137 voltageDetect
    {u"周波数", u"Frequency"},                                           // 138 frequency
    {u"Ω", u"Ohm"},                                                      // 139 ohm
    {u"℃", u"Celsius"},                                                  // 140 celsius
    {u"Fahrenheit", u"Fahrenheit"},                                      // 141 fahrenheit
    {u"しきい値 ", u"Threshold "},                                       // 142 threshold
    {u"基準インピーダンス ", u"Standard Impedance "},                    // 143 standardImpedance
    {u"メモリデータ", u"Memory Data"},                                   // 144 memoryData
    {u"レコードデータ", u"Record Data"},                                 // 145 recordData
    {u"日付", u"Date"},                                                  // 146 csvColumnDate
    {u"時間", u"Time"},                                                  // 147 csvColumnTime
    {u"メインファンクション", u"Main Function"},                         // 148 csvMainFunction
    {u"メイン測定値", u"Main Measured Value"},                           // 149 csvMainValue
    {u"メイン単位", u"Main Unit"},                                       // 150 csvMainUnit
    {u"メインOVER", u"Main OVER"},                                       // 151 csvMainOver
    {u"サブファンクション", u"Sub Function"},                            // 152 csvSubFunction
    {u"サブ測定値", u"Sub Measured Value"},                              // 153 csvSubValue
    {u"サブ単位", u"Sub Unit"},                                          // 154 csvSubUnit
    {u"サブOVER", u"Sub OVER"},                                          // 155 csvSubOver
    {u"サブ情報", u"Sub Information"},                                   // 156 csvSubInformation
    {u"vdmmファイル(*.vdmm)|*.vdmm||", u"vdmm file (*.vdmm)|*.vdmm||"},  // 157 vdmmFileFilter
    {u"csvファイル(*.csv)|*.csv||", u"csv file (*.csv)|*.csv||"},        // 158 csvFileFilter
    {u"通信エラー。\n\nUSBケーブルの接続  または\n本体の電源を確認してください。  ",
     u"Communication Error.\n\nCheck USB cable connection, \nor power supply of DMM.  "},  // 159 communicationError
    {u"1秒以上の時間を設定してください。", u"Please enter more than or equal to 1 sec."},  // 160 intervalTooShort
    {u"レコード時間はインターバル時間より長く設定してください。",
     u"Please set the record time longer than the time interval."},  // 161 recordTimeTooShort
    {u"保存先フォルダー名を指定してください ",
     u"Designate a destination folder for saving.  "},                          // 162 noDestinationFolder
    {u"保存ファイル名を入力してください ", u"Enter a filename for saving.  "},  // 163 noFileName
    {u"ファイル名には次の文字は使えません。 \n\n        \\ / : , ; * ? \" < > |",
     u"The following character(s) cannot be used in filename.  \n\n        \\ / : , ; * ? \" < > |"},  // 164
                                                                                                       // forbiddenCharacter
    {u"指定した保存ファイル名は既に存在します。  \n\n上書き保存してもいいですか？",
     u"A file with the designated filename already exists.  \n\nOverwrite?"},     // 165 overwriteQuestion
    {u"データを読み込んでいます .......", u"Reading the data from DMM ......."},  // 166 readingData
    {u"%s が開けません。", u"Can not open %s."},                                  // 167 cannotOpen
    {u"データ読み込み完了", u"Completed reading data from DMM."},                 // 168 readingCompleted
    {u"データ読み込みエラー。\n\nすべてのデータを読み込めませんでした。",
     u"Reading data Error. \n\nCan not read all data."},                   // 169 readError
    {u"データが保存されていません。", u"Data has not been saved."},        // 170 nothingSaved
    {u"Excel プログラムが見つかりません。", u"Excel program not found."},  // 171 excelNotFound
    {u"モニタ停止中です。\nモニタ開始してから実行してください。",
     u"Monitor is stopping.\nPlease run after you start the monitor."},  // 172 excelMonitorStopped
    {u"書込みエラー。\n範囲外のセルに書き込もうとしました。",
     u"Writing Error.\nWriting to a cell outside of the range."},  // 173 excelWriteError
    {u"Excelが閉じられたため、\nデータ取り込みを終了します。",
     u"The data caputure is ended,\nbecause Excel is closed."},  // 174 excelClosed
    {u"このファイル形式を認識できません。\n\n他のプログラムで作成したファイル、またはファイルが壊れている可能性がありま"
     u"す。",
     u"Incorrect file format.\n\nFile created by other program, or file corrupted."},        // 175 notRecordingFile
    {u"データフォーマットの互換性がありません。", u"Not compatible with the data format."},  // 176 incompatibleFormat
    {u"データを保存しますか？", u"Save data?"},                                              // 177 saveDataQuestion
    {u"アプリを終了する前に、レコード停止してください。",
     u"Please stop record before closing the app!"},  // 178 stopRecordBeforeExit
    {u"本ソフトウェアを終了します。\nよろしいですか？",
     u"This will exit the application.  \nDo you want to proceed?"},  // 179 exitQuestion
    {u"システムエラー", u"System Error"},                             // 180 systemError
    {u"本体ソフトのバージョンが対応していません。\n\nこのプログラムは、Ver %s 以上が有効です。\nVer %s "
     u"以上にバージョンアップしてから実行してください。    ",
     u"Version of the DMM firmware is not compatible.\n\nThis program is valid for more than or equal to Ver "
     u"%s.\nPlease execute application after the upgrade."},  // 181 firmwareNotSupported
    {u"モニタ停止中です。\nモニタ開始してから実行してください。",
     u"Monitor is stopping.\nPlease run after you start the monitor."},  // 182 monitorStopped
    {u"PDFリーダーがインストールされていないため、PDFファイルを開けませんでした。",
     u"Can not open PDF file because there is no PDF reader."},  // 183 noPdfReader
    {u"読み込んだファイルの製造番号が一致しません。\n\n新規にレコードデータ取得します。",
     u"Serial number of the read file and DMM do not match.\n\nApplication will get new record data list."},  // 184
                                                                                                              // serialMismatch
    {u"通信エラー。コマンド送信できません！\n\n測定を停止します。",
     u"Communication Error. Can not send command!\n\nThe monitor is stopped."},  // 185 cannotSend
    {u"通信エラー。応答がありません！\n\n測定を停止します。",
     u"Communication Error. No response!\n\nThe monitor is stopped."},          // 186 noResponse
    {u"AD値の文字列がおかしい。", u"Invalid AD response."},                     // 187 invalidAdResponse
    {u"通信エラー。バッファオーバー。", u"Communication Error. Buffer over."},  // 188 bufferOver
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

std::u16string_view Word(TextId text, int language) {
  const UiText& entry = UiTextEntry(static_cast<int>(text));
  return language == 0 ? entry.japanese : entry.english;
}
