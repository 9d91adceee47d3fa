// The maker's open-file helper library as a test plays it: the answer and the record of
// the calls live in the platform, where testkit reaches them.
#include <cstring>

#include "bruvel/OpenFileScript.h"
#include "win32/module.h"

using kelvra::platform::OpenFileScript;

extern "C" char* WINAPI Bruvel(const char* initial, int maxLength, const char* filter) {
  auto answer = OpenFileScript::Instance().Answer(initial, maxLength, filter);
  if (!answer) return nullptr;
  auto* text = static_cast<char*>(LocalAlloc(LMEM_FIXED, answer->size() + 1));
  if (text) std::memcpy(text, answer->c_str(), answer->size() + 1);
  return text;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
  OpenFileScript::Instance().Notify(reason);
  return TRUE;
}
