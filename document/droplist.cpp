#include "document/droplist.h"

namespace tessel::drop {

static_assert(kSoftLimit + kMaxNameLength + 2 < kBufferSize,
              "a name appended at the soft limit must still fit the buffer");

DropList buildDropList(std::size_t count, const std::function<std::string(std::size_t)>& nameOf)
{
    DropList list;
    if (count == 0 || count > kMaxFiles) return list;

    list.listed = true;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = nameOf(i);
        list.text.append(name, 0, kMaxNameLength);
        list.text.append("\r\n");
        if (list.text.size() > kSoftLimit) {
            list.stoppedAfter = i;
            break;
        }
    }
    return list;
}

std::string limitMessage(std::size_t index)
{
    return "Die maximale Anzahl Dateien bzw. Gr\xF6\xDF" "e der Textdatei wurde \xFC" "berschritten - "
           "Die Bearbeitung wird nach Datei Nummer " +
           std::to_string(index) + " abgebrochen !";
}

}  // namespace tessel::drop
