#include "lisp/lispcommands_win.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "core/docstate_win.h"
#include "core/editctl_win.h"
#include "core/msgbox_win.h"
#include "core/paths.h"
#include "core/shell_win.h"
#include "lisp/brackets.h"
#include "lisp/compress.h"
#include "lisp/dde_win.h"
#include "lisp/environment_win.h"
#include "lisp/scan.h"
#include "resources/ids.h"
#include "textops/search.h"
#include "core/dialogutil_win.h"

namespace tessel::lispcommands {
namespace {

// The module's messages.
constexpr char kCaptionInformation[] = "Information";
constexpr msgbox::Message kReport{"", msgbox::kCaptionNote, MB_ICONINFORMATION};  // texts made by the scanners
constexpr msgbox::Message kNoVariables{"Keine Auto-Lisp Variablen gefunden !", msgbox::kCaptionNote,
                                       MB_ICONINFORMATION};
constexpr msgbox::Message kVariablesCopied{"Die Variablenliste wurde in die Zwischenablage kopiert !",
                                           kCaptionInformation, MB_ICONINFORMATION};
constexpr msgbox::Message kCannotCreate{"Fehler beim Erzeugen der Komprimierten Datei!", msgbox::kCaptionWarning,
                                        MB_ICONERROR};
constexpr msgbox::Message kCannotWrite{"Fehler beim Schreiben der Komprimierten Datei!", msgbox::kCaptionWarning,
                                       MB_ICONERROR};
constexpr msgbox::Message kRefused{"Die Datei wurde wegen eines Klammerfehlers nicht komprimiert !",
                                   msgbox::kCaptionNote, MB_ICONINFORMATION};
constexpr msgbox::Message kNoConnection{"Keine Verbindung zu AutoCad möglich !", msgbox::kCaptionWarning, MB_ICONERROR};

// Next Defun follows AutoLISP, which ignores case; the jump looks for the
// entry exactly as the case-sensitive scan listed it.
constexpr search::Options kNextDefunOptions{false, false};
constexpr search::Options kJumpOptions{true, false};

// One copy of the edit control's text for the length of a command; without
// memory the command ends at the main window's barrier.
struct EditText : editctl::Text {
    EditText() : editctl::Text(shell::EditControl()) {
        if (!ok()) throw std::bad_alloc();
    }
};

editctl::Selection Selection() { return editctl::GetSelection(shell::EditControl()); }

void SelectHit(const search::Hit& hit) { editctl::Select(shell::EditControl(), hit.start, hit.end, true); }

// ------------------------------------------------------------ bracket test and compressor

// The report in every case; when the test fails, the first fault is
// selected first, so the user sees where to look while reading the report.
bool BracketTest(std::string_view text) {
    const brackets::BracketCheck check = brackets::checkBrackets(text);
    if (const auto fault = check.firstFault())
        editctl::Select(shell::EditControl(), fault->at, fault->at + fault->length, true);
    msgbox::ShowText(brackets::bracketReport(check).c_str(), kReport);
    return check.passed();
}

enum class WriteResult { written, cannotCreate, cannotWrite };

// Creates or truncates the file and writes every byte; a short write leaves
// what was written.
WriteResult WriteCompressed(const std::string& path, const std::string& bytes) {
    // A read-only file is not replaced, whatever rights the process has.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return WriteResult::cannotCreate;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return WriteResult::cannotCreate;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const bool complete = ok && written == bytes.size();
    CloseHandle(file);
    return complete ? WriteResult::written : WriteResult::cannotWrite;
}

// The full path in upper case, as the file system compares names.
std::string ComparableName(const std::string& path) {
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return {};
    full.resize(length);
    CharUpperBuffA(&full[0], length);
    return full;
}

// Volume and file index of an existing file, or false.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return ok != FALSE;
}

// Whether the compressed file would be the document's own file (a document
// named *.BI4 in any case, or another name for the same file).
bool IsDocumentFile(const std::string& document, const std::string& target) {
    if (document.empty()) return false;
    const std::string a = ComparableName(document);
    if (!a.empty() && a == ComparableName(target)) return true;
    BY_HANDLE_FILE_INFORMATION da, ta;
    return FileIdentity(document, da) && FileIdentity(target, ta) &&
           da.dwVolumeSerialNumber == ta.dwVolumeSerialNumber && da.nFileIndexHigh == ta.nFileIndexHigh &&
           da.nFileIndexLow == ta.nFileIndexLow && (da.nFileIndexHigh | da.nFileIndexLow) != 0;
}

bool CompressToFile(std::string_view text) {
    const std::string compressed = compress::compress(text);
    // An untitled document gives ".BI4" in the current directory; a path whose
    // BI4 name does not fit a path buffer cannot be created; the document's
    // own file is never written over.
    const std::string document = docstate::Path();
    const auto target = paths::replaceExtension(document, "BI4");
    const WriteResult result = target && !IsDocumentFile(document, *target) ? WriteCompressed(*target, compressed)
                                                                            : WriteResult::cannotCreate;
    if (result != WriteResult::written) {
        msgbox::Show(result == WriteResult::cannotCreate ? kCannotCreate : kCannotWrite);
        return false;
    }
    msgbox::ShowText(compress::compressStatistics(text.size(), compressed.size()).c_str(), kReport);
    return true;
}

LRESULT BracketCommand(HWND, unsigned, LPARAM) {
    EditText text;
    BracketTest(text.view());
    return 0;
}

LRESULT CompressCommand(HWND, unsigned, LPARAM) {
    EditText text;
    CompressToFile(text.view());
    return 0;
}

LRESULT TestAndCompressCommand(HWND, unsigned, LPARAM) {
    EditText text;
    if (BracketTest(text.view()))
        CompressToFile(text.view());
    else
        msgbox::Show(kRefused);
    return 0;
}

// ------------------------------------------------------------ program tools

LRESULT TemplateCommand(HWND, unsigned id, LPARAM) {
    const char* text = id == CMD_LSP_DEFUN ? scan::kDefunTemplate : scan::kIfTemplate;
    SendMessageA(shell::EditControl(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    return 0;
}

LRESULT NextDefunCommand(HWND, unsigned, LPARAM) {
    EditText text;
    const std::size_t from = Selection().start + scan::kNextDefunSkip;
    const search::Hit hit = search::find(text.view(), scan::kNextDefunText, from, kNextDefunOptions);
    if (hit.found) SelectHit(hit);
    return 0;
}

LRESULT JumpCommand(HWND, unsigned, LPARAM arg) {
    if (!shell::OwnArgument(arg)) return 0;
    const char* entry = reinterpret_cast<const char*>(arg);
    EditText text;
    const search::Hit hit = search::find(text.view(), scan::jumpSearchText(entry ? entry : ""), 0, kJumpOptions);
    if (hit.found) SelectHit(hit);
    return 0;
}

LRESULT VariableListCommand(HWND main, unsigned, LPARAM) {
    EditText text;
    const editctl::Selection sel = Selection();
    const std::string_view all = text.view();
    const std::size_t start = std::min(sel.start, all.size());
    const std::size_t end = std::min(sel.end, all.size());
    const std::string list = scan::variableList(all.substr(start, end - start));
    if (!scan::hasVariables(list)) {
        msgbox::Show(kNoVariables);
        return 0;
    }
    msgbox::Show(kVariablesCopied);
    dialogutil::TransferToClipboard(main, list.c_str(), static_cast<int>(list.size()), 10);
    return 0;
}

LRESULT EnvironmentCommand(HWND main, unsigned, LPARAM) {
    scan::Environment env;
    {
        EditText text;
        env = scan::scanEnvironment(text.view());
    }
    environment::ShowEnvironment(main, env);
    return 0;
}

// ------------------------------------------------------------ load into AutoCAD

LRESULT LoadCommand(HWND main, unsigned, LPARAM) {
    // Save first only when there is something unsaved; the load goes on
    // whatever the save did.
    if (docstate::Modified() && GetWindowTextLengthA(shell::EditControl()) > 0) shell::SendCommand(CMD_SAVE);
    switch (dde::LoadIntoAutoCad(main, docstate::Path())) {
    case dde::LoadResult::noConnection: msgbox::Show(kNoConnection); break;
    case dde::LoadResult::outOfMemory: msgbox::ReportOutOfMemory(nullptr); break;
    case dde::LoadResult::sent:
    case dde::LoadResult::windowClosed: break;
    }
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_LSP_DEFUN, TemplateCommand},      {CMD_LSP_IF, TemplateCommand},
    {CMD_LSP_NEXTDEFUN, NextDefunCommand}, {CMD_LSP_VARLIST, VariableListCommand},
    {CMD_LSP_ENVIRON, EnvironmentCommand}, {CMD_LSP_BRACKETS, BracketCommand},
    {CMD_LSP_COMPRESS, CompressCommand},   {CMD_LSP_BRACKCOMP, TestAndCompressCommand},
    {CMD_LSP_ACADLOAD, LoadCommand},       {CMD_FINDDEFUN, JumpCommand},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

}  // namespace tessel::lispcommands
