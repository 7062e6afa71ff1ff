#include "textops/textcommands_win.h"

#include <array>

#include "core/shell_win.h"
#include "resources/ids.h"
#include "textops/codepage_win.h"
#include "textops/conversions.h"
#include "textops/conversions_win.h"
#include "textops/linecommands.h"
#include "textops/linedialogs_win.h"
#include "textops/lineops.h"
#include "textops/lineops_win.h"

namespace tessel::textcommands {
namespace {

namespace lc = linecommands;

constexpr char kLineCaption[] = "Zeilenoperation";
constexpr char kCounterCaption[] = "Zeilenoperation - Zähler";

// One row per command: its id, the caption and prompt of the dialog that
// asks, and what runs it (the dialog and the operation).
struct TextCommand {
    unsigned id;
    const char* caption;
    const char* prompt;
    void (*run)(HWND main, const TextCommand& command);
};

// The line commands (Asked, Fixed, Gps) start with the capacity flag clear,
// so only what happens during the command itself stops them, and leave it
// clear for the next one.

// The dialog Ask fills a record; the operation builds the change from it.
template <auto Ask, auto Operation>
void Asked(HWND main, const TextCommand& c) {
    lineops::ClearCapacity();
    if (auto params = Ask(main, c.caption, c.prompt))
        if (auto op = Operation(*params)) lineops::RunLineOperation(shell::EditControl(), *op);
    lineops::ClearCapacity();
}

// A line command without parameters.
template <lineframe::LineOp (*Operation)()>
void Fixed(HWND, const TextCommand&) {
    lineops::ClearCapacity();
    lineops::RunLineOperation(shell::EditControl(), Operation());
    lineops::ClearCapacity();
}

void Gps(HWND, const TextCommand&) {
    lineops::ClearCapacity();
    conversions::RunGpsConversion(shell::EditControl());
    lineops::ClearCapacity();
}

// A whole-text conversion.
template <conversions::Conversion Convert>
void Converted(HWND, const TextCommand&) {
    conversions::RunConversion(shell::EditControl(), Convert);
}

// The character-set conversions.
template <void (*Run)(HWND edit)>
void WholeText(HWND, const TextCommand&) {
    Run(shell::EditControl());
}

constexpr TextCommand kTextCommands[] = {
    {CMD_DOSTOWIN, nullptr, nullptr, WholeText<codepage::DosToWin>},
    {CMD_WINTODOS, nullptr, nullptr, WholeText<codepage::WinToDos>},
    {CMD_DOSTOUNIX, nullptr, nullptr, Converted<conversions::dosToUnix>},
    {CMD_UNIXTODOS, nullptr, nullptr, Converted<conversions::unixToDos>},
    {CMD_MACTOPC, nullptr, nullptr, Converted<conversions::macToPc>},
    {CMD_PCTOMAC, nullptr, nullptr, Converted<conversions::pcToMac>},
    {CMD_CRLFTOBLANK, nullptr, nullptr, Converted<conversions::crlfToBlank>},
    {CMD_CRLFTOCOMMA, nullptr, nullptr, Converted<conversions::crlfToBlankComma>},
    {CMD_TABTOBLANKS, nullptr, nullptr, Converted<conversions::tabToTwoBlanks>},
    {CMD_GPS, nullptr, nullptr, Gps},

    {CMD_INSERTFRONT, kLineCaption, "\n\nWelcher Text soll vorne eingefügt werden",
     Asked<linedialogs::AskText, lc::insertFront>},
    {CMD_APPENDBACK, kLineCaption, "\n\nWelcher Text soll hinten angefügt werden",
     Asked<linedialogs::AskText, lc::insertBack>},
    {CMD_COUNTFRONT, kCounterCaption, "\n\nWelcher Text soll vorne mit dem Zähler eingefügt werden",
     Asked<linedialogs::AskCounter, lc::counterFront>},
    {CMD_COUNTBACK, kCounterCaption, "\n\nWelcher Text soll hinten mit dem Zähler angefügt werden",
     Asked<linedialogs::AskCounter, lc::counterBack>},
    {CMD_CUTFRONT, "Zeilen vorne kürzen", "Wieviele Stellen sollen am Zeilenanfang gekürzt werden ?",
     Asked<linedialogs::AskCount, lc::cutFront>},
    {CMD_CUTBACK, "Zeilen hinten kürzen", "Wieviele Stellen sollen am Zeilenende gekürzt werden ?",
     Asked<linedialogs::AskCount, lc::cutBack>},
    {CMD_BLANKSFRONT, nullptr, nullptr, Fixed<lineops::removeLeadingBlanks>},
    {CMD_BLANKSBACK, nullptr, nullptr, Fixed<lineops::removeTrailingBlanks>},
    {CMD_COMMENT, nullptr, nullptr, Asked<linedialogs::AskComment, lc::comment>},
    {CMD_UNCOMMENT, nullptr, nullptr, Asked<linedialogs::AskComment, lc::uncomment>},
    {CMD_CUTFROMCHAR, "Zeilen abschneiden ab Zeichen", "Ab welchem Zeichen sollen die Zeilen abgeschnitten werden ?",
     Asked<linedialogs::AskCutChar, lc::cutFromChar>},
    {CMD_LSP_INDENT, nullptr, nullptr, Fixed<lineops::indentTwo>},
    {CMD_LSP_OUTDENT, nullptr, nullptr, Fixed<lineops::outdentTwo>},
    {CMD_LSP_COMMENT, nullptr, nullptr, Fixed<lineops::insertLispComment>},

    {CMD_FILLFRONT, "Vorne Spalten auffüllen",
     "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen vorne gefüllt werden ?",
     Asked<linedialogs::AskCount, lc::fillFront>},
    {CMD_FILLBACK, "Hinten Spalten auffüllen",
     "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen hinten gefüllt werden ?",
     Asked<linedialogs::AskCount, lc::fillBack>},
    {CMD_COLCOPYFRONT, "Spalten nach vorne kopieren",
     "Welcher Spaltenbereich soll nach vorne kopiert werden ?\n\nBeginnzeichen und Endzeichen je Zeile angeben.",
     Asked<linedialogs::AskColumnCopy, lc::copyColumnsFront>},
    {CMD_COLCOPYBACK, "Spalten nach hinten kopieren",
     "Welcher Spaltenbereich soll nach hinten kopiert werden ?\n\nBeginnzeichen und Endzeichen je Zeile angeben.",
     Asked<linedialogs::AskColumnCopy, lc::copyColumnsBack>},
    {CMD_CAPFRONT, "Vorne Spalten kappen",
     "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen vorne gekappt werden ?",
     Asked<linedialogs::AskCount, lc::capFront>},
    {CMD_CAPBACK, "Hinten Spalten kappen",
     "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen hinten gekappt werden ?",
     Asked<linedialogs::AskCount, lc::capBack>},
};

LRESULT RunTextCommand(HWND main, unsigned id, LPARAM) {
    for (const TextCommand& c : kTextCommands)
        if (c.id == id) {
            c.run(main, c);
            break;
        }
    return 0;
}

// The dispatcher's entries, one per row.
template <std::size_t N>
constexpr std::array<command::CommandEntry, N> EntriesOf(const TextCommand (&rows)[N]) {
    std::array<command::CommandEntry, N> entries{};
    for (std::size_t i = 0; i < N; ++i) entries[i] = command::CommandEntry{rows[i].id, RunTextCommand};
    return entries;
}

constexpr auto kCommands = EntriesOf(kTextCommands);

}  // namespace

command::CommandTable Commands() { return {kCommands.data(), kCommands.size()}; }

}  // namespace tessel::textcommands
