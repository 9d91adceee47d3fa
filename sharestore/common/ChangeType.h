// The change state of an index entry and its one-character form in the base file.
#pragma once

enum ChangeType { CT_UNCHANGED = 0, CT_NEW = 1, CT_MODIFIED = 2, CT_DELETED = 3 };

// A filter mask over change types has bit (1 << type); mask 0 means every entry.
inline bool IsChangeType(int type) { return type >= CT_UNCHANGED && type <= CT_DELETED; }
inline bool MatchesChangeMask(int mask, int type) { return mask == 0 || (mask & (1 << type)) != 0; }

// '_', 'N', 'M', 'D'; a value outside the types logs an assertion under `tag` and gives '_'.
char ChangeTypeToChar(int type, const char* tag);
// Either case; false for any other character.
bool ChangeTypeFromChar(char c, int& type);
