<?php
$counter = function () {
    static $n = 0;
    return ++$n;
};
$counter();
$counter();
echo "counter: ", $counter(), "\n";

$total = 0;
$add = function (int $x) use (&$total): void {
    $total += $x;
};
array_map($add, [1, 2, 3, 4]);
echo "total: $total\n";

$factor = 3;
$times = fn($x) => $x * $factor;
echo implode(',', array_map($times, range(1, 5))), "\n";

function compose(callable ...$fs): Closure
{
    return function ($x) use ($fs) {
        foreach ($fs as $f) {
            $x = $f($x);
        }
        return $x;
    };
}
$shout = compose('trim', strtoupper(...), fn($s) => "$s!");
echo $shout("  hello "), "\n";

class Greeter
{
    private string $greeting = 'Hi';

    public function greet(string $who): string
    {
        return "{$this->greeting}, $who";
    }
}
$g = new Greeter();
$bound = Closure::bind(function () {
    return $this->greeting;
}, $g, Greeter::class);
echo $bound(), "\n";
$method = $g->greet(...);
echo $method('Ann'), "\n";
$fib = function (int $n) use (&$fib) {
    return $n < 2 ? $n : $fib($n - 1) + $fib($n - 2);
};
echo "fib(20) = ", $fib(20), "\n";
$list = ['pear' => 3, 'apple' => 1, 'fig' => 2];
uasort($list, fn($a, $b) => $b <=> $a);
print_r($list);
echo implode(' ', array_filter(range(1, 20), fn($n) => $n % 3 === 0)), "\n";
var_dump((new ReflectionFunction($times))->getNumberOfParameters());
