<?php
function deep(string $secret, int $level)
{
    if ($level === 0) {
        throw new InvalidArgumentException("bottom reached");
    }
    deep($secret, $level - 1);
}
echo "going down\n";
deep('a long secret argument', 3);
