#include "tests/windows/support/build_tree.h"

#include <windows.h>

#include <string>

namespace quillow::e2e {

std::filesystem::path TestProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

// The test programs sit in one folder of the build tree; the build says how to climb out of it.
std::filesystem::path BuildRoot() {
    return (TestProgramDirectory() / QUILLOW_BUILD_ROOT_FROM_TESTS).lexically_normal();
}

std::filesystem::path StandinProgram() { return BuildRoot() / "standin" / "standin.exe"; }

std::filesystem::path PanelProgram() { return BuildRoot() / "app" / "quillow.exe"; }

std::filesystem::path FreshScratchDirectory(std::string_view name) {
    const std::filesystem::path directory = TestProgramDirectory() / "scratch" / name;
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    return directory;
}

}  // namespace quillow::e2e
