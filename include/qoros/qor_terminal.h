/* QorOS terminal core and command table. */
#ifndef QOROS_QOR_TERMINAL_H
#define QOROS_QOR_TERMINAL_H

#include "qor_graphics.h"
#include "qor_types.h"

QOR_EXTERN_C_BEGIN

#define TERMINAL_LINE_MAX 256
#define TERMINAL_OUTPUT_LINES 50
#define TERMINAL_HISTORY_LINES 20

typedef struct terminal_state {
    char input[TERMINAL_LINE_MAX];
    int32_t input_len;
    char output[TERMINAL_OUTPUT_LINES][TERMINAL_LINE_MAX];
    int32_t output_count;
    char cwd[QOR_PATH_MAX];
    char history[TERMINAL_HISTORY_LINES][TERMINAL_LINE_MAX];
    int32_t history_count;
    int32_t history_index;
    int32_t cursor;
} terminal_state;

extern terminal_state g_term;
extern bool g_term_init;

void terminal_init(terminal_state* t, const char* start_dir);
void add_output(terminal_state* t, const char* line);

/* Line editing and running. Every function accepts a null state and then
 * does nothing. */
void terminal_process_char(terminal_state* t, int ch);
/* Applies an editing or history key (Windows virtual-key codes: Backspace 8,
 * Enter 13, End 35, Home 36, arrows 37..40). *changed, when given, becomes 1
 * if the key changed or reloaded the line, else 0. */
void terminal_process_key(terminal_state* t, unsigned key, int* changed);
/* Runs the current input line; Enter calls it. */
void terminal_execute(terminal_state* t);
/* The newest scroll-back line, or "" when there is none. */
const char* terminal_get_output(const terminal_state* t);

/* Draws the terminal page for a window whose outer rectangle is (x, y, w, h):
 * scroll-back, prompt, input, cursor block and hint line. */
void terminal_render_page(qor_context* ctx, const terminal_state* t, int x, int y, int w, int h);

int terminal_get_command_count(void);
const char* terminal_get_cmd_name(int i);
const char* terminal_get_cmd_desc(int i);
int terminal_get_cmd_category(int i);

QOR_EXTERN_C_END

#endif
