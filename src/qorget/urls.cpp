// Package and search URLs built from the source templates.
#include "qorget/source_table.h"

#include <cstring>
#include <string>

namespace {

bool is_unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Every byte outside RFC 3986's unreserved set becomes %XX, so a name or a
// query can neither add path segments ("/", "..%2F") nor parameters ("&").
std::string percent_encode(const char* text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (is_unreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

// Fills each "%s" of a template with the next argument in turn; templates
// with fewer slots use only the leading arguments. "%%" stands for "%".
std::string expand_template(const char* fmt, const std::string* args, size_t arg_count) {
    std::string out;
    size_t next = 0;
    for (const char* p = fmt; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            if (next < arg_count) out += args[next++];
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            out += '%';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// Copies as much as fits and always terminates; a cut is not reported.
void copy_cut(const std::string& text, char* out, size_t size) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

extern "C" {

int qorget_build_package_url(int32_t source_id, const char* name, const char* version, char* out,
                             size_t size) {
    if (!name || !out || size == 0) return QOR_ERR_INVALID_ARG;
    const qorget_source* row = qor::qorget::find_source(source_id);
    if (!row) return QOR_ERR_NOT_FOUND;
    const std::string encoded_name = percent_encode(name);
    const std::string args[] = {encoded_name, percent_encode(version ? version : "latest"),
                                encoded_name};
    copy_cut(expand_template(row->package_url_fmt, args, 3), out, size);
    return QOR_OK;
}

int qorget_build_search_url(int32_t source_id, const char* query, char* out, size_t size) {
    if (!query || !out || size == 0) return QOR_ERR_INVALID_ARG;
    const qorget_source* row = qor::qorget::find_source(source_id);
    if (!row) return QOR_ERR_NOT_FOUND;
    const std::string args[] = {percent_encode(query)};
    copy_cut(expand_template(row->search_url_fmt, args, 1), out, size);
    return QOR_OK;
}

} // extern "C"
