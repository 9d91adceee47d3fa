// The add-in's product version words, which the writers put into their product ids.
#pragma once

// True when the add-in's version resource was read; the outs stay 1, 0, 0 otherwise.
bool GetModuleVersion(int& major, int& minor, int& revision);
