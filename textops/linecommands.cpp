#include "textops/linecommands.h"

#include "textops/columnops.h"
#include "textops/lineops.h"

namespace tessel::linecommands {
namespace {

// A count or width of 0 asks for nothing.
template <typename Make>
Operation counted(const CountParams& p, Make make) {
    if (p.count == 0) return std::nullopt;
    return make(p.count);
}

}  // namespace

Operation insertFront(const TextParams& p) { return lineops::insertAtStart(p.text); }
Operation insertBack(const TextParams& p) { return lineops::insertAtEnd(p.text); }
Operation counterFront(const CounterParams& p) { return lineops::counter(p.left, p.start, p.right, false); }
Operation counterBack(const CounterParams& p) { return lineops::counter(p.left, p.start, p.right, true); }
Operation cutFront(const CountParams& p) { return counted(p, lineops::removeAtStart); }
Operation cutBack(const CountParams& p) { return counted(p, lineops::removeAtEnd); }
Operation fillFront(const CountParams& p) { return counted(p, columnops::fillFront); }
Operation fillBack(const CountParams& p) { return counted(p, columnops::fillBack); }
Operation capFront(const CountParams& p) { return counted(p, columnops::capFront); }
Operation capBack(const CountParams& p) { return counted(p, columnops::capBack); }
Operation comment(const CommentParams& p) { return lineops::comment(p.prefix); }
Operation uncomment(const CommentParams& p) { return lineops::uncomment(p.prefix); }

Operation cutFromChar(const CutCharParams& p) {
    if (p.character == '\0') return std::nullopt;
    return lineops::cutFromChar(p.character);
}

Operation copyColumnsFront(const ColumnCopyParams& p) {
    return columnops::copyColumnsFront(p.begin, p.end, p.separator);
}
Operation copyColumnsBack(const ColumnCopyParams& p) {
    return columnops::copyColumnsBack(p.begin, p.end, p.separator);
}

}  // namespace tessel::linecommands
