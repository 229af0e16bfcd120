// The checks an install passes before it changes anything.
#pragma once
#include "problem.h"

// 1 when the install can finish: every old dictionary file and every existing file of a
// required entry can be taken from the folder, no folder stands where a required file goes,
// the volume has room for every file written while the old ones are kept aside, and the
// folder takes a new file. Otherwise 0 with the first problem found. Changes nothing.
int CheckInstallCanFinish(int keepOld, InstallProblem *problem);
