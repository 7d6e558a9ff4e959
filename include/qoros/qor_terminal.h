/* QorOS terminal: the terminal state and its command table. */
#ifndef QOROS_QOR_TERMINAL_H
#define QOROS_QOR_TERMINAL_H

#include "qor_graphics.h"
#include "qor_types.h"

QOR_EXTERN_C_BEGIN

#define TERMINAL_LINE_SIZE 256
#define TERMINAL_OUTPUT_LINES 50
#define TERMINAL_HISTORY_LINES 20
#define TERMINAL_COMMAND_COUNT 260
#define TERMINAL_CATEGORY_COUNT 9

/* The whole terminal: line editor, scroll-back, working folder, history.
 * Every text field stays NUL-terminated. */
typedef struct terminal_state {
    char input[TERMINAL_LINE_SIZE];
    int32_t input_len;
    char output[TERMINAL_OUTPUT_LINES][TERMINAL_LINE_SIZE]; /* oldest first */
    int32_t output_count;
    char cwd[QOR_PATH_MAX];
    char history[TERMINAL_HISTORY_LINES][TERMINAL_LINE_SIZE]; /* oldest first */
    int32_t history_count;
    int32_t history_index; /* entry shown while browsing, -1 otherwise */
    int32_t cursor;
} terminal_state;

/* The one terminal of the desktop, and whether boot has initialised it (key
 * and character input is forwarded only while it is set). */
extern terminal_state g_term;
extern bool g_term_init;

/* Clears the state, enters the start folder (or takes the process's current
 * folder when none is given) and writes the five welcome lines. */
void terminal_init(terminal_state* term, const char* start_dir);
/* Appends a scroll-back line (cut to 255 bytes); when full, the oldest line
 * is dropped. */
void add_output(terminal_state* term, const char* line);

/* Line editing and running. Every function accepts a null state and then
 * does nothing. */
/* Inserts one character at the cursor; refused once the line holds 255. */
void terminal_process_char(terminal_state* term, int ch);
/* Applies an editing or history key (Windows virtual-key codes: Backspace 8,
 * Enter 13, End 35, Home 36, Left 37, Up 38, Right 39, Down 40). *changed,
 * when given, becomes 1 if the key changed or reloaded the line, else 0. */
void terminal_process_key(terminal_state* term, unsigned key, int* changed);
/* Runs the current input line (Enter calls it): records it in the history
 * and appends the command's output to the scroll-back. */
void terminal_execute(terminal_state* term);
/* The newest scroll-back line, or "" when there is none. */
const char* terminal_get_output(const terminal_state* term);

/* Draws the terminal page into ctx for a window whose outer rectangle is
 * (x, y, w, h): scroll-back, prompt, input, cursor block and hint line. */
void terminal_render_page(qor_context* ctx, const terminal_state* term, int x, int y, int w, int h);

/* One row of the command table. */
typedef struct terminal_command {
    const char* name; /* lower-case ASCII, unique ignoring case */
    const char* desc;
    int32_t category; /* index into g_category_names */
} terminal_command;

extern const terminal_command g_commands[TERMINAL_COMMAND_COUNT];
extern const char* const g_category_names[TERMINAL_CATEGORY_COUNT];

/* Always 260. */
int terminal_get_command_count(void);
/* Name, description or category of row i; null (category 8, "Misc") for any
 * index outside 0..259. */
const char* terminal_get_cmd_name(int i);
const char* terminal_get_cmd_desc(int i);
int terminal_get_cmd_category(int i);

QOR_EXTERN_C_END

#endif
