#pragma once

// `krt-optcalc maxpain FILE`: the maximum-pain price of the chain in FILE (MaxPainChainFile.h)
// on the first line (%.17g, -1 without strikes), then one line per strike in ascending order:
// its price, call pain and put pain. A malformed line is reported on stderr with its number,
// and the exit status is 2, as for any bad argument.
int RunMaxPainCommand(int count, char** args);
