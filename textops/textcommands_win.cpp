#include "textops/textcommands_win.h"

#include "core/shell_win.h"
#include "resources/ids.h"
#include "textops/codepage_win.h"
#include "textops/conversions_win.h"
#include "textops/linedialogs_win.h"
#include "textops/lineops_win.h"
#include "core/inputdialog_win.h"

namespace tessel::textops {
namespace {

constexpr char kLineCaption[] = "Zeilenoperation";
constexpr char kCounterCaption[] = "Zeilenoperation - Zähler";

// Prompt and caption of a command's dialog.
struct Question {
    unsigned id;
    const char* prompt;
    const char* caption;
};

constexpr Question kQuestions[] = {
    {CMD_INSERTFRONT, "\n\nWelcher Text soll vorne eingefügt werden", kLineCaption},
    {CMD_APPENDBACK, "\n\nWelcher Text soll hinten angefügt werden", kLineCaption},
    {CMD_COUNTFRONT, "\n\nWelcher Text soll vorne mit dem Zähler eingefügt werden", kCounterCaption},
    {CMD_COUNTBACK, "\n\nWelcher Text soll hinten mit dem Zähler angefügt werden", kCounterCaption},
    {CMD_CUTFRONT, "Wieviele Stellen sollen am Zeilenanfang gekürzt werden ?", "Zeilen vorne kürzen"},
    {CMD_CUTBACK, "Wieviele Stellen sollen am Zeilenende gekürzt werden ?", "Zeilen hinten kürzen"},
    {CMD_CUTFROMCHAR, "Ab welchem Zeichen sollen die Zeilen abgeschnitten werden ?", "Zeilen abschneiden ab Zeichen"},
    {CMD_FILLFRONT, "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen vorne gefüllt werden ?",
     "Vorne Spalten auffüllen"},
    {CMD_FILLBACK, "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen hinten gefüllt werden ?",
     "Hinten Spalten auffüllen"},
    {CMD_COLCOPYFRONT,
     "Welcher Spaltenbereich soll nach vorne kopiert werden ?\n\nBeginnzeichen und Endzeichen je Zeile angeben.",
     "Spalten nach vorne kopieren"},
    {CMD_COLCOPYBACK,
     "Welcher Spaltenbereich soll nach hinten kopiert werden ?\n\nBeginnzeichen und Endzeichen je Zeile angeben.",
     "Spalten nach hinten kopieren"},
    {CMD_CAPFRONT, "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen vorne gekappt werden ?",
     "Vorne Spalten kappen"},
    {CMD_CAPBACK, "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen hinten gekappt werden ?",
     "Hinten Spalten kappen"},
};

const Question& QuestionFor(unsigned id) {
    for (const Question& q : kQuestions)
        if (q.id == id) return q;
    static const Question kNone{0, "", ""};
    return kNone;
}

LRESULT InsertText(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    char text[ui::kInputBufferSize] = "";
    if (ui::InputDialog(main, text, q.prompt, q.caption, 0) == 1) RunTextCommand(shell::EditControl(), id, text);
    return 0;
}

LRESULT InsertCounter(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskCounter(main, q.caption, q.prompt)) RunCounterCommand(shell::EditControl(), id, *params);
    return 0;
}

// Cutting, filling and capping ask for a count or width in FRONTBACKCUT.
LRESULT CountCommand(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskCount(main, q.caption, q.prompt, 0)) RunCountCommand(shell::EditControl(), id, *params);
    return 0;
}

LRESULT CommentCommand(HWND main, unsigned id, LPARAM) {
    if (auto params = AskComment(main)) RunCommentCommand(shell::EditControl(), id, *params);
    return 0;
}

LRESULT CutFromChar(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskCutChar(main, q.caption, q.prompt, '~')) RunCutCharCommand(shell::EditControl(), *params);
    return 0;
}

LRESULT CopyColumns(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskColumnCopy(main, q.caption, q.prompt)) RunColumnCopyCommand(shell::EditControl(), id, *params);
    return 0;
}

LRESULT FixedCommand(HWND, unsigned id, LPARAM) {
    RunFixedCommand(shell::EditControl(), id);
    return 0;
}

LRESULT Convert(HWND, unsigned id, LPARAM) {
    RunConversion(shell::EditControl(), ConversionFor(id));
    return 0;
}

LRESULT Gps(HWND, unsigned, LPARAM) {
    RunGpsConversion(shell::EditControl());
    return 0;
}

// A line command starts with the capacity flag clear, so only what happens
// during the command itself stops it, and leaves it clear for the next one.
template <CommandHandler Run>
LRESULT LineCommand(HWND main, unsigned id, LPARAM arg) {
    ClearCapacity();
    const LRESULT result = Run(main, id, arg);
    ClearCapacity();
    return result;
}

constexpr CommandEntry kCommands[] = {
    {CMD_DOSTOWIN, DosToWin},
    {CMD_WINTODOS, WinToDos},
    {CMD_DOSTOUNIX, Convert},
    {CMD_UNIXTODOS, Convert},
    {CMD_MACTOPC, Convert},
    {CMD_PCTOMAC, Convert},
    {CMD_CRLFTOBLANK, Convert},
    {CMD_CRLFTOCOMMA, Convert},
    {CMD_TABTOBLANKS, Convert},
    {CMD_GPS, LineCommand<Gps>},

    {CMD_INSERTFRONT, LineCommand<InsertText>},
    {CMD_APPENDBACK, LineCommand<InsertText>},
    {CMD_COUNTFRONT, LineCommand<InsertCounter>},
    {CMD_COUNTBACK, LineCommand<InsertCounter>},
    {CMD_CUTFRONT, LineCommand<CountCommand>},
    {CMD_CUTBACK, LineCommand<CountCommand>},
    {CMD_BLANKSFRONT, LineCommand<FixedCommand>},
    {CMD_BLANKSBACK, LineCommand<FixedCommand>},
    {CMD_COMMENT, LineCommand<CommentCommand>},
    {CMD_UNCOMMENT, LineCommand<CommentCommand>},
    {CMD_CUTFROMCHAR, LineCommand<CutFromChar>},
    {CMD_LSP_INDENT, LineCommand<FixedCommand>},
    {CMD_LSP_OUTDENT, LineCommand<FixedCommand>},
    {CMD_LSP_COMMENT, LineCommand<FixedCommand>},

    {CMD_FILLFRONT, LineCommand<CountCommand>},
    {CMD_FILLBACK, LineCommand<CountCommand>},
    {CMD_COLCOPYFRONT, LineCommand<CopyColumns>},
    {CMD_COLCOPYBACK, LineCommand<CopyColumns>},
    {CMD_CAPFRONT, LineCommand<CountCommand>},
    {CMD_CAPBACK, LineCommand<CountCommand>},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::textops
