// The record file: every message that reaches the client's windows from another thread, and
// what the client did about it. Each entry is written with one unbuffered write, so a reader
// sees it as soon as the call returns. Without an open record every call does nothing.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace standin {

// `path` is UTF-8; under Wine a Unix path ("/tmp/x.tsv") is accepted too. Returns false with
// the reason in `error` when the file cannot be created.
bool OpenRecord(std::string_view path, std::string& error);

void RecordMessage(std::string_view window, UINT message, WPARAM wParam, LPARAM lParam,
                   std::string_view text);

void RecordEvent(std::string_view what, std::string_view where, std::string_view bytes = {});

}  // namespace standin
