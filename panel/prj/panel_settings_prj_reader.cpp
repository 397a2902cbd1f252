// The reader of older-format (".prj") drivers: cuts the file into lines and "|"-separated
// fields, echoes every line numbered into the parse log, and hands each record to the
// translator, which turns it into statements of the keyword language.
#include "common/text_helpers.h"
#include "panel/language/driver_file_text.h"
#include "panel/language/driver_token.h"
#include "panel/panel_settings.h"
#include "panel/prj/prj_record_translator.h"
#include "panel/model/slot_reading.h"

bool PanelSettingsV2::readPrjFile(const std::string& fileName) {
  TypeValueList noRecord;
  translatePrjRecord(noRecord);  // every file starts from a fresh translator

  std::string bytes;
  if (!DriverFileText::readFileBytes(fileName, bytes)) return false;

  int32_t lineNumber = 1;
  std::string lineText;
  std::string field;
  TypeValueList record;
  bool atLineEnd = false;  // between the line end of one record and the next record's text
  char previous = 0;

  auto echoLine = [&] {
    logParse(plRaw, DriverFileText::numberedLine(lineNumber, lineText));
    ++lineNumber;
    lineText.clear();
  };
  // A record with more fields than a list holds is refused whole, so the fields past the
  // first one too many are only counted: a long line costs no more than its text.
  bool fieldsDropped = false;
  auto endField = [&] {
    if (record.count() > KeyValueClass::kMaxPairs) fieldsDropped = true;
    else addToken(record, tokWord, VXCommon::trimWhite(field));
    field.clear();
  };
  auto endRecord = [&] {
    endField();
    // A line ending in "|" leaves one empty field behind, which is not part of the record.
    if (!fieldsDropped && SlotReading::textOf(record.item(record.count())->theValue).empty())
      record.remove(record.count());
    fieldsDropped = false;
    // A blank line has no fields: it makes nothing (an empty record would reset the
    // translator in the middle of the file).
    if (!record.empty()) translatePrjRecord(record);
    record = TypeValueList();
  };

  for (char c : bytes) {
    const bool isLineEnd = c == '\r' || c == '\n';
    if (!isLineEnd) lineText += c;
    else if (c == '\r' || previous != '\r') echoLine();

    if (isLineEnd) {
      if (!atLineEnd) endRecord();
      atLineEnd = true;
    } else {
      atLineEnd = false;
      if (c == '|') endField();
      else field += c;
    }
    previous = c;
  }
  // The last line counts whether or not a line end closes it.
  if (!lineText.empty()) {
    echoLine();
    endRecord();
  }
  return true;
}

void PanelSettingsV2::translatePrjRecord(TypeValueList& record) {
  if (record.empty()) {
    translator_ = PrjTranslatorState();
    translator_.carrierPr2 = -1;  // not known yet
    translator_.carrierDutyCycle = -1;
    return;
  }
  PrjRecordTranslator(*this, record).translate();
}

void PanelSettingsV2::addToken(TypeValueList& tokens, int16_t kind, const std::string& text) {
  tokens.add(kind, Variant(text));
}

std::string PanelSettingsV2::tokensToText(const TypeValueList& tokens) {
  std::string text;
  for (const TypeValuePtr& token : tokens) {
    const std::string tokenText = SlotReading::textOf(token->theValue);
    if (token->theType == tokSingleQuoted) text += "'" + tokenText + "'";
    else if (token->theType == tokDoubleQuoted) text += "\"" + tokenText + "\"";
    else text += tokenText;
  }
  return text;
}

void PanelSettingsV2::parseTranslated(TypeValueList& tokens, bool allowDuplicates) {
  logParse(plTranslated, tokensToText(tokens));
  parseStatement(tokens, allowDuplicates);
}
