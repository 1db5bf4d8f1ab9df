<?php
require 'include_lib.php';
require_once __DIR__ . '/include_lib.php';
include_once 'include_lib.php';
echo helper('x'), "\n";
echo LIB_NAME, "\n";
foreach (get_included_files() as $f) {
    echo basename($f), "\n";
}
echo basename(__FILE__), ' ', basename(__DIR__), ' line ', __LINE__, "\n";
$r = include 'include_missing.php';
var_dump($r);
echo "after missing include\n";
require 'include_bad.php';
echo "never\n";
