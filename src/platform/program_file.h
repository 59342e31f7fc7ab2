#pragma once
// Whether a file is a program, to be run, or a document, to be opened with its application,
// decided as the desktop's file managers decide: by GIO's content type from the file's name and
// content. The execute bit alone does not make a program: every file on a FAT, NTFS or SMB
// mount has it, and a document another user wrote must never run as code.

#include <string>

namespace platform {

// The file begins as a program does (the ELF magic or "#!"; a file that cannot be read is
// taken as one, for the start to say why it cannot run), and its type is one that runs: an
// executable, a script, or an ELF library-like executable. A name without a dot is decided
// by its start alone, so that a start with only programs does not load GIO; without GIO, the
// start decides.
bool isProgramFile(const std::string& path);

}  // namespace platform
