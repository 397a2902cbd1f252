// Writing a file that the user asked for (a room file, a panel image, a listing).
//
// A name first leads somewhere: symbolic links on its last component are followed one at a
// time (a relative target taken from the link's folder), and the link stays. A name in the
// program's own descriptor folder (/proc/self/fd/N; /dev/fd/N, /dev/stdout and /dev/stderr lead
// there) stands for the open descriptor N: the bytes are written through it, in place, whatever
// it is open on (a file opened for appending keeps what it held). A chain of more than 40 links
// is a loop and is written nowhere.
//
// A target that is a regular file, or does not exist yet, gets the bytes through a temporary file
// beside it, which is flushed and then renamed over it (platform::replaceFile), so that a failure
// never leaves a half-written file nor destroys the one that was there, and a signal that ends the
// program removes the temporary file (temporary_file.h). The file keeps the
// permissions of the file it replaces, and its owner and group where the user may set them (root
// replacing a user's file leaves it theirs); a new file gets the permissions of any new file (0666
// less the umask) instead of the temporary file's private ones. A target that exists and is neither
// a regular file nor a folder (a device, a FIFO, a terminal) is opened and written, never replaced.
// An existing regular file that the user could not open for writing (read-only, another user's, on
// a read-only mount) is refused with the system's reason and left as it is: a rename would
// otherwise put a new file of the user's in its place. So is a file whose folder the user may not
// write, since the temporary file is made there. A replaced file is a new file, so another hard
// link to the old one keeps the old bytes.
//
// A caller may give the form its bytes take on a terminal: whether the descriptor written is one
// is known only once it is open (isatty), and a replaced file never is.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/temporary_file.h"

namespace platform {

// Where an output name leads.
struct OutputTarget {
  enum class Kind { file, descriptor, linkLoop };
  Kind kind = Kind::file;
  std::string path;     // file: the name the links end at (it need not exist)
  int descriptor = -1;  // descriptor: the program's open descriptor it stands for
};

OutputTarget resolveOutput(const std::string& path);

// The folder that holds `path`, with its closing slash ("." for a bare name), and the name
// within it.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// 0 when a regular file at `path` (a name whose links are followed already), existing or not,
// may be written by a replace, or when `path` exists and is no regular file; else the errno that
// opening it for writing, or writing in its folder, gives.
int replaceRefusal(const std::string& path);

// The bytes as a terminal is to get them.
using TerminalForm = std::function<std::string(const std::string& bytes)>;

// The bytes to write to descriptor `fd`: onTerminal(bytes) when it is given and `fd` is a
// terminal, else the bytes as they are.
std::string formFor(int fd, const std::string& bytes, const TerminalForm& onTerminal);

// True when the target holds the bytes (onTerminal(bytes) instead when it is given and the
// descriptor written is a terminal). Otherwise false, the old file (if any) untouched, no
// temporary file left behind, and the reason (the system's error text) in `reason`.
bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason,
                     const TerminalForm& onTerminal = {});

// An output made ready before its bytes are written, for a command that writes another output
// first: a file that the write will replace gets its temporary file at once, so that the file
// is there, and removed by a signal that ends the program, all the while the other output is
// written. Anything else is opened only when written. Neither copied nor moved.
class PendingOutput {
 public:
  explicit PendingOutput(const std::string& path);
  // As writeOutputFile; once only.
  bool write(const std::string& bytes, std::string& reason, const TerminalForm& onTerminal = {});

 private:
  OutputTarget target_;
  std::optional<TemporaryFile> temporary_;
};

}  // namespace platform
