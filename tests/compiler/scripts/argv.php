<?php
echo "argc=$argc\n";
echo "server argc=", $_SERVER['argc'], "\n";
// The first entry is how the program was started, which differs by design.
var_dump(array_slice($argv, 1));
var_dump(array_slice($_SERVER['argv'], 1));
$opts = getopt('v', ['name:'], $rest);
var_dump($opts, $rest);
