#include "core/paths.h"

#include <algorithm>

#include "core/charmap.h"

namespace tessel::paths {

std::optional<std::string> replaceExtension(std::string_view path,
                                            std::string_view newExtension)
{
    const std::size_t length = path.size();

    // Drive: the last colon among the first four characters, not at 0.
    std::size_t driveEnd = 0;  // one past the drive part
    for (std::size_t i = 1; i < 4 && i < length; ++i)
        if (path[i] == ':') driveEnd = i + 1;

    // Directory: up to the last backslash after the drive.
    std::size_t directoryEnd = driveEnd;
    const std::size_t lastBackslash = path.rfind('\\');
    if (lastBackslash != std::string_view::npos && lastBackslash >= driveEnd)
        directoryEnd = lastBackslash + 1;

    // Extension: the leftmost dot among the last four characters, but never
    // inside the drive or the directory.
    std::size_t extensionStart = length;
    if (length >= 5) {
        const std::size_t from = std::max(length - 4, directoryEnd);
        for (std::size_t i = from; i < length; ++i) {
            if (path[i] == '.') {
                extensionStart = i;
                break;
            }
        }
    }

    const std::string_view drive = path.substr(0, driveEnd);
    const std::string_view directory = path.substr(driveEnd, directoryEnd - driveEnd);
    const std::string_view baseName = path.substr(directoryEnd, extensionStart - directoryEnd);

    if (drive.size() > kMaxDriveLength || directory.size() > kMaxDirectoryLength ||
        baseName.size() > kMaxBaseNameLength || newExtension.size() > kMaxExtensionLength)
        return std::nullopt;

    const std::size_t resultLength =
        drive.size() + directory.size() + baseName.size() + 1 + newExtension.size();
    if (resultLength > limits::kMaxPath) return std::nullopt;

    std::string result;
    result.reserve(resultLength);
    result.append(drive).append(directory).append(baseName).append(1, '.').append(newExtension);
    return result;
}

std::uint32_t readHexColour(std::string_view text)
{
    std::string digits(text.substr(0, 12));
    charmap::upperInPlace(digits);

    std::uint32_t sum = 0;
    std::uint32_t place = 1;
    for (std::size_t i = digits.size(); i-- > 0;) {
        const char c = digits[i];
        std::uint32_t value;
        if (c >= '0' && c <= '9')
            value = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            value = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c == 'X')
            return sum;
        else
            return 0;
        sum += value * place;
        place *= 16;
    }
    return sum;
}

std::string directoryOf(std::string_view filePath)
{
    const std::size_t lastBackslash = filePath.rfind('\\');
    if (lastBackslash == std::string_view::npos) return std::string();
    return std::string(filePath.substr(0, lastBackslash + 1));
}

}  // namespace tessel::paths
