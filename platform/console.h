// The shell every command-line program of the kit shares: one set of exit
// statuses, one conversion of the kit's Shift-JIS texts for the console, and
// writes to the standard streams that are all checked, so that output lost to
// a full disk or a closed pipe never ends in a status of success.
#pragma once

#include <cstdio>
#include <string>

namespace zet {

// Exit statuses of every program.
constexpr int kExitSuccess = 0;   // done; for a check, nothing worse than a warning found
constexpr int kExitFailure = 1;   // a failure, said on standard error
constexpr int kExitWrongUse = 2;  // a command line the program does not take

// Wrong use of the command line, in Shift-JIS: thrown by a program's option
// parser, said by its main with the usage and kExitWrongUse.
struct UsageError {
  std::string text;
};

// The program's name, for the messages the shell itself gives; set first.
void NameProgram(const char* name);

// Shift-JIS text as the console shows it: on Linux UTF-8 with LF line ends,
// a byte that is no character in code page 932 shown as "?"; on Windows,
// whose console takes the ANSI code page, unchanged.
std::string ConsoleText(const std::string& shiftJis);

// Writes `bytes` as they are and flushes; false when that fails, which is
// also remembered for ExitStatus.
bool WriteConsole(FILE* stream, const std::string& bytes);

// One line: `path` as the console gave it and ": " (nothing when empty), then
// the Shift-JIS `text` for the console.
void Say(FILE* stream, const std::string& path, const std::string& text);

// `status`, or kExitFailure when a write to standard output or standard error
// failed, now or earlier; a failed standard output is then said on standard
// error with the system's reason.
int ExitStatus(int status);

// --help and --version: the Shift-JIS usage, or "NAME VERSION", on standard
// output; kExitSuccess unless the write fails.
int ShowUsage(const std::string& usage);
int ShowVersion(const char* nameAndVersion);

}  // namespace zet
