#include "contacts/EncodingEntry.h"

EncodingEntry::EncodingEntry(const char* name, const char* charset, int codePage)
    : Name(name), Charset(charset), CodePage(codePage) {}
