// tour.exe: works Quillow's panel and the stand-in client for the demo and the screenshots.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo/tour.h"
#include "demo/tour_options.h"

int wmain(int argc, wchar_t** argv) {
    // Screen coordinates and sizes in real pixels, whatever the density.
    SetProcessDPIAware();
    try {
        const auto options =
            quillow::demo::ParseTourOptions(std::vector<std::wstring>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(quillow::demo::kTourUsage, stdout);
            return 0;
        }
        quillow::demo::RunTour(options);
        return 0;
    } catch (const std::invalid_argument& fault) {
        std::fprintf(stderr, "tour: %s\n%s", fault.what(), quillow::demo::kTourUsage);
        return 2;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tour: FAILED: %s\n", failure.what());
        return 1;
    }
}
