// A stand-in for ORVA.EXE that records how it was started: the raw bytes of
// its ANSI command line, its working directory and its own path, written as
// hex (the paths as UTF-8) to received.txt beside itself. The paths are given
// in their long forms, so that a start through an 8.3 path shows which folder
// it really was. Test code only.
#include <windows.h>

#include <string>

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char b : bytes) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0,
                                    nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
  out.resize(n - 1);
  return out;
}

std::wstring LongForm(const std::wstring& path) {
  std::wstring full(32768, L'\0');
  const DWORD n = GetLongPathNameW(path.c_str(), &full[0], 32768);
  if (n == 0 || n >= 32768) return path;
  full.resize(n);
  return full;
}

std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, &path[0], 32768));
  return LongForm(path);
}

std::wstring WorkingDirectory() {
  std::wstring dir(32768, L'\0');
  dir.resize(GetCurrentDirectoryW(32768, &dir[0]));
  return LongForm(dir);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring self = OwnPath();
  const std::string report = "commandline " + Hex(GetCommandLineA()) +
                             "\ncwd " + Hex(Utf8(WorkingDirectory())) +
                             "\nself " + Hex(Utf8(self)) + "\n";
  const std::wstring reportPath =
      self.substr(0, self.find_last_of(L'\\') + 1) + L"received.txt";
  HANDLE file = CreateFileW(reportPath.c_str(), FILE_APPEND_DATA, 0, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
