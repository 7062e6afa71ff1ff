/* Command and control ids shared by the resource scripts and the code.
   Plain #defines, because the resource compiler reads this file too. */
#ifndef TESSEL_IDS_H
#define TESSEL_IDS_H

/* Child controls of the main window */
#define IDC_EDIT            1
#define IDC_INICOMBO        2

/* Internal commands */
#define CMD_STARTUP         8
#define CMD_OPENPATH        9
#define CMD_MERGEPATH       17
#define CMD_RECENTMENU      139
#define CMD_STATUS          600
#define CMD_FINDDEFUN       40013

/* Datei */
#define CMD_NEW             10
#define CMD_OPEN            11
#define CMD_SAVE            12
#define CMD_SAVEAS          13
#define CMD_PRINT           14
#define CMD_EXIT            15
#define CMD_MERGE           16
#define CMD_RECENT_SEP      999
#define CMD_RECENT0         140
#define CMD_RECENT3         143

/* Bearbeiten */
#define CMD_UNDO            20
#define CMD_CUT             21
#define CMD_COPY            22
#define CMD_PASTE           23
#define CMD_CLEAR           24
#define CMD_SELECTALL       25
#define CMD_DATETIME        26

/* Zeilen */
#define CMD_COMMENT         18
#define CMD_UNCOMMENT       19
#define CMD_INSERTFRONT     60
#define CMD_APPENDBACK      61
#define CMD_COUNTFRONT      62
#define CMD_COUNTBACK       63
#define CMD_CUTFRONT        64
#define CMD_CUTBACK         65
#define CMD_BLANKSFRONT     66
#define CMD_BLANKSBACK      67
#define CMD_FILLFRONT       68
#define CMD_FILLBACK        69
#define CMD_COLCOPYFRONT    90
#define CMD_COLCOPYBACK     91
#define CMD_CAPFRONT        92
#define CMD_CAPBACK         93
#define CMD_CUTFROMCHAR     191

/* Ändern */
#define CMD_FIND            30
#define CMD_FINDNEXT        31
#define CMD_REPLACE         32
#define CMD_DOSTOWIN        33
#define CMD_WINTODOS        34
#define CMD_DOSTOUNIX       35
#define CMD_UNIXTODOS       36
#define CMD_CRLFTOBLANK     37
#define CMD_CRLFTOCOMMA     38
#define CMD_SORT            39
#define CMD_MACTOPC         150
#define CMD_PCTOMAC         151
#define CMD_GPS             160
#define CMD_TABTOBLANKS     381

/* Format */
#define CMD_FONT            40
#define CMD_CASE            41
#define CMD_BKCOLOR         42
#define CMD_TEXTCOLOR       43
#define CMD_STDCOLORS       44
#define CMD_SIZESAVE        45
#define CMD_SIZERESET       46
#define CMD_SIZELOAD        47
#define CMD_TEXTBLOCKS      48
#define CMD_DROPOPEN        55
#define CMD_DROPTEXT        56
#define CMD_DROPAPPEND      57
#define CMD_DROPMERGE       58

/* Sysedit: 70 .. 86 */
#define CMD_SYSEDIT_FIRST   70
#define CMD_SYSEDIT_LAST    86

/* AutoLisp */
#define CMD_LSP_DEFUN       40001
#define CMD_LSP_IF          40002
#define CMD_LSP_NEXTDEFUN   40003
#define CMD_LSP_INDENT      40004
#define CMD_LSP_OUTDENT     40005
#define CMD_LSP_COMMENT     40006
#define CMD_LSP_VARLIST     40007
#define CMD_LSP_ENVIRON     40008
#define CMD_LSP_BRACKETS    40009
#define CMD_LSP_COMPRESS    40010
#define CMD_LSP_BRACKCOMP   40011
#define CMD_LSP_ACADLOAD    40012

/* Hilfe */
#define CMD_ABOUT           51
#define CMD_HELP            52

/* System menu */
#define SYSCMD_TOPMOST      1

/* Dialog controls: line and column dialogs (FRONTBACKCUT, FRONTCOUNT,
   CUTFROMCHAR, COLUMNCOPY) */
#define IDC_COLUMN_BEGIN    101
#define IDC_COLUMN_END      102
#define IDC_LINE_NUMBER     105
#define IDC_LINE_RIGHT      106
#define IDC_LINE_LEFT       107
#define IDC_LINE_ICON       108
#define IDC_LINE_PROMPT     109
/* EDITKOMMENT: the five choices 101..105 (REM, ;, //, ', free text) */
#define IDC_COMMENT_REM     101
#define IDC_COMMENT_SEMI    102
#define IDC_COMMENT_SLASHES 103
#define IDC_COMMENT_APOS    104
#define IDC_COMMENT_OTHER   105
#define IDC_COMMENT_FREE    106
#define IDC_COMMENT_ICON    250
/* INPUT */
#define IDC_INPUT_EDIT      101
#define IDC_INPUT_ICON      102
#define IDC_INPUT_PROMPT    104
/* QUICKHELP */
#define IDC_HELP_LIST       102
#define IDC_HELP_ICON       105
/* EDITSTARTER: program buttons 400..405 */
#define IDC_STARTER_FIRST   400
#define IDC_STARTER_LAST    405
#define IDC_STARTER_ICON    101
#define IDC_STARTER_HELP    102
#define IDC_STARTER_NOTE    107
#define IDC_STARTER_CLOSE   257
/* Sorting (DLGSORTMYTEXT) and case conversion (GROSSKLEIN) */
#define IDC_SORT_ICON       101
#define IDC_SORT_LEXICAL    104
#define IDC_SORT_NUMERIC    105
#define IDC_SORT_DESCENDING 106
#define IDC_SORT_ASCENDING  107
#define IDC_CASE_SENTENCE   101
#define IDC_CASE_LOWER      102
#define IDC_CASE_UPPER      103
#define IDC_CASE_WORDS      104
#define IDC_CASE_SWAP       105
#define IDC_CASE_ICON       106
#define IDC_CASE_WORDSEXT   107
/* About box ABOUTBOX32 */
#define IDC_ABOUT_SCREEN    100
#define IDC_ABOUT_PICTURE   101
#define IDC_ABOUT_TEXT      102
#define IDC_ABOUT_MEMORY    103
#define IDC_ABOUT_PLATFORM  104
#define IDC_ABOUT_FREE      105
#define IDC_ABOUT_ICON      106
#define IDC_ABOUT_NAME      107
#define IDC_ABOUT_WINVER    108
#define IDC_ABOUT_LEGAL     110
#define IDC_ABOUT_SYSINFO   111
#define IDC_ABOUT_VERSION   112

/* AutoLisp: program environment dialog PROGLISPDLG */
#define IDC_LSP_FUNCTIONS_LABEL 5
#define IDC_LSP_DCLNAMES_LABEL  6
#define IDC_LSP_DCLFILES_LABEL  7
#define IDC_LSP_FUNCTIONS       1006
#define IDC_LSP_DCLFILES        1007
#define IDC_LSP_DCLNAMES        1008
#define IDC_LSP_ENVICON         1009

/* Text blocks: dialog AUTOTEXT */
#define IDC_TB_NAME         101
#define IDC_TB_ICON         102
#define IDC_TB_ADD          104
#define IDC_TB_DELETE       105
#define IDC_TB_PREVIEW      107

/* Colour chooser: dialog COLORDLG16; swatch i is 200 + i */
#define IDC_CC_SELECTED     101
#define IDC_CC_ICON         102
#define IDC_CC_LABEL        104
#define IDC_CC_SWATCH0      200
#define IDC_CC_SWATCHES     20

/* Printing: the abort box ABORTDLGBOX */
#define IDC_PA_TITLE        10

#endif
