#include "document/filetypes.h"

namespace tessel::filetypes {

const std::array<FileType, 19> kDocumentTypes = {{
    {"Alle Dateien (*.*)", "*.*"},
    {"INI-Dateien (*.ini)", "*.ini"},
    {"INF-Dateien (*.inf)", "*.inf"},
    {"Stapeldateien (*.bat)", "*.bat"},
    {"Textdateien (*.txt)", "*.txt;*.txd"},
    {"ASCII-Dateien (*.asc)", "*.asc"},
    {"C-Source Dateien (*.c)", "*.c;*.cpp"},
    {"H-Header Dateien (*.h)", "*.h;*.hpp"},
    {"Projektdateien (*.mak)", "*.mak"},
    {"RC-Resourcen (*.rc)", "*.rc"},
    {"Dialog Dateien (*.dlg)", "*.dlg"},
    {"AutoLisp Dateien (*.lsp)", "*.lsp"},
    {"AutoCAD Scripts (*.scr)", "*.scr"},
    {"AutoCAD Dialoge (*.dcl)", "*.dcl"},
    {"Basic Dateien   (*.bas)", "*.bas"},
    {"VB-Formulare    (*.frm)", "*.frm"},
    {"VB-Steuerelemente(*.ctl)", "*.ctl"},
    {"JavaScript-Dateien(*.js)", "*.js"},
    {"HTML-Dateien  (*.htm)", "*.htm;*.html"},
}};

namespace {

template <std::size_t N>
std::string buildFilter(const std::array<FileType, N>& types)
{
    std::string filter;
    for (const FileType& type : types) {
        filter += type.description;
        filter += '\0';
        filter += type.pattern;
        filter += '\0';
    }
    filter += '\0';
    return filter;
}

const std::array<FileType, 2> kProgramTypes = {{
    {"Programmdatei (*.exe *.com *.bat)", "*.exe;*.com;*.bat"},
    {"Alle Dateien  (*.*)", "*.*"},
}};

}  // namespace

const std::string& documentFilter()
{
    static const std::string filter = buildFilter(kDocumentTypes);
    return filter;
}

const std::string& programFilter()
{
    static const std::string filter = buildFilter(kProgramTypes);
    return filter;
}

int appendDirectorySeparator(std::string& path, std::size_t bufferSize)
{
    if (!path.empty() && path.back() == '\\') return 2;
    if (bufferSize <= path.size() + 1) return 0;
    path += '\\';
    return 1;
}

const char* pathsKeyName(int which)
{
    switch (which) {
    case kOpenFolder: return "Open";
    case kSaveFolder: return "Save";
    default: return nullptr;
    }
}

}  // namespace tessel::filetypes
