// Where the build tree's Windows programs are, seen from a running test program.
#pragma once

#include <filesystem>
#include <string_view>

namespace quillow::e2e {

// The folder of the running test program.
std::filesystem::path TestProgramDirectory();
// The top of the build tree it belongs to.
std::filesystem::path BuildRoot();

std::filesystem::path StandinProgram();  // the stand-in chat client
std::filesystem::path PanelProgram();    // Quillow itself

// An empty folder of the given name for one test's files (a record file, say), made afresh
// beside the test program.
std::filesystem::path FreshScratchDirectory(std::string_view name);

}  // namespace quillow::e2e
