<?php
class AppException extends RuntimeException
{
}

function risky(int $n)
{
    if ($n % 2) {
        throw new AppException("odd $n", $n);
    }
    return $n * 10;
}

foreach ([2, 3] as $n) {
    try {
        echo risky($n), "\n";
    } catch (AppException $e) {
        printf("%s: %s (code %d, line %d, file %s)\n", get_class($e), $e->getMessage(),
            $e->getCode(), $e->getLine(), basename($e->getFile()));
    } finally {
        echo "finally $n\n";
    }
}

function wrap()
{
    try {
        risky(5);
    } catch (Exception $e) {
        throw new LogicException('wrapped', 0, $e);
    }
}

try {
    wrap();
} catch (LogicException $e) {
    echo $e->getMessage(), ' <- ', $e->getPrevious()->getMessage(), "\n";
    echo count($e->getTrace()), " frames\n";
}

try {
    intdiv(1, 0);
} catch (DivisionByZeroError $e) {
    echo get_class($e), ': ', $e->getMessage(), "\n";
}

try {
    null_function();
} catch (Error $e) {
    echo $e->getMessage(), "\n";
}

function f()
{
    try {
        return 'try';
    } finally {
        echo "finally runs before return\n";
    }
}
echo f(), "\n";

set_exception_handler(function (Throwable $t) {
    echo "handler: ", $t->getMessage(), "\n";
});
echo $e->getTraceAsString(), "\n";
throw new AppException('unhandled');
