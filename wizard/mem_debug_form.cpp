#include "wizard/mem_debug_form.h"

MemDebugForm& MemDebugForm::instance() {
  static MemDebugForm form;
  return form;
}

const std::string& MemDebugForm::txtMemDumpListing() {
  loaded_ = true;
  return text_;
}

void MemDebugForm::txtMemDumpListing(std::string text) {
  loaded_ = true;
  text_ = std::move(text);
}

void MemDebugForm::appendListing(const std::string& text) {
  loaded_ = true;
  text_ += text;
}

void MemDebugForm::Show() {
  loaded_ = true;
  shown_ = true;
}

void MemDebugForm::reset() {
  text_.clear();
  loaded_ = false;
  shown_ = false;
}
