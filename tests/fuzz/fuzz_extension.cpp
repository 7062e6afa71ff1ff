// The extension replacement derives the INI, ATX and BI4 paths from paths the
// user chose. Checked against a split written separately: drive, directory,
// base name and extension found by their own rules, the limits applied, and
// the directory cut of PATHS/Open and PATHS/Save.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/paths.h"
#include "tests/fuzz/check.h"

namespace {

using namespace tessel;

std::optional<std::string> reference(std::string_view path, std::string_view ext)
{
    // The drive ends after the rightmost ':' at index 1, 2 or 3.
    std::size_t drive = 0;
    for (std::size_t i = 3; i >= 1; --i) {
        if (i < path.size() && path[i] == ':') {
            drive = i + 1;
            break;
        }
    }
    std::size_t directory = drive;
    for (std::size_t i = path.size(); i > drive; --i) {
        if (path[i - 1] == '\\') {
            directory = i;
            break;
        }
    }
    std::size_t dot = path.size();
    if (path.size() >= 5) {
        for (std::size_t i = path.size() - 4; i < path.size(); ++i) {
            if (i >= directory && path[i] == '.') {
                dot = i;
                break;
            }
        }
    }
    if (drive > paths::kMaxDriveLength || directory - drive > paths::kMaxDirectoryLength ||
        dot - directory > paths::kMaxBaseNameLength || ext.size() > paths::kMaxExtensionLength)
        return std::nullopt;
    std::string out(path.substr(0, dot));
    out += '.';
    out += ext;
    if (out.size() > limits::kMaxPath) return std::nullopt;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first byte picks the new extension's length, so long ones are tried too.
    const std::size_t extLength = size ? static_cast<std::uint8_t>(input[0]) % 40 : 0;
    const std::string_view path = size ? input.substr(1) : input;
    const std::string longExt(extLength, 'E');
    for (const std::string_view ext : {std::string_view("INI"), std::string_view("BI4"), std::string_view(""),
                                       std::string_view(longExt)})
        REQUIRE(paths::replaceExtension(path, ext) == reference(path, ext));

    const std::string directory = paths::directoryOf(path);
    const std::size_t slash = path.find_last_of('\\');
    REQUIRE(directory == (slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1))));
    return 0;
}
