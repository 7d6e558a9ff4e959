/* A C program built against an installed libqoros the way a library user
 * builds one, touching every area that brings a system library along: the
 * kernel services and log, text drawing and PNG saving (FreeType,
 * fontconfig, libpng), a download from a loopback server (libcurl), a
 * package conversion and verification, and the terminal.
 * Arguments: a scratch folder, the URL of a file to download. */
#include <qoros/qor_api.h>
#include <stdio.h>
#include <string.h>

static int check_kernel_and_log(void) {
    qor_system_info info;
    if (qor_system_init() != QOR_OK || qor_system_get_info(&info) != QOR_OK) return 1;
    char* block = qor_kernel_alloc(64);
    if (!block || qor_kernel_get_used_memory() != 64) return 1;
    strcpy(block, "hello");
    qor_kernel_free(block);
    if (qor_log_info("installed library works") != QOR_OK) return 1;
    uint32_t count = 99;
    qpa_header list[4];
    if (qpa_list_installed(list, 4, &count) != QOR_OK || count != 0) return 1;
    printf("%s | %u processes\n", info.version, info.process_count);
    return 0;
}

static int check_text_and_png(const char* png_path) {
    if (qor_graphics_init() != QOR_OK) return 1;
    qor_context* ctx = qor_graphics_create_context(120, 40);
    if (!ctx) return 1;
    const qor_color black = {0, 0, 0, 255};
    const qor_color white = {255, 255, 255, 255};
    const qor_point origin = {4, 4};
    int rc = qor_graphics_clear(ctx, black);
    if (rc == QOR_OK) rc = qor_graphics_draw_text(ctx, "QorOS 你好", origin, white, 16);
    int lit = 0;
    for (int i = 0; i < 120 * 40 * 4; i += 4)
        lit += ctx->framebuffer[i] != 0;
    if (rc == QOR_OK) rc = qor_graphics_save_png(ctx, png_path);
    qor_graphics_destroy_context(ctx);
    return rc == QOR_OK && lit > 0 ? 0 : 1;
}

static int check_package(const char* exe_path, const char* qpa_path) {
    FILE* exe = fopen(exe_path, "wb");
    if (!exe || fputs("MZ a tiny stand-in for a Windows program", exe) < 0) return 1;
    if (fclose(exe) != 0) return 1;
    if (qpa_convert_exe(exe_path, qpa_path, "Tiny", "1.0", "QorOS", "test", NULL, "Tools", 0) !=
        QOR_OK)
        return 1;
    qpa_header header;
    if (qpa_read_header(qpa_path, &header) != QOR_OK || strcmp(header.name, "Tiny") != 0) return 1;
    return qpa_verify(qpa_path) ? 0 : 1;
}

static int check_terminal(void) {
    terminal_state term;
    terminal_init(&term, NULL);
    const char* line = "echo installed terminal";
    for (const char* c = line; *c; ++c)
        terminal_process_char(&term, *c);
    terminal_execute(&term);
    return strstr(terminal_get_output(&term), "installed terminal") ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    char png[QOR_PATH_MAX], download[QOR_PATH_MAX], exe[QOR_PATH_MAX], qpa[QOR_PATH_MAX];
    snprintf(png, sizeof png, "%s/text.png", argv[1]);
    snprintf(download, sizeof download, "%s/downloaded.txt", argv[1]);
    snprintf(exe, sizeof exe, "%s/tiny.exe", argv[1]);
    snprintf(qpa, sizeof qpa, "%s/tiny.qpa", argv[1]);
    if (check_kernel_and_log() != 0) return 3;
    if (check_text_and_png(png) != 0) return 4;
    if (qorget_download(argv[2], download, 0) != QOR_OK) return 5;
    if (check_package(exe, qpa) != 0) return 6;
    if (check_terminal() != 0) return 7;
    printf("every area works\n");
    return 0;
}
