#pragma once

#include <string>

namespace tenkari::win32 {

// The folder that holds tenkari.exe itself, where its help files ship, whatever folder the
// program was started in; empty if the system cannot say.
std::wstring program_folder();

// The folder the program runs in, where its reading files are written.
std::wstring current_folder();

// folder and a file name joined by one backslash ("C:\" and "a.txt" give "C:\a.txt").
std::wstring path_in(const std::wstring& folder, const std::wstring& file_name);

}  // namespace tenkari::win32
