<?php
for ($i = 0; $i < 5; $i++) {
    echo "out $i\n";
    fwrite(STDERR, "err $i\n");
    fprintf(STDOUT, "fprintf %d\n", $i);
}
error_log("error_log goes to stderr");
file_put_contents('php://stderr', "php://stderr\n");
$big = str_repeat("0123456789abcdef", 1 << 16);
echo strlen($big), "\n";
echo $big, "\n";
fwrite(STDOUT, md5($big) . "\n");
printf("%s\n", implode(",", [posix_isatty(STDOUT) ? 'tty' : 'no tty', stream_isatty(STDERR) ? 'tty' : 'no tty']));
