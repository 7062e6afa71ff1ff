// The one way commands read and change the edit control: its whole text, its
// selection, and a span replaced as one undo step with the text limit lifted.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string_view>

namespace tessel::editctl {

// The edit control's whole text, copied once; empty when no memory could be
// had (ok() is then false and the command leaves the text alone).
class Text {
public:
    explicit Text(HWND edit);
    ~Text();
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    bool ok() const { return text_ != nullptr; }
    std::string_view view() const { return {text_ ? text_ : "", length_}; }

private:
    char* text_ = nullptr;
    std::size_t length_ = 0;
};

struct Selection {
    std::size_t start = 0;
    std::size_t end = 0;
    bool empty() const { return start == end; }
};

// The selection, start before end.
Selection GetSelection(HWND edit);

// Selects [start, end); `scroll` brings the caret into view.
void Select(HWND edit, std::size_t start, std::size_t end, bool scroll = false);

// The edit control's text limit.
std::size_t Limit(HWND edit);

// Replaces [start, end) by `text` with undo, as one undo step. The text limit
// is lifted around it: the callers have applied the limit already, and a text
// loaded above it must not be cut by the edit control a second time.
void Replace(HWND edit, std::size_t start, std::size_t end, const char* text);

}  // namespace tessel::editctl
