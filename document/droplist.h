// The text made of the names of files dropped on the main window (drop modes
// "names as new text" and "names at the caret").
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tessel::drop {

constexpr std::size_t kMaxFiles = 2048;
constexpr std::size_t kSoftLimit = 24500;    // characters
constexpr std::size_t kBufferSize = 25000;   // bytes, terminator included
constexpr std::size_t kMaxNameLength = 255;  // the drop query's name buffer

struct DropList {
    // False when the drop held no files or more than 2048: there is no list
    // and nothing is inserted.
    bool listed = false;
    // The names in drop order, each followed by CR LF, no quotes.
    std::string text;
    // Set when the soft limit stopped the list: the zero-based index of the
    // file whose name crossed 24500 characters (that name is still in the
    // list).  The caller reports it with limitMessage().
    std::optional<std::size_t> stoppedAfter;
};

// Builds the list for `count` dropped files; nameOf(i) gives the full path of
// file i and is called in order, only as far as the list goes.  A name longer
// than 255 characters is taken with its first 255, as the drop query returns
// it, so the text never exceeds 24500 + 257 characters and always fits the
// 25000-byte buffer with its terminator.
DropList buildDropList(std::size_t count, const std::function<std::string(std::size_t)>& nameOf);

// "Die maximale Anzahl Dateien bzw. Größe der Textdatei wurde überschritten -
// Die Bearbeitung wird nach Datei Nummer <index> abgebrochen !"
std::string limitMessage(std::size_t index);

}  // namespace tessel::drop
