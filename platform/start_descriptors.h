// The descriptors the program was started with.
//
// A name such as /dev/fd/3 or /dev/stderr stands for what the user gave the program on that
// descriptor when it started, never for a file the program opened itself and that took a free
// number. A standard descriptor (0, 1, 2) closed at start would be such a free number: the first
// file the program opens would take it, and what is written to standard output or said on
// standard error would go into that file. So a closed 0, 1 or 2 is held on the null device for
// the whole run: what reaches it is lost, and it still counts as closed.
#pragma once

namespace platform {

// Notes the descriptors open now and holds each closed one of 0, 1 and 2 on the null device.
// Called once, first thing in main().
void holdDescriptorsAtStart();

// True when `fd` was open when holdDescriptorsAtStart ran (one held on the null device was not);
// before that call (a test of this layer), whether it is open now.
bool openAtStart(int fd);

}  // namespace platform
