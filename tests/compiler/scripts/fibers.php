<?php
$fiber = new Fiber(function (string $start): string {
    echo "fiber got $start\n";
    $x = Fiber::suspend('first');
    echo "fiber resumed with $x\n";
    $y = Fiber::suspend('second');
    return "done $y";
});
$v = $fiber->start('go');
echo "main got $v\n";
$v = $fiber->resume('one');
echo "main got $v\n";
$fiber->resume('two');
echo $fiber->getReturn(), "\n";

$fibers = [];
foreach (range(1, 3) as $id) {
    $fibers[$id] = new Fiber(function () use ($id) {
        for ($i = 0; $i < 3; $i++) {
            echo "fiber $id step $i\n";
            Fiber::suspend();
        }
    });
}
foreach ($fibers as $f) {
    $f->start();
}
while (array_filter($fibers, fn($f) => !$f->isTerminated())) {
    foreach ($fibers as $f) {
        if (!$f->isTerminated()) {
            $f->resume();
        }
    }
}
$f = new Fiber(function () {
    throw new RuntimeException('inside fiber');
});
try {
    $f->start();
} catch (RuntimeException $e) {
    echo "caught ", $e->getMessage(), " from line ", $e->getLine(), "\n";
}
