// PanelSettingsV2: the settings of one panel setup (a "room").
//
// The object holds the values of the 73 keywords of the driver and room-file language, one
// value slot per keyword row (a shared KeyValueClass, null while the keyword was not given),
// together with the keyword vocabulary (keywordDef rows 1..73) and the three memory rule sets
// (1 = memory format 7, 2 = format 8, 3 = format 9; format f uses set f - 6). Vocabulary and
// rule sets are built by the constructor and never change.
//
// Contract kept by every member:
// - Slots 12 (IRCODE) and 13 (RSCODE) always refer to one and the same non-null object, the
//   code table; no operation assigns either slot alone.
// - Slots are shared references: after copyPersistentVals a slot of the new object is the very
//   object of the old one, so a change through either settings object is seen by both.
// - Only logParse changes the parse counters and only Clear resets them (and the count of
//   comment lines, which only the lexer changes). Each logged line is appended to the parse
//   listing window with CR LF.
//
// The object is non-copyable and held by shared_ptr where it is shared. Its members are
// declared in the order of the data's flow (read, check, room properties, room file, panel
// image), each section naming the folder of panel/ whose sources define it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/key_value_list.h"
#include "common/variant.h"
#include "panel/image_build_error.h"
#include "panel/model/keyword_def.h"
#include "panel/model/mem_rule_set.h"
#include "panel/model/parse_log_kind.h"
#include "panel/model/prj_translator_state.h"
#include "panel/model/type_value.h"
#include "panel/unwritable_text.h"

class memBlockCls;
namespace RoomFileText {
class Quoting;
}

class PanelSettingsV2 : public VbObject {
 public:
  static constexpr int16_t kRuleSetCount = 3;

  PanelSettingsV2();
  PanelSettingsV2(const PanelSettingsV2&) = delete;
  PanelSettingsV2& operator=(const PanelSettingsV2&) = delete;

  // ---- Changed flag, slot access and driver names (panel_settings.cpp).
  bool isDirty() const { return isDirty_; }
  void isDirty(bool value) { isDirty_ = value; }
  // The object in value slot `index` (1..73), or Nothing when the slot is empty.
  // VbError 9 outside 1..73.
  Variant directAccess(int16_t index) const;
  // "<PROJ-NAME> (<PROJ-DRIVER-REV>)"; an empty slot contributes "".
  std::string assembleDriverName() const;
  // First value of PROJ-DRIVER-NAME as text; "" when the slot is empty.
  std::string fullDriverName() const;

  // ---- Resetting and taking over a room's settings (panel_settings.cpp).
  // Empties every slot, gives slots 12 and 13 a new shared code table, zeroes the counters,
  // forgets the statements the parser refused and clears the parse listing. Keeps
  // roomFileName, isDirty, loadingDefaults and the translator.
  void Clear();
  // For each persistent keyword row whose slot in oldObj is not empty, this object's slot
  // becomes that same object (shared, not copied). Other slots keep what they hold.
  void copyPersistentVals(const PanelSettingsV2& oldObj);

  // ---- Read-only views of the state (panel_settings.cpp).
  // Vocabulary row (1..73); VbError 9 outside.
  const keywordDef& keywordTable(int16_t row) const;
  // Rule set (1..3); VbError 9 outside.
  const MemRuleSet& memRules(int16_t set) const;
  // Errors and warnings logged since the last Clear; they stop at 32,767.
  int16_t parseErrors() const { return parseErrors_; }
  int16_t parseWarnings() const { return parseWarnings_; }
  // Lines of keyword-language files read since the last Clear that held a comment (";" outside
  // quotes, to the line end), which no setting keeps.
  int32_t commentLines() const { return commentLines_; }
  // File name, without its folder, of the last room file read; "" in a new object.
  const std::string& roomFileName() const { return roomFileName_; }
  // True once the factory defaults were loaded into this object.
  bool loadingDefaults() const { return loadingDefaults_; }

  // ---- Driver and room file entry points (language/, prj/).
  // Neither clears the object: statements add to the values already held. Both answer False,
  // after logging nothing, when the file cannot be opened or read.
  // Reads a projector driver: a name ending in ".prj" (any letter case) in the older record
  // format, any other in the keyword language. Afterwards PROJ-DRIVER-NAME holds the single
  // pair ("1", the file's name without its folder), whatever the file said.
  bool ReadAndParseProjFile(const std::string& fileName);
  // Remembers the file's name without its folder in roomFileName, then reads the room file.
  bool ReadAndParseRoomFile(const std::string& fileName);
  // Reads the text of a room file held in memory, as ReadAndParseRoomFile reads a file named
  // `fileName`.
  void parseRoomFileText(const std::string& fileName, std::string text);

  // ---- Driver checker (check/).
  // Completes what was read with the driver defaults (empty slots only), checks that the driver
  // is complete and consistent, logs every finding and a four-line summary, and passes back the
  // load error: 0 ok; 2 errors were counted (by the reader or the check); 5 the driver needs
  // newer firmware than gPanelFwMajor.gPanelFwMinor, whatever else was found; 10 no or an unknown
  // PROJ-FILE-FMT, which ends the check at once. Never raises.
  void IsDriverValid(int16_t& result);

  // ---- Factory defaults (check/). Marks the object (loadingDefaults), reads the factory-defaults
  // driver of the library's drivers folder and checks it. True when the check did not give 0.
  static const char* const kFactoryDefaultsDriver;  // its file name
  bool loadDefaults();

  // ---- Code-table accessors (properties/).
  // The code table is the list of (code name, code entry) pairs shared by slots 12 and 13, in
  // driver order; a code's index is its 1-based position. A code designator (`item`) is a code
  // name (a string, looked up exactly) or an index. No accessor fails on a missing slot or a
  // designator outside the list: it answers "no such code" (false, "", 0 or null).
  int16_t codeTableCount() const;
  // Index of the code with exactly this name; 0 when none.
  int16_t codeTableIdx(const std::string& name) const;
  // Name of the code at the index; "" outside the list.
  std::string codeTableName(int16_t index) const;
  bool codeTableIsRS232(const Variant& item) const;
  bool codeTableIsIR(const Variant& item) const;
  // True when any code is an IR code, resp. an RS232 code.
  bool driverUsesIR() const;
  bool driverUsesRS232() const;
  // One row of a driver's document table: the key (note number or quoted revision) and text.
  struct NoteRow {
    std::string key;
    std::string text;
  };
  // Rows of DOC-INSTALLATION-NOTE, resp. DOC-REV-USER-MESSAGE, in driver order; empty when the
  // driver gave none.
  std::vector<NoteRow> InstallNotes() const;
  std::vector<NoteRow> RevisionHistory() const;
  bool codeTableUsePrefix(const Variant& item) const;
  bool codeTableUseSuffix(const Variant& item) const;
  // Names of the codes flagged IS-SELECTION (resp. IS-HIDDEN), in code order; element k - 1 is
  // position k. The WithSymbol forms put the IR marker (byte 0xBA) before each IR code's name.
  std::vector<std::string> codeTableSelectionsWithSymbol() const;
  std::vector<std::string> codeTableSelections() const;
  std::vector<std::string> codeTableHidFuncts() const;
  std::vector<std::string> codeTableHidFunctsWithSymbol() const;
  // Names of the codes flagged neither IS-HIDDEN nor IS-SELECTION.
  std::vector<std::string> codeTableCoreFuncts() const;
  // The room's code for selection button `button`, as a position in codeTableSelections (0 when
  // none). The Let stores the name at `position` (the empty name for a position outside the
  // list) and marks the object changed.
  int16_t codeTableRoomSelectionIdx(int16_t button) const;
  void codeTableRoomSelectionIdx(int16_t button, int16_t position);
  // The same for hidden-function slot 1..11 (OFF, VUP, VDN, 1..8) and codeTableHidFuncts; a
  // slot number outside 1..11 reads 0 and is not stored.
  int16_t codeTableRoomHidFunctIdx(int16_t slot) const;
  void codeTableRoomHidFunctIdx(int16_t slot, int16_t position);
  bool codeTableUseRepeat(const Variant& item) const;
  bool codeTableIsHidden(const Variant& item) const;
  // Setting true adds the IS-HIDDEN flag once; false changes nothing (the flag stays). Either
  // way the object is marked changed.
  void codeTableIsHidden(const Variant& item, bool value);
  bool codeTableIsSelection(const Variant& item) const;
  // Name of the code that continues this one; "" when none.
  std::string codeTableContinuation(const Variant& item) const;
  // The REPEATS count; 0 when absent or not a whole 16-bit number.
  int16_t codeTableRepetitions(const Variant& item) const;
  bool codeTableIncludeCont(const Variant& item) const;
  // The compiled lexes of the code; null when there is no such code.
  TypeValueListPtr codeTableLexes(const Variant& item) const;

  // ---- Room settings properties (properties/).
  // Typed Get/Let pairs over the room's keyword slots. No property raises: a Get of a missing
  // slot, relay, input or value gives False, 0 or ""; a Let creates the slot, pair or list it
  // needs, stores, and marks the object changed. A Let given an index outside its option or
  // word list, or a value it refuses, changes nothing and leaves the changed flag alone.
  //
  // The driver's power-sense options (POWER-SENSE-OPTIONS) in driver order; element k - 1 is
  // option k. Empty when the driver gave none.
  std::vector<std::string> powerSenseOptions() const;
  // Position of the room's power-sense choice among powerSenseOptions (letter case ignored);
  // 0 when none is chosen or the choice is not among them. The Let chooses option newVal.
  int16_t roomPowerSenseOptionSelected() const;
  void roomPowerSenseOptionSelected(int16_t newVal);
  // The same for the IR wiring options (IR-WIRING-OPTIONS) and the room's first wiring word.
  std::vector<std::string> IRwiringOptions() const;
  int16_t roomIRWiringOptSelected() const;
  bool isProjAbsolute() const;
  void roomIRWiringOptSelected(int16_t newVal);
  // Room switches.
  bool roomUsePowerOnSelection() const;
  void roomUsePowerOnSelection(bool newVal);
  bool roomPressAndHoldOff() const;
  void roomPressAndHoldOff(bool newVal);
  bool roomIRPassThru() const;
  void roomIRPassThru(bool newVal);
  bool roomEnableAuxAudio() const;
  void roomEnableAuxAudio(bool newVal);
  bool roomUseShutdownTmr() const;
  void roomUseShutdownTmr(bool newVal);
  bool roomUsePassiveMode() const;
  void roomUsePassiveMode(bool newVal);
  bool roomUseAdvancedRelays() const;
  void roomUseAdvancedRelays(bool newVal);
  bool roomUsePowerOnVol() const;
  void roomUsePowerOnVol(bool newVal);
  bool roomStickyHiddenOn() const;
  void roomStickyHiddenOn(bool newVal);
  bool roomDefeatAFVP() const;
  void roomDefeatAFVP(bool newVal);
  bool roomDefeatAvpEQ() const;
  void roomDefeatAvpEQ(bool newVal);
  // Legend idx's name, font and picture. A name keeps its line ends as "|" in the slot and
  // shows them as CR LF. The Lets refuse a text holding a double quote, or a CR or LF that is
  // not part of a CR LF of a name, since the room file could not read it back.
  std::string roomLegendName(int16_t idx) const;
  void roomLegendName(int16_t idx, const std::string& newVal);
  std::string roomLegendFont(int16_t idx) const;
  void roomLegendFont(int16_t idx, const std::string& newVal);
  std::string roomLegendGIF(int16_t idx) const;
  void roomLegendGIF(int16_t idx, const std::string& newVal);
  // Largest lockout time, in whole seconds, that memory format `version` (7, 8 or 9) can
  // hold; 0 for any other version.
  int16_t roomLockoutTimeUbound(int16_t version) const;
  // Lockout time in whole seconds (halves to even) as text; "" when none is set. The Let takes
  // the leading decimal number of its text (digits with an optional fraction, after leading
  // blanks; 0 when there is none) as seconds and keeps the fraction.
  std::string roomLockoutTime() const;
  void roomLockoutTime(const std::string& newVal);
  int16_t roomPowerOnVol() const;
  void roomPowerOnVol(int16_t newVal);
  int16_t roomPowerOnSelection() const;
  void roomPowerOnSelection(int16_t newVal);
  // Inactivity shutdown time in whole minutes, read and written like roomLockoutTime.
  std::string roomShutdownTimer() const;
  void roomShutdownTimer(const std::string& newVal);
  // Event and duration words of relay relayidx (ROOM-RELAY values 2 and 1).
  std::string roomRelayEventSelected(int16_t relayidx) const;
  void roomRelayEventSelected(int16_t relayidx, const std::string& newVal);
  std::string roomRelayDurationSelected(int16_t relayidx) const;
  void roomRelayDurationSelected(int16_t relayidx, const std::string& newVal);
  // Pre-amplifier of audio input inputIdx: gain, bass and treble are ROOM-AFVP-GBT values 1,
  // 3 and 2.
  int16_t roomAFVPGainSetting(int16_t inputIdx) const;
  void roomAFVPGainSetting(int16_t inputIdx, int16_t newVal);
  int16_t roomAFVPbassSetting(int16_t inputIdx) const;
  void roomAFVPbassSetting(int16_t inputIdx, int16_t newVal);
  int16_t roomAFVPTrebleSetting(int16_t inputIdx) const;
  void roomAFVPTrebleSetting(int16_t inputIdx, int16_t newVal);
  // Position of the room's CTS use in the CTS-use words ("CTS", "AuxAudio", "Keylock"); 0 when
  // none. The Let chooses word newVal.
  int16_t roomCTSAlternateUseSelected() const;
  void roomCTSAlternateUseSelected(int16_t newVal);
  // True when any value of the list equals the flag ignoring case; false for a null or empty
  // list.
  static bool flagExists(const std::string& flag, const KeyValuePtr& theTuple);
  // First position, from 1 to the upper bound, whose element equals val ignoring case; 0 when
  // none or when theArray is not an array.
  static int16_t findValInArray(const std::string& val, const Variant& theArray);

  // ---- Room-file writer (room/).
  // The whole text of a room file that reads back into these settings: slots in row order, one
  // statement per line ended by CR LF, PROJ-FILE-FMT=2 first, slots never created left out.
  // Changes nothing, the changed flag included. Only a room whose roomFileRefusal is none reads
  // back so: a text that no room file can hold is written as roomFileRefusal says.
  std::string encodeRoomFile() const;
  // The first text of encodeRoomFile that no room file can hold as it is (one holding its own
  // quote character or a line end), with its statement's setting; none when the room reads back.
  std::optional<UnwritableText> roomFileRefusal() const;
  // encodeRoomFile and roomFileRefusal in one pass: the text, and the refusal in `refusal`.
  std::string encodeRoomFile(std::optional<UnwritableText>& refusal) const;
  // The statement of slot `row` that the room file writes for `entry` (the pair's key; Empty
  // for a keyword without subscript), without its line end: "ROOM-RELAY[2]=Maintained". Only
  // "KEYWORD[entry]" when the room file writes no value for it.
  std::string roomStatement(int16_t row, const Variant& entry) const;

  // ---- Panel image encoder (image/).
  // Builds the 8192-byte panel image by walking rule set `version` (1, 2, 3: memory formats 7, 8,
  // 9) in order; fwMajor and fwMinor are the panel's firmware version, which chooses the serial
  // line's clock divider. Appends the image's listing to the memory debug window and gives the
  // image only when its log counted no error; otherwise shows the window and gives null. Changes
  // nothing in the settings; never raises. Every bit of the image knows the rule that wrote it
  // last (memBlockCls::lastWriter: its position in the set). `errors`, when given, receives one
  // record per error line of the log, with the setting that led to it (image_build_error.h).
  std::shared_ptr<memBlockCls> makeMemoryMap(int16_t& version, int16_t fwMajor, int16_t fwMinor,
                                             std::vector<ImageBuildError>* errors = nullptr) const;

  // ---- Image decoder (image/).
  // Reads a panel's room settings back from its memory, through a fresh image whose 64-byte
  // blocks are fetched from currentBlockSource() on first read, so only the blocks it touches are
  // read: the memory format from 0x1F01, then the rules of that format marked for read-back. The
  // driver named in the image is re-read from the library's drivers folder and checked; the room
  // values read later replace what it put in their slots. Does not clear the object first.
  // Appends the image's listing to the memory debug window (never shows it), clears the changed
  // flag and gives a LoadError: 0, 2 the driver does not check, 4 it is not in the drivers
  // folder, 7 no known format, 8 a block could not be read (whatever else was found), 9 the
  // image's log counted errors. version is set to the rule set used, 1..3 (formats 7..9), or 4
  // for no known format. Never raises. `ownDriver`, when given, is the text of the driver as a
  // room file writes it (its statements without the room's settings), read in place of the
  // library's driver: what an image built from a room keeps of it is told without the library.
  int16_t decodeMemoryMap(int16_t& version, const std::string* ownDriver = nullptr);

 private:
  friend class PanelSettingsTestAccess;  // tests reach the private state through it

  // ---- Slot access for the members (panel_settings.cpp). VbError 9 outside 1..73.
  KeyValuePtr& kv(int16_t row);
  const KeyValuePtr& kv(int16_t row) const;

  // ---- Parse log (model/).
  // Appends one line of the given kind to the parse listing and counts it.
  void logParse(ParseLogKind kind, const std::string& text);

  // ---- Construction steps (model/ and image/).
  static void buildWordLists();
  void buildKeywordTable();
  void buildRuleSets();
  void buildFormat9Rules();
  void buildFormat7And8Rules();

  // ---- Code strings (language/).
  friend class CodeStringSettingsTestAccess;
  // Compiles a code string with the CODE-SUBST definitions of slot 10, reporting to logParse.
  TypeValueListPtr compileCodeString(const std::string& codeText, CodeMedium medium);
  // Rewrites the in-line escapes of an older-format RS232 code into lexes.
  void translateEscCodes(TypeValueList& lexes);

  // ---- Statement parser (language/).
  // The first row (1..73) whose keyword equals key ignoring case, or with allowAlias whose
  // non-empty alias does; 0 when none. Passed back in row and returned.
  int16_t findKeyword(const std::string& key, bool allowAlias, int16_t& row) const;
  // Elements 1..upper bound, each in single quotes, joined by "," ('OFF','VUP').
  static std::string quotedList(const Variant& list);
  // Checks one statement against the vocabulary and stores its values in the keyword's slot,
  // consuming tokens from the front of the list. allowDuplicates (statements translated from
  // the older format) stores a repeated code name with "+" appended instead of refusing it,
  // and passes RS232 codes through translateEscCodes. Every problem is a parse-log line.
  void parseStatement(TypeValueList& tokens, bool allowDuplicates);
  class StatementParser;  // the work of one parseStatement call
  // Whether `values` is a subscript's own value list made by a statement the parser refused
  // partway: its error is logged, and what the list holds is what the statement left of it.
  bool refusedByParser(const KeyValuePtr& values) const;

  // ---- Driver-file lexer (language/).
  // Echoes every line of a keyword-language file into the parse log and parses each line's
  // statement. False when the file cannot be opened or read.
  bool lexDriverFile(const std::string& fileName);
  void lexDriverText(std::string bytes);

  // ---- Older-format driver reader (prj/). False when the file cannot be opened or read.
  bool readPrjFile(const std::string& fileName);

  // ---- Older record-format (".prj") translator (prj/); readPrjFile cuts the file into records.
  // Translates one record (word tokens, one per "|"-separated field); an empty record resets
  // the translator state.
  void translatePrjRecord(TypeValueList& record);
  static void addToken(TypeValueList& tokens, int16_t kind, const std::string& text);
  // The statement as it would be written: texts in order, kind 2 in single quotes, kind 3 in
  // double quotes.
  static std::string tokensToText(const TypeValueList& tokens);
  // Logs the statement as translated, then parses it.
  void parseTranslated(TypeValueList& tokens, bool allowDuplicates);
  class PrjRecordTranslator;  // the work of one translatePrjRecord call

  // ---- Driver checker (check/).
  class DriverChecker;  // the work of one IsDriverValid call

  // ---- Room settings properties (properties/).
  // Value 1 of slot `row`; Empty when the slot or the pair is missing.
  Variant roomSetting(int16_t row) const;
  // Value 1 of slot `row` becomes `value` (slot and pair created when missing); marks the
  // object changed.
  void letRoomSetting(int16_t row, const Variant& value);
  // Legend idx of slot `row` becomes the stored text; refused (False, nothing changed) for an
  // idx below 1 or a text a room file could not read back.
  bool letLegend(int16_t row, int16_t idx, const std::string& stored);
  // True for a legend text that a room file carries as it is: its statement is one line with
  // the text between double quotes, so the text holds no line end and no double quote. Every
  // other byte, NUL included, reads back as written.
  static bool legendFitsRoomFile(std::string_view stored);
  // Value `pos` of index idx's list in slot `row` becomes `value`; missing slot, pair, list
  // and earlier values (as `filler`) are created first. An idx below 1 changes nothing.
  void letIndexedValue(int16_t row, int16_t idx, int16_t pos, const Variant& value,
                       const Variant& filler);

  // ---- Room-file writer (room/).
  // One stored value, or every value of a list joined by ",", as room-file text of the value
  // type; codes (types 8, 9 and 11) as codeEntryText. `quoting` quotes the texts and
  // remembers the first it cannot quote.
  static std::string formatRoomValue(const Variant& value, int16_t valueType, RoomFileText::Quoting& quoting);
  // A code entry as the text after "=": its lexes in double quotes, then its flags and its
  // CONTINUE and REPEATS values.
  static std::string codeEntryText(const KeyValueClass& entry, RoomFileText::Quoting& quoting);
  // The statement of one pair of subscripted slot `row` as the room file writes it, without its
  // line end; "" when its value formats to nothing. A text it cannot quote is named after it.
  std::string pairStatement(int16_t row, const Variant& key, Variant value, RoomFileText::Quoting& quoting) const;
  // The whole room file, each text it cannot quote named after the statement that holds it.
  std::string encodeRoomFile(RoomFileText::Quoting& quoting) const;

  // ---- Relay, serial-line and pre-amplifier forms of the panel image (image/).
  // `image` only receives the log lines. `relayValues` is the ROOM-RELAY slot: relay r is its
  // r-th value, a list (duration word, event word). A relay without such a list logs
  // "Program Error - no setting for relay " and r (an error, or information in the reduced
  // form) and gives 0.
  //
  // Relay byte of formats 8 and 9: high nibble the duration index (0 Maintained .. 15
  // 1.5sec), low nibble the action (0-7 Selection0-7, 8 Off, 9 Binary, 0xB ~Binary, 0xF On);
  // a condition event is its RelayCondition in the high nibble and 0xC (0xE with "~") in the
  // low. An unknown event logs "Program Error - unclassified relay event" and leaves the low
  // nibble 0; an action with an unknown duration logs "Program Error - unclassified relay
  // duration" and gives a negative byte. Both are errors, which withhold the image.
  static int16_t encodeRelayByte(memBlockCls& image, int16_t relayNumber,
                                 const KeyValuePtr& relayValues);
  // Event word of a relay byte, its duration word passed back; an unknown byte (or one outside
  // 0..255) gives "" and logs "Program Error - unclassified relay value" as an error.
  static std::string decodeRelayByte(memBlockCls& image, int16_t relayByte,
                                     std::string& durationWord);
  // The reduced form: the same without the condition events, whose words and bytes are
  // unknown to it; its lines are information only.
  static int16_t encodeRelayByteBasic(memBlockCls& image, int16_t relayNumber,
                                      const KeyValuePtr& relayValues);
  static std::string decodeRelayByteBasic(memBlockCls& image, int16_t relayByte,
                                          std::string& durationWord);
  // Format 7 keeps all relays in one byte: relay r (1-3) sets bit 4 - r when timed and bit
  // 7 - r for "On"; relays 4-7 share bit 0 (timed) and bit 7 ("Binary"). Other relay numbers
  // give 0. Read back, a timed relay is "600ms", relays 1-3 are "On" or "Off", and relays 4-7
  // "Selection4" .. "Selection1" unless bit 7 makes them "Binary".
  static int16_t encodeRelayBitsV7(memBlockCls& image, int16_t relayNumber,
                                   const KeyValuePtr& relayValues);
  static std::string decodeRelayBitsV7(memBlockCls& image, int16_t relayNumber,
                                       int16_t relayBits, std::string& durationWord);
  // USART divisor (SPBRG, clock 20 MHz) nearest to the baud word's leading number, at most
  // 255; logs the rate it gives and the error in percent. A word without a positive leading
  // number logs an error and gives 0.
  static int16_t computeBaudDivisor(memBlockCls& image, const std::string& baudWord, bool brgh);
  // Whole baud rate that a divisor gives; 0 for a divisor of -1.
  static int32_t actualBaudRate(int16_t divisor, bool brgh);
  // Pre-amplifier input n (1-based) takes two bytes from address + 2n - 2: the gain, then the
  // treble in the high nibble and the bass in the low nibble. `afvpValues` is the
  // ROOM-AFVP-GBT slot: input n is its n-th value, a list (gain, treble, bass). An input
  // without such a list logs the error "Program Error - no setting for audio input " and n,
  // and writes nothing.
  struct AfvpInput {
    int16_t gain = 0;
    int16_t treble = 0;
    int16_t bass = 0;
  };
  static void encodeAfvpInput(memBlockCls& image, const KeyValuePtr& afvpValues, int16_t input,
                              int32_t address, int16_t lowBound);
  static AfvpInput decodeAfvpInput(memBlockCls& image, int16_t input, int32_t address);

  // ---- Panel image encoder (image/).
  class ImageEncoder;  // the work of one makeMemoryMap call

  // ---- Image decoder (image/).
  class ImageDecoder;  // the work of one decodeMemoryMap call

  // ---- Fields, in declaration order (panel_settings.cpp).
  std::array<keywordDef, kKeywordCount> keywordTable_;
  std::array<KeyValuePtr, kKeywordCount> kv_;
  std::array<MemRuleSet, kRuleSetCount> memRules_;
  int16_t parseErrors_ = 0;
  int16_t parseWarnings_ = 0;
  int32_t commentLines_ = 0;
  std::string roomFileName_;
  bool isDirty_ = false;
  bool loadingDefaults_ = false;
  PrjTranslatorState translator_;
  // The lists refusedByParser answers for since the last Clear; held so that no later list
  // takes the address of one.
  std::vector<KeyValuePtr> refusedValueLists_;
};

using PanelSettingsPtr = std::shared_ptr<PanelSettingsV2>;
