<?php
// The entries whose values are the same whichever way the script is started.
$same = array_diff_key($_SERVER, array_flip(['PHP_SELF', 'SCRIPT_NAME', 'SCRIPT_FILENAME',
    'PATH_TRANSLATED', 'argv', 'REQUEST_TIME', 'REQUEST_TIME_FLOAT', '_']));
ksort($same);
var_dump($same);
var_dump(count($_ENV), count($_GET), count($_POST), count($_COOKIE), count($_FILES));
var_dump(getenv('QUILLET_PARITY'), $_SERVER['QUILLET_PARITY'] ?? null);
var_dump($_SERVER['PHP_SELF'] === $_SERVER['argv'][0], $_SERVER['SCRIPT_FILENAME'] === $argv[0]);
var_dump(is_float($_SERVER['REQUEST_TIME_FLOAT']), headers_sent(), headers_list());
header('X-Test: 1');
var_dump(headers_list(), http_response_code());
