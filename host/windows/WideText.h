// Texts between the host's UTF-8 and the UTF-16 of the Windows API, the system's words for an
// error code, and the name of the running program.
#pragma once

#include <string>

namespace tavrix::host {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

// The system's message for a GetLastError() code, without its trailing full stop and line end.
std::string SystemErrorText(unsigned long error);

// The running program's own file, as the system names it; empty when it will not say.
std::string RunningProgramFile();

}  // namespace tavrix::host
