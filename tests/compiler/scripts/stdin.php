<?php
$first = fgets(STDIN);
echo "first: ", trim($first), "\n";
$n = 0;
while (($line = fgets(STDIN)) !== false) {
    $line = rtrim($line, "\n");
    if ($line === 'END') {
        break;
    }
    $n++;
    echo strtoupper($line), "\n";
}
echo "$n lines\n";
echo "rest: ", json_encode(stream_get_contents(STDIN)), "\n";
var_dump(feof(STDIN), get_resource_type(STDIN), is_resource(STDOUT));
fwrite(STDOUT, "via STDOUT\n");
file_put_contents('php://stdout', "via php://stdout\n");
