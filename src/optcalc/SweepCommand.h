#pragma once

// krt-optcalc sweep FILE AXIS: the position risk model run on the positions of a file. FILE
// holds {"underlying": identity, "params": parameter set, "positions": [position records]}, with
// the model's keys and text values. Prints one line per point of the sweep over AXIS (0 price,
// 1 volatility, 2 rate, 3 days left), in ascending order of the swept value (descending days):
// the label, then Delta, Gamma, Theta, Vega and Rho ("%.9g"); then "total" and the total row's
// twelve figures as KEY=VALUE. Answers the exit status: 0, or 2 after saying on stderr what is
// wrong (the arguments, the file, its Json).
int RunSweepCommand(char** args, int count);
