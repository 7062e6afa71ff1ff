#include "lisp/ddetext.h"

namespace tessel::dde {

const char* const kServiceNames[kServiceCount] = {
    "AUTOCAD.DDE",     "AUTOCAD.R13.DDE", "AUTOCAD.R14.DDE", "AUTOCAD.R15.DDE",
    "AUTOCAD.R16.DDE", "AUTOCAD.R17.DDE", "AUTOCAD.R18.DDE", "AUTOCAD.R19.DDE",
};

std::string doubleBackslashes(std::string_view path) {
    std::string out;
    out.reserve(path.size() * 2);
    for (const char c : path) {
        if (c == '\0') break;
        out += c;
        if (c == '\\') out += c;
    }
    return out;
}

std::string executeText(std::string_view path) {
    const std::string literal = doubleBackslashes(path);
    std::string text;
    text.reserve(2 * literal.size() + 40);
    text += "(setq U:USELOAD1KOVA \"";
    text += literal;
    text += "\")(load \"";
    text += literal;
    text += "\") ";
    return text;
}

}  // namespace tessel::dde
