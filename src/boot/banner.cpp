#include "boot/banner.h"

#include "session/bootsys_paths.h"

#include <cstdio>

namespace {

constexpr const char* kVersion = "7.0";
constexpr const char* kReleaseDate = "2026-09-12";
constexpr int kFrameContent = 58; // columns between the two "|"

// "QorOS" in letters five rows high.
constexpr const char* kTitleArt[5] = {
    "      ###                      ###    ####", "     #   #   ###   # ##       #   #  #    ",
    "     #   #  #   #  ##         #   #   ### ", "     #  ##  #   #  #          #   #      #",
    "      ####   ###   #           ###   #### ",
};

void print_rule() {
    std::fputs("  ", stdout);
    for (int i = 0; i < kFrameContent + 2; ++i)
        std::fputc('=', stdout);
    std::fputc('\n', stdout);
}

// ASCII content only, so bytes and columns agree.
void print_framed(const char* content) {
    std::printf("  |%-*.*s|\n", kFrameContent, kFrameContent, content);
}

} // namespace

void print_version() {
    std::printf("QorOS v%s.0 (Vuredivaz Uvodadov UZ for Windows)\n", kVersion);
    std::fputs("Qor(Talvoren) Graphics Engine | QorApp Ecosystem\n", stdout);
    std::fputs("TrueType Font | 260+ Commands | Explorer Files\n", stdout);
    std::printf("Build: %s\n", kReleaseDate);
}

void print_banner() {
    std::fputs("\n", stdout);
    print_rule();
    print_framed("");
    for (const char* row : kTitleArt)
        print_framed(row);
    print_framed("");
    print_framed("     Vuzevudur Oruvuzid Ovivaruro Divozo v7.0");
    print_framed("     Qor(Talvoren) Graphics Engine | QorApp Ecosystem");
    print_framed("     TrueType Font | 260+ Terminal Commands | Explorer");
    print_framed("     Running on Windows (parasitic mode)");
    print_framed("");
    print_rule();
    std::fputs("\n", stdout);
    std::fputs("  [系统] 启动 QorOS v7.0 寄生图形操作系统...\n", stdout);
    std::fputs("  [系统] 宿主平台: Windows x64\n", stdout);
    std::fputs("  [系统] 启动入口: Tarnwick.exe\n", stdout);
    std::printf("  [系统] 核心目录: %s\n", g_bootsys_dir);
    std::fputs("\n", stdout);
}
