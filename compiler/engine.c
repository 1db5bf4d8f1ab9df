#include "compiler/engine.h"

#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <SAPI.h>
#include <php.h>
#include <php_main.h>
#include <php_variables.h>
#include <sys/prctl.h>
#include <zend_constants.h>
#include <zend_stream.h>
#include <ext/standard/dl.h>

/* PHP's callbacks take no context, so the script being run is reached
 * through this pointer; it is set for the length of one lint or run. */
static const struct quillet_script* current_script;

/* Output goes straight to the descriptor, as with `php`: nothing is held back
 * between two writes of the script. */
static size_t write_stdout(const char* text, size_t length) {
    size_t done = 0;
    while (done < length) {
        ssize_t n = write(STDOUT_FILENO, text + done, length - done);
        if (n >= 0) {
            done += (size_t)n;
        } else if (errno == EAGAIN) {
            struct pollfd out = {STDOUT_FILENO, POLLOUT, 0};
            poll(&out, 1, -1);
        } else if (errno != EINTR) {
            EG(exit_status) = 255;
            php_handle_aborted_connection();
            break;
        }
    }
    return done;
}

static void flush_stdout(void* server_context) {
    (void)server_context;
    /* A script may have closed STDOUT itself; that is no lost connection. */
    if (fflush(stdout) == EOF && errno != EBADF) {
        php_handle_aborted_connection();
    }
}

/* With display_errors off and no error_log, PHP logs its messages here. */
static void log_to_stderr(const char* message, int syslog_type) {
    (void)syslog_type;
    fprintf(stderr, "%s\n", message);
    fflush(stderr);
}

static int ignore_header(sapi_header_struct* header, sapi_header_op_enum op,
                         sapi_headers_struct* headers) {
    (void)header;
    (void)op;
    (void)headers;
    return 0;
}

static int send_no_headers(sapi_headers_struct* headers) {
    (void)headers;
    return SAPI_HEADER_SENT_SUCCESSFULLY;
}

static char* no_cookies(void) {
    return NULL;
}

static int finish_request(void) {
    fflush(stdout);
    return SUCCESS;
}

static void register_filtered(const char* name, const char* value, zval* vars) {
    char* filtered = (char*)value;
    size_t length = strlen(value);
    if (sapi_module.input_filter(PARSE_SERVER, name, &filtered, length, &length)) {
        php_register_variable(name, filtered, vars);
    }
}

/* The environment, then the names `php` gives the script it runs. */
static void register_server_variables(zval* vars) {
    php_import_environment_variables(vars);
    const char* self = current_script->self;
    register_filtered("PHP_SELF", self, vars);
    register_filtered("SCRIPT_NAME", self, vars);
    register_filtered("SCRIPT_FILENAME", self, vars);
    register_filtered("PATH_TRANSLATED", self, vars);
    register_filtered("DOCUMENT_ROOT", "", vars);
}

/* The functions the CLI adds to PHP's own. The process title is the name
 * `top` and `ps -o comm` show (at most 15 bytes of it); the CLI can also
 * rewrite the command line that `ps -f` shows, which this does not. */
static char process_title[4096];

PHP_FUNCTION(cli_set_process_title) {
    char* title;
    size_t length;
    ZEND_PARSE_PARAMETERS_START(1, 1)
    Z_PARAM_STRING(title, length)
    ZEND_PARSE_PARAMETERS_END();
    if (length >= sizeof process_title || prctl(PR_SET_NAME, title) != 0) {
        php_error_docref(NULL, E_WARNING, "cli_set_process_title had an error: %s",
                         length >= sizeof process_title ? "title too long" : strerror(errno));
        RETURN_FALSE;
    }
    memcpy(process_title, title, length + 1);
    RETURN_TRUE;
}

PHP_FUNCTION(cli_get_process_title) {
    ZEND_PARSE_PARAMETERS_NONE();
    RETURN_STRING(process_title);
}

ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_dl, 0, 1, _IS_BOOL, 0)
ZEND_ARG_TYPE_INFO(0, extension_filename, IS_STRING, 0)
ZEND_END_ARG_INFO()

ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_cli_set_process_title, 0, 1, _IS_BOOL, 0)
ZEND_ARG_TYPE_INFO(0, title, IS_STRING, 0)
ZEND_END_ARG_INFO()

ZEND_BEGIN_ARG_WITH_RETURN_TYPE_INFO_EX(arginfo_cli_get_process_title, 0, 0, IS_STRING, 1)
ZEND_END_ARG_INFO()

static const zend_function_entry cli_functions[] = {
    ZEND_FE(dl, arginfo_dl) PHP_FE(cli_set_process_title, arginfo_cli_set_process_title)
        PHP_FE(cli_get_process_title, arginfo_cli_get_process_title) PHP_FE_END};

static int start_modules(sapi_module_struct* module) {
    return php_module_startup(module, NULL);
}

static void describe_module(sapi_module_struct* module, const struct quillet_script* script) {
    memset(module, 0, sizeof *module);
    /* "cli" is what PHP checks to send errors to stderr, open php://stdout
     * on the real descriptor and allow FFI in scripts. */
    module->name = "cli";
    module->pretty_name = "Command Line Interface";
    module->startup = start_modules;
    module->shutdown = php_module_shutdown_wrapper;
    module->deactivate = finish_request;
    module->ub_write = write_stdout;
    module->flush = flush_stdout;
    module->sapi_error = php_error;
    module->header_handler = ignore_header;
    module->send_headers = send_no_headers;
    module->read_cookies = no_cookies;
    module->register_server_variables = register_server_variables;
    module->log_message = log_to_stderr;
    module->executable_location = script->argc > 0 ? script->argv[0] : NULL;
    /* Settings come from `ini_entries` only, never from a php.ini found on
     * the machine or named by PHPRC. */
    module->php_ini_ignore = 1;
    module->php_ini_ignore_cwd = 1;
    module->phpinfo_as_text = 1;
    module->additional_functions = cli_functions;
}

static int start_engine(sapi_module_struct* module, const struct quillet_script* script) {
    current_script = script;
    describe_module(module, script);
    zend_signal_startup();
    sapi_startup(module);
    /* sapi_startup clears the entries, so they are set after it. */
    module->ini_entries = (char*)script->ini_entries;
    if (module->startup(module) == FAILURE) {
        sapi_shutdown();
        return FAILURE;
    }
    SG(options) |= SAPI_OPTION_NO_CHDIR;
    SG(request_info).argc = script->argc;
    SG(request_info).argv = script->argv;
    SG(request_info).path_translated = (char*)script->file_name;
    if (php_request_startup() == FAILURE) {
        php_module_shutdown();
        sapi_shutdown();
        return FAILURE;
    }
    /* `php` fills $_SERVER before the script starts, not on first use. */
    zend_is_auto_global_str(ZEND_STRL("_SERVER"));
    PG(during_request_startup) = 0;
    CG(skip_shebang) = 1;
    return SUCCESS;
}

/* Ends the request: output buffers, shutdown functions, destructors and
 * streams are all done here. The modules themselves are not shut down: the
 * process ends next, that would only free memory, and it takes a tenth of the
 * start-up time of a short script. */
static int stop_engine(void) {
    php_request_shutdown(NULL);
    /* Shutdown functions and destructors may still have set the status. */
    int status = EG(exit_status);
    current_script = NULL;
    return status;
}

struct memory_source {
    const char* bytes;
    size_t length;
    size_t offset;
};

static ssize_t read_memory(void* handle, char* buffer, size_t length) {
    struct memory_source* source = handle;
    size_t left = source->length - source->offset;
    size_t n = length < left ? length : left;
    memcpy(buffer, source->bytes + source->offset, n);
    source->offset += n;
    return (ssize_t)n;
}

static size_t memory_size(void* handle) {
    return ((struct memory_source*)handle)->length;
}

/* A handle that reads the script from memory under the given file name. */
static void open_memory_script(zend_file_handle* handle, struct memory_source* source,
                               const char* file_name) {
    memset(handle, 0, sizeof *handle);
    handle->type = ZEND_HANDLE_STREAM;
    handle->filename = zend_string_init(file_name, strlen(file_name), 0);
    handle->handle.stream.handle = source;
    handle->handle.stream.reader = read_memory;
    handle->handle.stream.fsizer = memory_size;
    handle->primary_script = 1;
}

static php_stream* open_std_stream(const char* url, const char* mode) {
    return php_stream_open_wrapper_ex(url, mode, 0, NULL, NULL);
}

static void define_stream_constant(const char* name, php_stream* stream) {
    zend_constant constant;
    php_stream_to_zval(stream, &constant.value);
    ZEND_CONSTANT_SET_FLAGS(&constant, 0, 0);
    constant.name = zend_string_init_interned(name, strlen(name), 0);
    zend_register_constant(&constant);
}

/* STDIN, STDOUT and STDERR, all three or none, as `php` defines them. */
static void define_std_streams(void) {
    php_stream* in = open_std_stream("php://stdin", "rb");
    php_stream* out = open_std_stream("php://stdout", "wb");
    php_stream* err = open_std_stream("php://stderr", "wb");
    if (in == NULL || out == NULL || err == NULL) {
        if (in) php_stream_close(in);
        if (out) php_stream_close(out);
        if (err) php_stream_close(err);
        return;
    }
    define_stream_constant("STDIN", in);
    define_stream_constant("STDOUT", out);
    define_stream_constant("STDERR", err);
}

int quillet_lint(const struct quillet_script* script) {
    sapi_module_struct module;
    if (start_engine(&module, script) == FAILURE) return 1;
    struct memory_source source = {script->code, script->code_length, 0};
    zend_file_handle handle;
    open_memory_script(&handle, &source, script->file_name);
    zend_result result = FAILURE;
    zend_first_try {
        result = php_lint_script(&handle);
    }
    zend_end_try();
    zend_destroy_file_handle(&handle);
    stop_engine();
    return result == SUCCESS ? 0 : 255;
}

int quillet_run(const struct quillet_script* script) {
    sapi_module_struct module;
    if (start_engine(&module, script) == FAILURE) return 1;
    struct memory_source source = {script->code, script->code_length, 0};
    zend_file_handle handle;
    open_memory_script(&handle, &source, script->file_name);
    zend_first_try {
        define_std_streams();
        php_execute_script(&handle);
    }
    zend_end_try();
    zend_destroy_file_handle(&handle);
    return stop_engine();
}
