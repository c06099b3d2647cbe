// Ids of the resources built into the program, shared by the resource script and the code.
#pragma once

// The program's icon: the lowest id of any icon in the program, and no icon has a name, so
// that Explorer, which shows a program's first icon, shows this one.
#define QUILLOW_IDI_PROGRAM 1
