#ifndef QUILLET_COMPILER_ENGINE_H
#define QUILLET_COMPILER_ENGINE_H

/* The calls into PHP. They live in C because PHP's error handling longjmps,
 * which must not pass through C++ frames. */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct quillet_script {
    const char* ini_entries; /* php.ini lines the engine starts with */
    const char* code;        /* the script's bytes */
    size_t code_length;
    const char* file_name; /* how messages, __FILE__ and includes see it */
    const char* self;      /* $argv[0], PHP_SELF and SCRIPT_FILENAME */
    int argc;              /* $argc and $argv */
    char** argv;
};

/* Compiles the script without running it; PHP reports any error itself.
 * Returns 0 when it compiles, 255 otherwise (1 when PHP cannot start). */
int quillet_lint(const struct quillet_script* script);

/* Runs the script as `php` runs a file and returns its exit status. */
int quillet_run(const struct quillet_script* script);

#ifdef __cplusplus
}
#endif

#endif
