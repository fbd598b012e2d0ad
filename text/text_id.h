// Names of the interface texts: one per entry of the table in ui_text.cpp,
// in its order, so that code says which text it shows instead of its number.
#pragma once

enum class TextId : int {
  // The menus.
  fileMenu,
  openMenu,
  saveMenu,
  saveAsMenu,
  saveCsvMenu,
  exitMenu,
  settingMenu,
  optionMenu,
  readMemoryMenu,
  pasteToExcelMenu,
  languageMenu,
  helpMenu,
  pdfManualMenu,
  aboutMenu,

  // The monitor panel.
  realTimeMonitor,
  mainLabel,
  subLabel,
  modeLabel,
  rangeLabel,
  monitorButton,
  stopMonitorButton,
  peakButton,
  clearButton,
  filterButton,
  configuration,   // the diagram's frame while connected
  uutUnconnected,  // ... and while not
  statusGroup,
  modelLabel,
  firmwareVersionLabel,
  portLabel,
  timeLabel,

  // The tabs.
  recordTab,
  graphTab,

  // The record information items (record information page, CSV header).
  company,
  title,
  model,
  function,
  range,
  date,
  operatorName,
  tempHumid,
  interval,
  buffer,  // the number of records
  memo,
  baseTime,

  // The record list and graph pages.
  recordTime,
  mainDisplay,
  subDisplay,
  mainAndSubDisplay,
  previousPage,
  nextPage,
  jumpToPage,

  // Short function names (record list).
  continuityShort,
  resistanceShort,
  capacitanceShort,
  frequencyShort,

  // The record panel and the clear dialog.
  startTimeLabel,
  stopTimeLabel,
  startButton,
  stopButton,
  manualButton,
  copyGraphButton,
  saveButton,
  clearRecordsButton,  // the record panel's Clear; the dialog repeats its text
  clearTitle,
  clearAll,
  clearNewest,

  // The settings dialog.
  settingTitle,
  communicationPage,
  meterPage,
  recordPage,
  savePage,
  automaticConnection,
  meterChoice,
  comPortLabel,
  baudRateLabel,
  continuityThresholdLabel,
  diodeThresholdLabel,
  dbmImpedanceLabel,
  filterPassbandLabel,
  timeInterval,
  normalInterval,
  fastInterval,
  secondUnit,  // "s" of the fast intervals
  totalGroup,
  bufferSizeLabel,
  recordTimeLabel,
  timeDisplayModeLabel,
  realTimeClock,
  relativeTime,
  companyOn,
  titleOn,
  operatorOn,
  dateOn,
  dateAuto,
  dateText,
  tempHumidOn,
  memoOn,
  csvSaveSetting,
  decimalSymbol,
  listSeparator,
  periodChoice,
  commaChoice,
  semicolonChoice,

  // Help and start-up.
  manualFileSuffix,  // "_Eng.pdf": the manual of the language
  aboutTitle,
  checkingUsb,

  // The memory download.
  readMemoryTitle,
  saveDestination,
  folderNameLabel,
  fileNameLabel,
  browse,
  remainLabel,
  elapsedLabel,
  minuteSuffix,
  secondSuffix,  // " sec" of the download times and take-in intervals
  chooseFolder,
  cancel,

  // The spreadsheet window.
  pasteToExcelTitle,
  excelOpen,
  byReturnKey,
  byTimeInterval,
  useRecordSetting,
  intervalShort,
  takeInStart,
  takeInStop,
  close,
  openExcelTitle,
  newOrRunningFile,
  chosenFile,  // "Edit File": open a chosen spreadsheet
  excelFileFilter,

  // Function names in the interface language.
  clamp,
  continuity,
  diode,
  resistance,
  temperature,
  capacitance,
  voltageDetect,
  frequency,

  // Units and setting words.
  ohm,
  celsius,
  fahrenheit,
  threshold,
  standardImpedance,

  // CSV captions and column titles.
  memoryData,
  recordData,
  csvColumnDate,
  csvColumnTime,
  csvMainFunction,
  csvMainValue,
  csvMainUnit,
  csvMainOver,
  csvSubFunction,
  csvSubValue,
  csvSubUnit,
  csvSubOver,
  csvSubInformation,

  // File filters.
  vdmmFileFilter,
  csvFileFilter,

  // Messages.
  communicationError,
  intervalTooShort,
  recordTimeTooShort,
  noDestinationFolder,
  noFileName,
  forbiddenCharacter,
  overwriteQuestion,
  readingData,
  cannotOpen,
  readingCompleted,
  readError,
  nothingSaved,
  excelNotFound,
  excelMonitorStopped,  // the same text as monitorStopped
  excelWriteError,
  excelClosed,
  notRecordingFile,  // "Incorrect file format."
  incompatibleFormat,
  saveDataQuestion,
  stopRecordBeforeExit,
  exitQuestion,
  systemError,
  firmwareNotSupported,
  monitorStopped,
  noPdfReader,
  serialMismatch,
  cannotSend,
  noResponse,
  invalidAdResponse,
  bufferOver,
};
