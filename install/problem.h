// What keeps an install from starting, found before it changes anything, and the question
// that lets the user clear it and try again.
#pragma once
#include <windows.h>

enum {
    PROBLEM_IN_USE = 1,         // a file held open by a program, or one that cannot be written
    PROBLEM_FOLDER_IN_THE_WAY,  // a folder where a required file goes
    PROBLEM_NO_ROOM,            // the volume is too full
    PROBLEM_NO_NEW_FILE         // the install folder takes no new file
};

struct InstallProblem {
    int kind;
    char name[MAX_PATH];        // the file or folder, for the first two kinds
    unsigned long missingKB;    // what the volume lacks, for PROBLEM_NO_ROOM
};

// Fills problem and returns 0, so that a check can end with "return Problem(...)".
int Problem(InstallProblem *problem, int kind, const char *name);

// Names the problem in a bilingual message with Retry and Cancel. 1 when the user chose Retry.
int AskToRetry(const InstallProblem *problem);
