// Native build only: which OEM code page the table-driven character map uses for
// the DOS <-> Windows conversion.  The Windows builds take the system's own.
#pragma once

namespace tessel::charmap {

// 850 (the OEM code page of German Windows, the default) or 437.  Any other value
// is ignored and the current choice stays.
void setNativeOemCodePage(int cp);

// The OEM code page currently in use (850 or 437).
int nativeOemCodePage();

}  // namespace tessel::charmap
