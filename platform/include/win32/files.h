// Files, folders, searches and the path helpers of the shell light-weight API.
//
// Paths are Windows paths: "Z:\" is the Linux root, "C:\" the host root folder, "\"
// and "/" are both separators and existing names match without regard to case. UNC
// paths name nothing here (ERROR_BAD_NETPATH). Share modes are accepted but not
// enforced: another open of the same file never fails with a sharing violation.
#pragma once

#include "win32/base.h"

// Access rights and share modes of CreateFileA.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u

// Creation dispositions.
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

// Attributes (GetFileAttributesA, WIN32_FIND_DATAA; NORMAL also as a CreateFileA flag).
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
// The move returns only once the file and its new name are on the disk.
#define MOVEFILE_WRITE_THROUGH 0x00000008u

// Asynchronous I/O is not offered: every lpOverlapped must be NULL.
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE templateFile);
BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                     LPOVERLAPPED overlapped);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED overlapped);
// The low 32 bits of the size (INVALID_FILE_SIZE and the error on failure; when the
// size itself has those low bits, GetLastError() is ERROR_SUCCESS).
DWORD WINAPI GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
DWORD WINAPI SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh,
                            DWORD moveMethod);
BOOL WINAPI FlushFileBuffers(HANDLE file);

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];  // always empty: there are no short names
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;

// The last component may hold "*" and "?", matched without regard to ASCII case; "*"
// and "*.*" match every name. Entries come "." and ".." first, then in name order
// ignoring case. No match: ERROR_FILE_NOT_FOUND; missing folder: ERROR_PATH_NOT_FOUND;
// FindNextFileA past the last entry: ERROR_NO_MORE_FILES.
HANDLE WINAPI FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData);
BOOL WINAPI FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData);
BOOL WINAPI FindClose(HANDLE findFile);

BOOL WINAPI DeleteFileA(LPCSTR fileName);
// Fails with ERROR_ALREADY_EXISTS when the target exists; moves files across file
// systems by copying, keeping the last-write time.
BOOL WINAPI MoveFileA(LPCSTR existingFileName, LPCSTR newFileName);
BOOL WINAPI MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
// Keeps the source's last-write time; with failIfExists an existing target is never
// touched (ERROR_FILE_EXISTS).
BOOL WINAPI CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);
BOOL WINAPI CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES security);
BOOL WINAPI RemoveDirectoryA(LPCSTR pathName);
DWORD WINAPI GetFileAttributesA(LPCSTR fileName);

// The temporary folder with a trailing "\"; the length without the NUL, or the size
// needed (NUL included) when the buffer is too small.
DWORD WINAPI GetTempPathA(DWORD bufferLength, LPSTR buffer);
// With unique 0 creates a new empty file "<folder>\<first 3 chars of prefix><hex>.tmp"
// and returns its number; otherwise only forms that name. buffer holds MAX_PATH.
// 0 and the error on failure.
UINT WINAPI GetTempFileNameA(LPCSTR pathName, LPCSTR prefixString, UINT unique, LPSTR tempFileName);

// Path helpers. As in the shell's own, only "\" separates components here; buffers
// that receive a path hold MAX_PATH characters.
BOOL WINAPI PathFileExistsA(LPCSTR path);
// FILE_ATTRIBUTE_DIRECTORY for a folder, else FALSE.
BOOL WINAPI PathIsDirectoryA(LPCSTR path);
// dir and file joined with one "\" and "." and ".." resolved; a file that is a full
// path stands alone. NULL (and "" in dest) when the result does not fit.
LPSTR WINAPI PathCombineA(LPSTR dest, LPCSTR dir, LPCSTR file);
BOOL WINAPI PathIsUNCA(LPCSTR path);
BOOL WINAPI PathIsUNCServerA(LPCSTR path);
// Drops the last component; FALSE when nothing was removed.
BOOL WINAPI PathRemoveFileSpecA(LPSTR path);
BOOL WINAPI PathAppendA(LPSTR path, LPCSTR more);
LPSTR WINAPI PathFindFileNameA(LPCSTR path);
// An optional sign and the decimal digits that follow it; 0 when there are none.
int WINAPI StrToIntA(LPCSTR text);

// Cuts (or extends) the file at the handle's current position.
BOOL WINAPI SetEndOfFile(HANDLE file);
// A second name for an existing file; both names must lie on one volume
// (ERROR_NOT_SAME_DEVICE otherwise), and the new name must not exist (ERROR_ALREADY_EXISTS).
BOOL WINAPI CreateHardLinkA(LPCSTR fileName, LPCSTR existingFileName,
                            LPSECURITY_ATTRIBUTES security);
