// The importers' open-file dialog, shown by the maker's helper library that lies beside
// the add-in.
#pragma once

// The library's answer (one path, or several in double quotes), to be freed by the
// caller with LocalFree; null on cancel or when the library or its export is missing.
// filter has the form "VCard (*.vcf)|*.vcf||".
char* ShowOpenFileDialog(const char* initial, int maxLength, const char* filter);
