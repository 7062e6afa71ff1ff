#include "textops/textcommands_win.h"

#include "app/mainwindow_win.h"
#include "resources/ids.h"
#include "textops/codepage_win.h"
#include "textops/conversions_win.h"
#include "textops/linedialogs_win.h"
#include "textops/lineops_win.h"
#include "ui/inputdialog_win.h"

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
    if (ui::InputDialog(main, text, q.prompt, q.caption, 0) == 1) RunTextCommand(EditControl(), id, text);
    return 0;
}

LRESULT InsertCounter(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskCounter(main, q.caption, q.prompt)) RunCounterCommand(EditControl(), id, *params);
    return 0;
}

// Cutting, filling and capping ask for a count or width in FRONTBACKCUT.
LRESULT CountCommand(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskCount(main, q.caption, q.prompt, 0)) RunCountCommand(EditControl(), id, *params);
    return 0;
}

LRESULT CommentCommand(HWND main, unsigned id, LPARAM) {
    if (auto params = AskComment(main)) RunCommentCommand(EditControl(), id, *params);
    return 0;
}

LRESULT CutFromChar(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskCutChar(main, q.caption, q.prompt, '~')) RunCutCharCommand(EditControl(), *params);
    return 0;
}

LRESULT CopyColumns(HWND main, unsigned id, LPARAM) {
    const Question& q = QuestionFor(id);
    if (auto params = AskColumnCopy(main, q.caption, q.prompt)) RunColumnCopyCommand(EditControl(), id, *params);
    return 0;
}

LRESULT FixedCommand(HWND, unsigned id, LPARAM) {
    RunFixedCommand(EditControl(), id);
    return 0;
}

LRESULT Convert(HWND, unsigned id, LPARAM) {
    RunConversion(EditControl(), ConversionFor(id));
    return 0;
}

LRESULT Gps(HWND, unsigned, LPARAM) {
    RunGpsConversion(EditControl());
    return 0;
}

// Line commands read the capacity flag; the dispatcher clears it after them.
constexpr CommandEntry kCommands[] = {
    {CMD_DOSTOWIN, DosToWin, false},
    {CMD_WINTODOS, WinToDos, false},
    {CMD_DOSTOUNIX, Convert, false},
    {CMD_UNIXTODOS, Convert, false},
    {CMD_MACTOPC, Convert, false},
    {CMD_PCTOMAC, Convert, false},
    {CMD_CRLFTOBLANK, Convert, false},
    {CMD_CRLFTOCOMMA, Convert, false},
    {CMD_TABTOBLANKS, Convert, false},
    {CMD_GPS, Gps, true},

    {CMD_INSERTFRONT, InsertText, true},
    {CMD_APPENDBACK, InsertText, true},
    {CMD_COUNTFRONT, InsertCounter, true},
    {CMD_COUNTBACK, InsertCounter, true},
    {CMD_CUTFRONT, CountCommand, true},
    {CMD_CUTBACK, CountCommand, true},
    {CMD_BLANKSFRONT, FixedCommand, true},
    {CMD_BLANKSBACK, FixedCommand, true},
    {CMD_COMMENT, CommentCommand, true},
    {CMD_UNCOMMENT, CommentCommand, true},
    {CMD_CUTFROMCHAR, CutFromChar, true},
    {CMD_LSP_INDENT, FixedCommand, true},
    {CMD_LSP_OUTDENT, FixedCommand, true},
    {CMD_LSP_COMMENT, FixedCommand, true},

    {CMD_FILLFRONT, CountCommand, true},
    {CMD_FILLBACK, CountCommand, true},
    {CMD_COLCOPYFRONT, CopyColumns, true},
    {CMD_COLCOPYBACK, CopyColumns, true},
    {CMD_CAPFRONT, CountCommand, true},
    {CMD_CAPBACK, CountCommand, true},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::textops
