<?php
// Settings and extensions that change what scripts do. OPcache is left out:
// the CLI loads it but keeps it off.
$ini = ini_get_all(null, false);
ksort($ini);
foreach ($ini as $key => $value) {
    if (!str_starts_with($key, 'opcache.')) {
        echo $key, '=', var_export($value, true), "\n";
    }
}
$ext = array_diff(get_loaded_extensions(), ['Zend OPcache']);
echo implode(',', $ext), "\n";
$functions = array_filter(get_defined_functions()['internal'], fn($f) => !str_starts_with($f, 'opcache_'));
echo count($functions), " functions, ", count(get_declared_classes()), " classes\n";
echo PHP_SAPI, ' ', php_sapi_name(), ' ', PHP_VERSION, ' ', PHP_OS, ' ', PHP_EOL === "\n" ? 'LF' : 'other', "\n";
echo PHP_INT_MAX, ' ', PHP_FLOAT_EPSILON, ' ', 0.1 + 0.2, ' ', 1e100, "\n";
var_dump(ini_get('display_errors'), error_reporting(), ini_get('memory_limit'));
var_dump(assert(false), date_default_timezone_get(), setlocale(LC_ALL, 0));
