#include "wizard/parse_file_listing.h"

ParseFileListing& ParseFileListing::instance() {
  static ParseFileListing listing;
  return listing;
}
