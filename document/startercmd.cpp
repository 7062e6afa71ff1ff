#include "document/startercmd.h"

namespace tessel::starter {

namespace {

void appendArgument(std::string& line, std::string_view path)
{
    const bool quoted = !path.empty() && path.front() == '"';
    const bool blank = path.find_first_of(" \t") != std::string_view::npos;
    if (blank && !quoted) {
        line += '"';
        line.append(path);
        line += '"';
    } else {
        line.append(path);
    }
}

}  // namespace

std::string commandLine(std::string_view binding, std::string_view filePath)
{
    if (binding.empty()) return std::string();
    std::string line;
    line.reserve(binding.size() + filePath.size() + 5);
    appendArgument(line, binding);
    line += ' ';
    appendArgument(line, filePath);
    return line;
}

}  // namespace tessel::starter
