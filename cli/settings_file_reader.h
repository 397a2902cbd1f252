// Reading a driver or a room file into a new panel settings object, as the commands that take
// a FILE do: a name ending in ".room" (any letter case) is a room file, any other a projector
// driver (".prj" in the older record format, the rest in the keyword language). The parse log
// goes to the parse listing, which printParseListing writes to the command's listing byte for
// byte (its lines escaped on a terminal: output_writer.h).
//
// The parse listing of a file that does not check goes where the command's listing goes: the
// file its --listing names, or standard output; never into standard output when that carries
// the room of `-o -` (a command without --listing), where it is left out and stderr says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "panel/panel_settings.h"
#include "cli/file_args.h"
#include "cli/output_writer.h"

namespace cli {

struct SettingsFile {
  std::string path;
  std::shared_ptr<PanelSettingsV2> settings;  // null when the file could not be read
  bool room = false;                          // read as a room file
  size_t parsedSize = 0;                      // bytes of the parse listing written by the reader
  int16_t result = 0;                         // the checker's load error (checkSettingsFile)
  // The exit status of a command that needs the file to check: the checker's result for a
  // driver; for a room file 1, the room file's load error, whenever it is not 0.
  int status() const { return room && result != 0 ? 1 : result; }
};

bool isRoomFileName(const std::string& path);

// Reads the file into a new settings object. When it cannot be read (or is no regular file),
// says so on stderr and gives a null object.
SettingsFile readSettingsFile(const std::string& path);

// Reads and checks the file (IsDriverValid); the parse listing holds what both logged.
SettingsFile checkSettingsFile(const std::string& path);

// Where a command without --listing puts the parse listing when its room goes to `output`:
// standard output, prepared here; none (the listing left out) when `output` is standard output.
std::unique_ptr<PreparedOutput> parseListingBeside(const PreparedOutput& output);

// The settings of a file that reads and checks (checkSettingsFile gives 0), or null with the
// exit status: 66 when the file cannot be read; when it does not check, its load error (1 for
// a room file), with the parse listing written to `listing` (left out, and said so, when none)
// and the failure on stderr (73 when the listing cannot be written).
std::shared_ptr<PanelSettingsV2> readCheckedSettings(const std::string& path, int& status, PreparedOutput* listing);

// The same for a file that checkSettingsFile has read and checked already.
std::shared_ptr<PanelSettingsV2> checkedSettings(const SettingsFile& file, int& status, PreparedOutput* listing);

// The factory settings of the library (loadDefaults), or null with the exit status: 66 when
// the factory-defaults driver cannot be read (the drivers folder named when it is the folder
// that cannot be read); its load error when it does not check (the driver's listing written
// to `listing` and its failure reported, as readCheckedSettings does).
std::shared_ptr<PanelSettingsV2> loadFactoryDefaults(int& status, PreparedOutput* listing);

// The whole parse listing, CR LF line ends included (writeText), on the command's listing.
int printParseListing(PreparedOutput& listing);

// The failure of a file that does not check, on stderr: the load-error line and its errors.
void reportCheckFailure(const SettingsFile& file);

}  // namespace cli
