// Ids of the resources built into the program, shared by the resource script and the code.
#pragma once

#define QUILLOW_IDB_BACKGROUND 101
