// Starts a program with an exact command line inside a job object, waits
// until it and every process it started have ended, and prints
// "exit=<code> processes=<count> microseconds=<from start to the last end>".
// Test and benchmark code only.
//
//   starter [--wide] <command line> <application or -> <working dir or -> <PATH head or ->
//
// Every argument is hex, so that any bytes of any code page get through: ANSI
// bytes for CreateProcessA, or with --wide UTF-16LE for CreateProcessW, for
// folder names that the process code page cannot spell.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string FromHex(const char* hex) {
  std::string bytes;
  if (hex[0] == '-' && hex[1] == '\0') return bytes;
  auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  for (; hex[0] && hex[1]; hex += 2) {
    bytes += static_cast<char>(nibble(hex[0]) << 4 | nibble(hex[1]));
  }
  return bytes;
}

std::wstring FromUtf16Hex(const char* hex) {
  const std::string bytes = FromHex(hex);
  std::wstring text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

int Fail(const char* what) {
  std::printf("starter: %s failed, error %lu\n", what, GetLastError());
  return 3;
}

// The program, suspended, from the directory given; a relative application
// name is completed from the starter's own current directory, so that is
// where the program is started from too.
bool Create(std::string commandLine, const std::string& application,
            const std::string& directory, PROCESS_INFORMATION& process) {
  if (!directory.empty() && !SetCurrentDirectoryA(directory.c_str())) return false;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(application.empty() ? nullptr : application.c_str(),
                        &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, directory.empty() ? nullptr : directory.c_str(),
                        &startup, &process);
}

bool Create(std::wstring commandLine, const std::wstring& application,
            const std::wstring& directory, PROCESS_INFORMATION& process) {
  if (!directory.empty() && !SetCurrentDirectoryW(directory.c_str())) return false;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  return CreateProcessW(application.empty() ? nullptr : application.c_str(),
                        &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, directory.empty() ? nullptr : directory.c_str(),
                        &startup, &process);
}

}  // namespace

int main(int argc, char** argv) {
  const bool wide = argc > 1 && std::string(argv[1]) == "--wide";
  if (wide) --argc, ++argv;
  if (argc != 5) {
    std::printf("usage: starter [--wide] CMDLINE APP DIR PATHHEAD (hex or -)\n");
    return 2;
  }
  const std::string pathHead = FromHex(argv[4]);
  if (!pathHead.empty()) {
    char path[32768];
    const DWORD n = GetEnvironmentVariableA("PATH", path, sizeof path);
    SetEnvironmentVariableA("PATH", (pathHead + ";" + std::string(path, n)).c_str());
  }

  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  if (!job || !port) return Fail("CreateJobObject");
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
  if (!SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation,
                               &association, sizeof association)) {
    return Fail("SetInformationJobObject");
  }

  LARGE_INTEGER frequency, started, ended;
  QueryPerformanceFrequency(&frequency);
  PROCESS_INFORMATION process = {};
  QueryPerformanceCounter(&started);
  const bool created =
      wide ? Create(FromUtf16Hex(argv[1]), FromUtf16Hex(argv[2]), FromUtf16Hex(argv[3]), process)
           : Create(FromHex(argv[1]), FromHex(argv[2]), FromHex(argv[3]), process);
  if (!created) return Fail("CreateProcess");
  if (!AssignProcessToJobObject(job, process.hProcess)) return Fail("AssignProcessToJobObject");
  ResumeThread(process.hThread);

  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);

  // The job reports when its last process has ended; a bound keeps a hung
  // companion from hanging the test run.
  for (;;) {
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED detail = nullptr;
    if (!GetQueuedCompletionStatus(port, &message, &key, &detail, 60000)) {
      return Fail("waiting for the job");
    }
    if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) break;
  }
  QueryPerformanceCounter(&ended);
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
  QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                            sizeof accounting, nullptr);
  const long long microseconds =
      (ended.QuadPart - started.QuadPart) * 1000000 / frequency.QuadPart;
  std::printf("exit=%lu processes=%lu microseconds=%lld\n", exitCode,
              accounting.TotalProcesses, microseconds);
  return 0;
}
