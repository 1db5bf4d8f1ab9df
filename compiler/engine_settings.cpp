#include "compiler/engine_settings.h"

#include <unistd.h>

#include <array>
#include <string_view>

namespace quillet {
namespace {

// Debian's php.ini for the CLI, the lines that concern PHP's core and the
// extensions loaded here, spelled as there ("Off" reads back as "").
constexpr std::string_view kDebianCliIni =
    "short_open_tag = Off\n"
    "precision = 14\n"
    "zlib.output_compression = Off\n"
    "unserialize_callback_func =\n"
    "serialize_precision = -1\n"
    "disable_functions =\n"
    "disable_classes =\n"
    "zend.enable_gc = On\n"
    "zend.exception_ignore_args = On\n"
    "zend.exception_string_param_max_len = 0\n"
    "expose_php = On\n"
    "memory_limit = -1\n"
    "error_reporting = 22527\n"  // E_ALL & ~E_DEPRECATED & ~E_STRICT
    "display_errors = Off\n"
    "display_startup_errors = Off\n"
    "log_errors = On\n"
    "ignore_repeated_errors = Off\n"
    "ignore_repeated_source = Off\n"
    "report_memleaks = On\n"
    "variables_order = \"GPCS\"\n"
    "request_order = \"GP\"\n"
    "auto_globals_jit = On\n"
    "post_max_size = 8M\n"
    "auto_prepend_file =\n"
    "auto_append_file =\n"
    "default_mimetype = \"text/html\"\n"
    "default_charset = \"UTF-8\"\n"
    "doc_root =\n"
    "user_dir =\n"
    "enable_dl = Off\n"
    "file_uploads = On\n"
    "upload_max_filesize = 2M\n"
    "max_file_uploads = 20\n"
    "allow_url_fopen = On\n"
    "allow_url_include = Off\n"
    "default_socket_timeout = 60\n"
    "SMTP = localhost\n"
    "smtp_port = 25\n"
    "mail.add_x_header = Off\n"
    "mail.mixed_lf_and_crlf = Off\n"
    "session.save_handler = files\n"
    "session.use_strict_mode = 0\n"
    "session.use_cookies = 1\n"
    "session.use_only_cookies = 1\n"
    "session.name = PHPSESSID\n"
    "session.auto_start = 0\n"
    "session.cookie_lifetime = 0\n"
    "session.cookie_path = /\n"
    "session.cookie_domain =\n"
    "session.cookie_httponly =\n"
    "session.cookie_samesite =\n"
    "session.serialize_handler = php\n"
    "session.gc_probability = 0\n"
    "session.gc_divisor = 1000\n"
    "session.gc_maxlifetime = 1440\n"
    "session.referer_check =\n"
    "session.cache_limiter = nocache\n"
    "session.cache_expire = 180\n"
    "session.use_trans_sid = 0\n"
    "session.sid_length = 26\n"
    "session.trans_sid_tags = \"a=href,area=href,frame=src,form=\"\n"
    "session.sid_bits_per_character = 5\n"
    "zend.assertions = -1\n";

// What the CLI fixes for itself over any php.ini.
constexpr std::string_view kCliOverrides =
    "html_errors=0\n"
    "register_argc_argv=1\n"
    "implicit_flush=1\n"
    "output_buffering=0\n"
    "max_execution_time=0\n"
    "max_input_time=-1\n";

// The shared extensions Debian's CLI loads, in its order. Left out: OPcache,
// which the CLI loads but keeps switched off (opcache.enable_cli=0).
constexpr std::array<std::string_view, 18> kExtensions = {
    "pdo",   "calendar", "ctype",   "exif",    "ffi",     "fileinfo",
    "ftp",   "gettext",  "iconv",   "phar",    "posix",   "readline",
    "shmop", "sockets",  "sysvmsg", "sysvsem", "sysvshm", "tokenizer"};

}  // namespace

std::string engineIniEntries() {
    std::string entries(kDebianCliIni);
    entries += kCliOverrides;
    for (std::string_view name : kExtensions) {
        const std::string file =
            std::string(QUILLET_PHP_EXTENSION_DIR "/") + std::string(name) + ".so";
        if (::access(file.c_str(), R_OK) == 0) entries += "extension=" + file + "\n";
    }
    return entries;
}

}  // namespace quillet
