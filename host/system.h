// Module System (host part): folders, the settings file, the Windows family and the key lock.
#pragma once

#include <string>

inline std::string WinDir;   // ends in a backslash
inline std::string DataDir;  // WinDir & product::kMediaFolder & "\"

std::string GetIniData(const std::string& File, const std::string& Section, const std::string& Key);
// True when the value was written; on false, win::LastErrorText() gives the system's reason.
bool PutIniData(const std::string& File, const std::string& Section, const std::string& Key,
                const std::string& Value);
void GetDiectories();
// The steps of GetDiectories after the query: both folders from the Windows directory's text.
void FoldersFrom(const std::string& windows_directory);
std::string GetVersion32();
void SetTFS(const std::string& LockState);

// The system call behind SetTFS; tests put a recorder in its place (null puts the real one back).
using KeyLockCall = bool (*)(unsigned action, unsigned param, void* pv, unsigned win_ini);
void SetKeyLockCallForTests(KeyLockCall call);
