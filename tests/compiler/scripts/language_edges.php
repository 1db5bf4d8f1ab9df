<?php
// Things the CLI's settings decide: short tags are off, assertions compiled out.
?>
<? echo "short tag is plain text"; ?>
<?php
assert(1 === 2, 'not checked');
echo "assert skipped\n";
$x = ['b' => 2, 'a' => 1];
echo serialize($x), "\n";
var_dump(unserialize('O:8:"stdClass":1:{s:1:"p";i:5;}'));
echo json_encode(['pi' => M_PI, 'f' => 0.1 + 0.7, 'u' => "\u{00e9}"]), "\n";
printf("%.15g %s %d\n", 1 / 3, 7.0, PHP_INT_SIZE);
echo str_pad(decbin(255), 10, '0', STR_PAD_LEFT), ' ', sprintf('%08.3f', -3.14159), "\n";
echo ctype_digit('123') ? "ctype ok\n" : "ctype missing\n";
echo iconv('UTF-8', 'ASCII//TRANSLIT', 'abc'), "\n";
echo count(token_get_all('<?php echo 1;')), " tokens\n";
echo match (true) {
    PHP_VERSION_ID >= 80200 => "8.2 or later",
    default => "older",
}, "\n";
$date = new DateTimeImmutable('2024-02-29 12:00:00', new DateTimeZone('UTC'));
echo $date->modify('+1 year')->format(DATE_ATOM), "\n";
echo preg_replace_callback('/\d+/', fn($m) => $m[0] * 2, 'a1 b22 c333'), "\n";
echo ucwords(strtolower("HELLO wORLD")), ' ', number_format(1234567.891, 2), "\n";
echo hash('sha256', 'quillet'), "\n";
echo base64_encode(gzcompress('quillet quillet quillet')), "\n";
list('a' => $aa, 'b' => $bb) = $x;
[$p, [$q, $r]] = [1, [2, 3]];
echo "$aa $bb $p $q $r\n";
echo intdiv(PHP_INT_MAX, 3) . " " . (PHP_INT_MAX + 1) . "\n";
exit("exit with a string\n");
