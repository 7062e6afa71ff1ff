#include "core/docstate_win.h"

namespace tessel::docstate {
namespace {

PathSource g_path;
FlagSource g_modified;

}  // namespace

void Attach(PathSource path, FlagSource modified) {
    g_path = path;
    g_modified = modified;
}

const char* Path() {
    const char* path = g_path ? g_path() : nullptr;
    return path ? path : "";
}

bool Modified() { return g_modified && g_modified(); }

}  // namespace tessel::docstate
