// What a failing command says on stderr, after the listing it printed as usual: one line
// naming the file (or the panel), the result and its load-error text (gErrorMessages), then
// the error lines of the listing, a parse listing's with the line they belong to
// ("FILE:LINE: text", compiler style; the checker's findings, which belong to no line, as
// "FILE: text"), a memory listing's as "SOURCE: text". The lines a parse listing counts as
// errors are "(E)" and "(P)" alike; the first 50 are said, and then how many more the listing
// holds (error_echo.h).
#pragma once

#include <cstddef>
#include <string>

namespace cli {

// Every line the program says on stderr goes through here: the text whole (NULs included), with
// what a terminal could act on (control bytes, C1 controls in UTF-8, stray bytes) shown as
// "\xHH" (platform::visibleText), since names and texts from files and panels can hold any byte.
void sayLine(const std::string& text);

// Prints "orvella-config: <message>" on stderr and gives the status back.
int fail(int status, const std::string& message);

// "orvella-config: SOURCE: load error N: TEXT".
void reportLoadError(const std::string& source, int result);

// The error lines ("(E)", "(P)") of a parse listing; those before byte `parsedSize` were
// written while the file was read (each belongs to the last echoed line), those after it by
// the checker.
void reportParseErrors(const std::string& file, const std::string& listing, size_t parsedSize);

// The error lines of a memory listing.
void reportMemoryErrors(const std::string& source, const std::string& listing);

// The warning lines of a memory listing, "SOURCE: warning: text".
void reportMemoryWarnings(const std::string& source, const std::string& listing);

// For the library folder holding `path` that could not be read this run (unreadable_folders.h):
// "orvella-config: cannot read 'FOLDER': REASON"; false when there is none.
bool reportUnreadableFolder(const std::string& path);

// Every library folder that could not be read this run, one line each as above: kExitNoInput
// when there was one, kExitOk when none.
int failOnUnreadableFolders();

}  // namespace cli
