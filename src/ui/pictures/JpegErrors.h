#pragma once

#include <csetjmp>
#include <cstdio>

// jpeglib.h expects size_t and FILE to be declared before it.
#include <jpeglib.h>

namespace trevalon {

// libjpeg reports fatal errors through error_exit, which must not return; a longjmp back into
// the function that set the jump is the library's documented way out. Only plain C data may
// live between the setjmp and the longjmp, so that no destructor is skipped.
struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// error_exit for a JpegErrors: keeps the library's message and jumps back.
inline void jpegFatalError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

}  // namespace trevalon
