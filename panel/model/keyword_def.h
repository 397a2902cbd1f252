// keywordDef: one row of the keyword vocabulary, the grammar of one keyword of the driver and
// room-file language, and the row numbers that tie each keyword to its value slot.
//
// Row i of the vocabulary (1..73) describes keyword i and owns value slot i of the panel
// settings object; memory rules, accessors, encoder and decoder address slots by these fixed
// numbers (KeywordRow). Booleans read as -1/0 when converted to numbers. Variant columns hold
// 1-based lists of 1-based lists, as described field by field below.
#pragma once

#include <cstdint>
#include <string>

#include "common/variant.h"

// What may stand in brackets after the keyword.
enum SubscriptKind : int16_t {
  subNone = 1,     // no subscript
  subAny = 2,      // a word or a single-quoted string
  subList = 3,     // a name from the row's subscript list
  subNumeric = 4,  // a number
  subQuoted = 5,   // a single-quoted string
};

// What follows "=". Value 5 is not used.
enum KeywordValueType : int16_t {
  valTime = 1,          // a time, held in microseconds
  valNumber = 2,        // a number
  valSingleQuoted = 3,  // single-quoted text
  valBoolean = 4,       // TRUE or FALSE
  valDoubleQuoted = 6,  // double-quoted text
  valWord = 7,          // a word from the row's word list
  valRs232Code = 8,     // an RS232 code
  valIrCode = 9,        // an IR code
  valCodeName = 10,     // single-quoted name of a code-table entry
  valCodeString = 11,   // one code string (the projector's reply pattern)
};

// Argument count of the rows that take any number of arguments.
constexpr int16_t kAnyArgCount = -1;

struct keywordDef {
  std::string keyword;             // as written in files; compared ignoring case
  int16_t subscriptKind = subNone;
  Variant subscripts;              // subList only: (names, one mandatory Boolean per name)
  int16_t valueType = 0;
  bool mandatory = false;          // a driver must give the keyword
  bool roomKeyword = false;        // a room setting (informative only)
  Variant defaultVal;              // supplied by the checker when absent; mostly empty
  int16_t argCount = 0;            // arguments after "="; kAnyArgCount for any number
  Variant ranges;                  // valNumber: (minima, maxima), one entry per argument
  Variant wordLists;               // valWord and the codes: one list per argument, or one for all
  std::string alias;               // older form accepted where aliases are allowed
  bool persistent = false;         // survives a change of projector driver
};

// The fixed row numbers of the vocabulary.
enum KeywordRow : int16_t {
  kwProjFileFmt = 1,
  kwProjDriverName = 2,
  kwProjName = 3,
  kwProjDriverRev = 4,
  kwDocRevUserMessage = 5,
  kwIrTime0L = 6,
  kwIrTime0H = 7,
  kwIrTime1L = 8,
  kwIrTime1H = 9,
  kwCodeSubst = 10,
  kwProjBaudRate = 11,
  kwIrCode = 12,
  kwRsCode = 13,
  kwBytesToQueue = 14,
  kwPowerPollInterval = 15,
  kwPowerPollTimeout = 16,
  kwPowerPollThreshold = 17,
  kwPowerPollStartbyte = 18,
  kwPowerPollMatchAny = 19,
  kwPowerPollMatchBytes = 20,
  kwPowerPollTestbyteMask = 21,
  kwPowerPollDuringWarmup = 22,
  kwPowerPollDuringLockout = 23,
  kwPowerPollLockout = 24,
  kwProjUsesAbsoluteVol = 25,
  kwVolMute = 26,
  kwVolRange = 27,
  kwVolFloor = 28,
  kwIoDowntime = 29,
  kwWarmUpDelay = 30,
  kwPowerOnDelay = 31,
  kwIoCancelDowntimeOnRx = 32,
  kwUseModulationWhenWired = 33,
  kwInvertLineWhenWired = 34,
  kwCarrierPeriod = 35,
  kwCarrierDutyCycle = 36,
  kwProjMissingThreshold = 37,
  kwDefaultCoreFunct = 38,
  kwDefaultSelection = 39,
  kwDefaultHidFunct = 40,
  kwDefaultLockout = 41,
  kwPowerSenseOptions = 42,
  kwIrWiringOptions = 43,
  kwDocProj232Connector = 44,
  kwDocProj232Wiring = 45,
  kwRoomUsrNote = 46,
  kwDocInstallationNote = 47,
  kwPassiveMode = 48,
  kwRoomUseInactShutdownTimer = 49,
  kwRoomInactShutdownTimer = 50,
  kwRoomProjLockout = 51,
  kwRoomSelection = 52,
  kwRoomHidFunct = 53,
  kwRoomIrWiringSelected = 54,
  kwRoomPowerSenseSelected = 55,
  kwRoomAlternateCtsUse = 56,
  kwRoomEnableAuxAudio = 57,
  kwRoomUsePowerOnVol = 58,
  kwRoomVolPowerOnLevel = 59,
  kwRoomRelayUseAdvanced = 60,
  kwRoomRelay = 61,
  kwRoomAfvpDefeatPreamp = 62,
  kwRoomAfvpDefeatEq = 63,
  kwRoomAfvpGbt = 64,
  kwRoomLegendName = 65,
  kwRoomStickyHiddenOn = 66,
  kwRoomIrPassthruOn = 67,
  kwRoomPowerOnSelection = 68,
  kwRoomUsePowerOnSelection = 69,
  kwRequiresFwVersion = 70,
  kwRoomLegendFont = 71,
  kwRoomLegendGif = 72,
  kwRoomUseOffPressHold = 73
};

constexpr int16_t kKeywordCount = 73;
