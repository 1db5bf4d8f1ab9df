<?php
function countdown(int $from)
{
    while ($from > 0) {
        $cmd = yield $from;
        if ($cmd === 'skip') {
            $from--;
        }
        $from--;
    }
    return 'liftoff';
}

$gen = countdown(6);
foreach ($gen as $n) {
    echo $n, ' ';
}
echo $gen->getReturn(), "\n";

$gen = countdown(6);
echo $gen->current(), ' ';
echo $gen->send('skip'), ' ';
echo $gen->send(null), "\n";

function inner()
{
    yield 1;
    yield 2;
    return 3;
}

function outer()
{
    $r = yield from inner();
    yield $r;
    yield from ['a' => 'x', 'b' => 'y'];
}
foreach (outer() as $k => $v) {
    echo "$k=>$v ";
}
echo "\n";

function lines(string $text): Generator
{
    foreach (explode("\n", $text) as $i => $line) {
        yield $i + 1 => strrev($line);
    }
}
foreach (lines("abc\ndef\nghi") as $no => $line) {
    echo "$no: $line\n";
}

function infinite()
{
    $i = 0;
    while (true) {
        try {
            yield $i++;
        } finally {
            if ($i > 3) {
                echo "cleanup at $i\n";
            }
        }
    }
}
foreach (infinite() as $v) {
    if ($v >= 3) {
        break;
    }
}
$g = (function () {
    try {
        yield 1;
    } catch (Exception $e) {
        echo "caught in generator: ", $e->getMessage(), "\n";
        yield 99;
    }
})();
$g->current();
echo $g->throw(new Exception('boom')), "\n";
echo array_sum(iterator_to_array(countdown(4), false)), "\n";
