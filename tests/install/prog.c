/* A C program built against an installed libqoros through pkg-config. */
#include <qoros/qor_api.h>
#include <stdio.h>
#include <string.h>

int main(void) {
    qor_system_info info;
    if (qor_system_init() != QOR_OK || qor_system_get_info(&info) != QOR_OK) return 1;
    char* block = qor_kernel_alloc(64);
    if (!block || qor_kernel_get_used_memory() != 64) return 2;
    strcpy(block, "hello");
    qor_kernel_free(block);
    if (qor_log_info("installed library works") != QOR_OK) return 3;
    uint32_t count = 99;
    qpa_header list[4];
    if (qpa_list_installed(list, 4, &count) != QOR_OK || count != 0) return 4;
    printf("%s | %u processes\n", info.version, info.process_count);
    return 0;
}
