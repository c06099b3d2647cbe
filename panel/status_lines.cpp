#include "panel/status_lines.h"

namespace quillow::lines {
namespace {

std::string Join(std::string_view before, std::string_view reason, std::string_view after) {
    std::string line;
    line.reserve(before.size() + reason.size() + after.size());
    line.append(before).append(reason).append(after);
    return line;
}

}  // namespace

std::string IdleCauseLine(std::string_view reason) {
    return Join(kIdleCauseBefore, reason, kIdleCauseAfter);
}

std::string ReLine(std::string_view reason) { return Join(kReBefore, reason, kReAfter); }

}  // namespace quillow::lines
