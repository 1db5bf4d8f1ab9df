<?php
declare(strict_types=1);

function twice(int $x): int
{
    return $x * 2;
}

echo twice(21), "\n";
try {
    echo twice("21"), "\n";
} catch (TypeError $e) {
    echo "TypeError: ", $e->getMessage(), "\n";
}
echo strlen("four"), "\n";
try {
    echo str_repeat("x", "3"), "\n";
} catch (TypeError $e) {
    echo "internal: ", $e->getMessage(), "\n";
}
function ret(): string
{
    return 5;
}
echo ret(), "\n";
