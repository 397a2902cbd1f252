// Writing a file that the user asked for (a room file, a panel image, a listing): prepared once,
// before anything of the command is written, then written through what was prepared.
//
// A name first leads somewhere: symbolic links on its last component are followed one at a
// time (a relative target taken from the link's folder), and the link stays. A name in the
// program's own descriptor folder (/proc/self/fd/N; /dev/fd/N, /dev/stdout and /dev/stderr lead
// there) stands for descriptor N as the program was started with it (start_descriptors.h): the
// bytes are written through it, in place, whatever it is open on (a file opened for appending
// keeps what it held). One that was not open then, or is open only for reading, is refused
// (EBADF). A chain of more than 40 links is a loop and is refused (ELOOP).
//
// A target that is a regular file, or does not exist yet, gets the bytes through a temporary file
// beside it (temporary_file.h), made when the output is prepared and renamed over the target when
// the caller puts it in place, so that a failure never leaves a half-written file nor destroys the
// one that was there, and a signal that ends the program removes the temporary file. The file
// keeps the permissions of the file it replaces, and its owner and group where the user may set
// them (root replacing a user's file leaves it theirs); a new file gets the permissions of any new
// file (0666 less the umask) instead of the temporary file's private ones. A replaced file is a new
// file, so another hard link to the old one keeps the old bytes.
//
// Preparing proves that the output can be written: a folder is refused (EISDIR); so is an
// existing regular file that the user could not open for writing (read-only, another user's, on a
// read-only mount: a rename would otherwise put a new file of the user's in its place), one in a
// folder with the sticky bit that the user may not rename over (EPERM: another user's file in a
// shared folder such as /tmp), and one whose folder cannot take the temporary file. A target that
// exists and is neither a regular file nor a folder (a device, a terminal) is opened at once and
// written in place, never replaced; one that cannot be opened is refused. A FIFO is opened apart
// (openWaiting), since the open waits for a reader: the caller proves every other output first.
//
// What an output is open on is its identity, to tell two outputs (or an output and an input)
// that are one file, pipe or device.
//
// A caller may give the form its bytes take on a terminal: a replaced file never is one.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/fs_util.h"
#include "platform/temporary_file.h"

namespace platform {

// What a file, pipe or device is, for telling whether two names or descriptors are one.
struct FileIdentity {
  enum class Kind {
    unknown,     // nothing to compare (an output refused, a name that leads nowhere)
    nullDevice,  // keeps nothing: never one with anything
    file,        // a regular file or a folder: its device and inode
    stream,      // a pipe, FIFO or socket: its device and inode
    device,      // a terminal or other device: its device number
    newFile,     // a file still to be made: its folder's device and inode, and its name
  };
  Kind kind = Kind::unknown;
  dev_t device = 0;
  ino_t inode = 0;
  std::string name;
};

FileIdentity identityOf(const struct stat& info);
// Of what `path` leads to; unknown when it does not exist.
FileIdentity identityOfPath(const std::string& path);
bool sameFile(const FileIdentity& a, const FileIdentity& b);

// The bytes as a terminal is to get them.
using TerminalForm = std::function<std::string(const std::string& bytes)>;

// One output, prepared on construction. Neither copied nor moved (its temporary file is reached
// by its address).
class OutputFile {
 public:
  // Prepares the output that `path` names.
  explicit OutputFile(const std::string& path);
  // Prepares the output on the program's descriptor `fd` (standard output for "-").
  explicit OutputFile(int fd);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // 0 when the output may be written; else the errno that refuses it.
  int refusal() const { return refusal_; }
  const FileIdentity& identity() const { return identity_; }
  // A descriptor open on a terminal (a replaced file or a FIFO never is one).
  bool isTerminal() const;
  // The program's own descriptor that it writes through (refused or not), -1 for any other
  // output.
  int ownDescriptor() const { return borrowed_ ? fd_ : -1; }

  // Opens a FIFO, waiting for a reader; true for any other output. False (refusal() saying why)
  // when it cannot be opened.
  bool openWaiting();

  // Writes the bytes (onTerminal(bytes) instead on a terminal): a replaced file's go to its
  // temporary file, which stays until putInPlace. Once only. False, with the system's reason in
  // `reason`, when it fails (the old file untouched, no temporary file left).
  bool write(const std::string& bytes, std::string& reason, const TerminalForm& onTerminal = {});

  // Renames the written temporary file over the file it replaces; nothing to do for any other
  // output. False, with the reason, when it fails or nothing was written.
  bool putInPlace(std::string& reason);

 private:
  void prepareNamed(const std::string& path);
  void prepareReplacing(const std::string& target, const struct stat* existing);
  void prepareDescriptor(int fd);
  void refuse(int error);

  std::string target_;  // the name the links end at
  int fd_ = -1;
  bool borrowed_ = false;  // fd_ is the program's descriptor, not opened here
  bool waiting_ = false;   // a FIFO still to be opened
  int refusal_ = 0;
  FileIdentity identity_;
  std::optional<TemporaryFile> temporary_;
  bool replacing_ = false;  // a regular file, new or old, replaced through temporary_
  bool filled_ = false;     // the temporary file holds the bytes
  std::optional<mode_t> mode_;
  std::optional<FileOwner> owner_;
};

// Prepares, writes and puts in place one output. True when the target holds the bytes;
// otherwise false, the old file (if any) untouched, and the system's reason in `reason`.
bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason,
                     const TerminalForm& onTerminal = {});

}  // namespace platform
