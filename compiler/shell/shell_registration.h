// Registration of the source file type (".zts", "ZetrovaSource"), its
// context-menu commands, its new-file template and the uninstall entry.
#pragma once

#include <string>

namespace zet {

// Writes the registry values in their fixed order and logs the installation
// message. Throws Win32Error at the first failure, leaving what it wrote.
void InstallShell();

// Deletes the registered keys, each before its parent, ignoring every failure,
// and logs the two uninstallation lines.
void UninstallShell();

enum class RegistryRoot { ClassesRoot, LocalMachine };

// Creates or opens `key` and sets its REG_SZ value `valueName` (nullptr: the
// default value) to `text` with its terminator. Throws Win32Error with the
// registry's status.
void SetRegistryString(RegistryRoot root, const char* key, const char* valueName,
                       const std::string& text);

}  // namespace zet
