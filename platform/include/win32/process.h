// Threads and processes of the stand-in. A thread is a real thread; its handle is
// signalled when it ends. A process is a program that testkit registered under a
// Windows path, run on a thread of its own in this process (testkit/Windows.h).
#pragma once

#include "win32/base.h"

using LPTHREAD_START_ROUTINE = DWORD(WINAPI*)(LPVOID);

#define CREATE_SUSPENDED 0x00000004
#define STILL_ACTIVE 259L
#define ERROR_NOT_ENOUGH_MEMORY_FOR_THREAD ERROR_NOT_ENOUGH_MEMORY

// Runs proc(param) at once. creationFlags other than 0 fail with 87. NULL when a test
// makes creation fail (testkit/Windows.h).
HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize,
                           LPTHREAD_START_ROUTINE proc, LPVOID param, DWORD creationFlags,
                           LPDWORD threadId);
DWORD WINAPI GetCurrentThreadId();
DWORD WINAPI GetCurrentProcessId();
// STILL_ACTIVE while it runs.
BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

struct STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
using LPSTARTUPINFOA = STARTUPINFOA*;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// Starts the program registered under applicationName (compared as a Windows path,
// without regard to case), else the first word of commandLine. FALSE with 2 when no
// program is registered there, or with the error a test chose. The caller closes both
// handles of info.
BOOL WINAPI CreateProcessA(LPCSTR applicationName, LPSTR commandLine,
                           LPSECURITY_ATTRIBUTES processAttributes,
                           LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                           DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                           LPSTARTUPINFOA startupInfo, LPPROCESS_INFORMATION info);
// STILL_ACTIVE while the program runs, then its result.
BOOL WINAPI GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
