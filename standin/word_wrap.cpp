#include "standin/word_wrap.h"

namespace standin {

std::vector<WrappedRow> WrapRuns(const std::vector<std::wstring>& runs, int width, int indent,
                                 const MeasureText& measure) {
    std::vector<WrappedRow> rows(1);
    int x = 0;
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const std::wstring_view text = runs[run];
        std::size_t pos = 0;
        while (pos < text.size()) {
            // One token: a word and the spaces after it.
            std::size_t wordEnd = pos;
            while (wordEnd < text.size() && text[wordEnd] != L' ') ++wordEnd;
            std::size_t end = wordEnd;
            while (end < text.size() && text[end] == L' ') ++end;

            const int rowStart = rows.size() == 1 ? 0 : indent;
            const int wordWidth = wordEnd > pos ? measure(text.substr(pos, wordEnd - pos), run) : 0;
            if (x + wordWidth > width && x > rowStart) {
                rows.emplace_back();
                x = indent;
            }

            WrappedRow& row = rows.back();
            if (!row.empty() && row.back().run == run &&
                row.back().begin + row.back().length == pos) {
                row.back().length += end - pos;
            } else {
                row.push_back({run, pos, end - pos, x});
            }
            x += measure(text.substr(pos, end - pos), run);
            pos = end;
        }
    }
    return rows;
}

}  // namespace standin
